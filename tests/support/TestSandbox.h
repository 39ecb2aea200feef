#pragma once

#include <QString>
#include <QTemporaryDir>

// A private folder for one test: HOME, the XDG folders and the server's socket
// folder all point inside it, so nothing a test does touches the user's files
// or another test's server.
class TestSandbox
{
public:
    TestSandbox();
    TestSandbox(const TestSandbox&) = delete;
    TestSandbox& operator=(const TestSandbox&) = delete;

    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }
    QString pipeDir() const;
    QString desktopDir() const;

    // A program built beside the tests (bin/ of the build tree).
    static QString binary(const QString& name);
    static QString sourceDir();

private:
    QTemporaryDir m_dir;
};

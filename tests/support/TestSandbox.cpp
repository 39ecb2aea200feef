#include "support/TestSandbox.h"

#include <QCoreApplication>
#include <QDir>

TestSandbox::TestSandbox()
    : m_dir(QDir::tempPath() + QStringLiteral("/scribolt-test-XXXXXX"))
{
    const QString root = m_dir.path();
    for (const char* sub : {"home", "config", "data", "runtime", "pipe", "home/Desktop"}) {
        QDir(root).mkpath(QLatin1String(sub));
    }
    QFile::setPermissions(root + QStringLiteral("/runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("HOME", (root + QStringLiteral("/home")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (root + QStringLiteral("/config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", (root + QStringLiteral("/data")).toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", (root + QStringLiteral("/runtime")).toLocal8Bit());
    qputenv("XDG_DESKTOP_DIR", desktopDir().toLocal8Bit());
    qputenv("XDG_CONFIG_DIRS", (root + QStringLiteral("/etc-xdg")).toLocal8Bit());
    qputenv("SCRIBOLT_PIPE_DIR", pipeDir().toLocal8Bit());
}

QString TestSandbox::pipeDir() const
{
    return m_dir.path() + QStringLiteral("/pipe");
}

QString TestSandbox::desktopDir() const
{
    return m_dir.path() + QStringLiteral("/home/Desktop");
}

QString TestSandbox::binary(const QString& name)
{
    QString dir = qEnvironmentVariable("SCRIBOLT_BIN_DIR");
    if (dir.isEmpty()) {
        dir = QCoreApplication::applicationDirPath();  // tests are built beside the programs
    }
    return QDir(dir).absoluteFilePath(name);
}

QString TestSandbox::sourceDir()
{
    return qEnvironmentVariable("SCRIBOLT_SOURCE_DIR");
}

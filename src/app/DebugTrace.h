#pragma once

#include <QString>

class QPlainTextEdit;

// The diagnostic trace: every line goes to the Debug tab's memo and the memo's
// whole text is kept in cmlog.txt on the desktop (Windows-1252, CR LF).
// The file is rewritten once and then appended to, which gives the same bytes
// as rewriting it for every line at linear instead of quadratic cost.
class DebugTrace
{
public:
    DebugTrace() = default;
    DebugTrace(const DebugTrace&) = delete;
    DebugTrace& operator=(const DebugTrace&) = delete;

    void setEnabled(bool on) { m_enabled = on; }
    bool isEnabled() const { return m_enabled; }
    void setMemo(QPlainTextEdit* memo) { m_memo = memo; }

    void DoLog(const QString& msg);

    // The desktop folder of the user; empty when there is none.
    static QString desktopFolder();
    QString logFilePath() const;

private:
    bool appendToFile(const QByteArray& bytes);
    bool rewriteFile();

    bool m_enabled = false;
    QPlainTextEdit* m_memo = nullptr;
    qint64 m_fileSize = -1;  // bytes this trace has written; -1 before the first write
};

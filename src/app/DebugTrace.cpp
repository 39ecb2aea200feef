#include "app/DebugTrace.h"

#include "link/EncDec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QTextBlock>

namespace {

QByteArray encodeLine(const QString& line)
{
    QByteArray bytes = EncDec::toAnsi(line);
    bytes.append("\r\n", 2);
    return bytes;
}

} // namespace

QString DebugTrace::desktopFolder()
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (!desktop.isEmpty() && QFileInfo(desktop).isDir()) {
        return desktop;
    }
    // Many Linux desktops have no desktop folder; the home folder takes its place.
    return QDir::homePath();
}

QString DebugTrace::logFilePath() const
{
    const QString folder = desktopFolder();
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/cmlog.txt");
}

void DebugTrace::DoLog(const QString& msg)
{
    if (!m_enabled || !m_memo) {
        return;
    }
    const QString path = logFilePath();
    if (path.isEmpty()) {
        return;
    }
    m_memo->appendPlainText(msg);

    // Append when the file still holds exactly what this trace wrote; rewrite
    // it whole otherwise (first line of the run, or someone touched the file).
    if (m_fileSize >= 0 && QFileInfo(path).size() == m_fileSize) {
        if (appendToFile(encodeLine(msg))) {
            return;
        }
    }
    rewriteFile();
}

bool DebugTrace::appendToFile(const QByteArray& bytes)
{
    QFile file(logFilePath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        m_fileSize = -1;
        return false;
    }
    m_fileSize += bytes.size();
    return true;
}

bool DebugTrace::rewriteFile()
{
    QByteArray all;
    for (QTextBlock block = m_memo->document()->begin(); block.isValid(); block = block.next()) {
        all += encodeLine(block.text());
    }
    QFile file(logFilePath());
    // A trace that cannot be written must not stop what was being traced.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(all) != all.size()) {
        m_fileSize = -1;
        return false;
    }
    m_fileSize = all.size();
    return true;
}

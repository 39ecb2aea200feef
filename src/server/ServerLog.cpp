#include "server/ServerLog.h"

#include "server/AtomicFile.h"

#include <QDateTime>
#include <QFile>
#include <cstdio>

namespace {

QString clean(const QString& message)
{
    QString out = message;
    for (QChar& c : out) {
        if (c.unicode() < 32) {
            c = QLatin1Char(' ');
        }
    }
    return out;
}

} // namespace

ServerLog::ServerLog(const QString& path) : m_path(path)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> raw = file.readAll().split('\n');
        for (const QByteArray& line : raw) {
            if (!line.isEmpty()) {
                m_lines.append(clean(QString::fromUtf8(line)));
                m_bytes += line.size() + 1;
            }
        }
    }
    trim();
}

void ServerLog::setLimitBytes(qint64 bytes)
{
    m_limit = qMax<qint64>(1024, bytes);
    if (m_bytes > m_limit) {
        trim();
        rewrite();
    }
}

void ServerLog::add(const QString& message)
{
    const QString line =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss ")) + clean(message);
    if (m_echo) {
        std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    }
    if (!m_enabled) {
        return;
    }
    const QByteArray bytes = line.toUtf8() + '\n';
    m_lines.append(line);
    m_bytes += bytes.size();
    if (m_bytes > m_limit) {
        trim();
        rewrite();
        return;
    }
    QFile file(m_path);
    if (file.open(QIODevice::Append)) {
        file.write(bytes);
    }
}

void ServerLog::trim()
{
    // Drop down to three quarters of the limit, so a full log is not
    // rewritten on every new line.
    while (!m_lines.isEmpty() && m_bytes > m_limit * 3 / 4) {
        m_bytes -= m_lines.first().toUtf8().size() + 1;
        m_lines.removeFirst();
    }
}

void ServerLog::rewrite()
{
    QByteArray all;
    for (const QString& line : std::as_const(m_lines)) {
        all += line.toUtf8() + '\n';
    }
    AtomicFile::write(m_path, all);
}

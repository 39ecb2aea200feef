#pragma once

#include <QString>
#include <QStringList>

// The server's own log: one file of timestamped lines, kept below a size
// limit by dropping the oldest lines. Lines never hold CR, LF or NUL, so
// each can travel as one reply line.
class ServerLog
{
public:
    explicit ServerLog(const QString& path);

    QString path() const { return m_path; }
    void setEnabled(bool on) { m_enabled = on; }
    void setLimitBytes(qint64 bytes);
    void setEcho(bool on) { m_echo = on; }

    void add(const QString& message);
    QStringList lines() const { return m_lines; }

private:
    void trim();
    void rewrite();

    QString m_path;
    QStringList m_lines;
    qint64 m_bytes = 0;
    qint64 m_limit = 128 * 1024;
    bool m_enabled = true;
    bool m_echo = false;
};

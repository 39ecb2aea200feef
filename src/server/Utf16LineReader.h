#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Cuts the console's byte stream into lines: UTF-16LE code units, each line
// ended by one NUL unit. Reads may split lines and even code units anywhere.
class Utf16LineReader
{
public:
    explicit Utf16LineReader(qsizetype maxPending) : m_max(maxPending) {}

    // Appends bytes and returns the lines they complete. Returns false (and
    // keeps nothing) when an unfinished line grows past the limit.
    bool feed(QByteArrayView bytes, QStringList* lines);
    qsizetype pending() const { return m_buffer.size(); }

private:
    QByteArray m_buffer;
    qsizetype m_scanned = 0; // bytes already known to hold no NUL unit
    qsizetype m_max;
};

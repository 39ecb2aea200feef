#pragma once

#include <QString>
#include <QStringView>

// Joins the chunks read from the server into complete lines (ended by LF) and
// keeps the start of an incomplete line for the next chunk.
//
// The partial line is bounded: a line that grows past MaxPartialLine
// characters is reported as an overflow and dropped up to its LF, so a peer
// that never ends its line cannot make the console buffer without limit.
class LineAssembler
{
public:
    static constexpr qsizetype MaxPartialLine = 1024 * 1024;

    struct Taken
    {
        QString lines;         // complete lines, each with its LF; empty when none
        QString kept;          // the text after the chunk's last LF, to trace as "Buffer: "
        bool overflow = false; // the partial line passed the bound and was dropped
    };

    Taken take(QStringView chunk);

    // The start of an incomplete line held for the next chunk.
    const QString& partial() const { return m_partial; }
    // True after an overflow until the dropped line's LF arrives.
    bool isDiscarding() const { return m_discarding; }
    // Forgets everything held; used at each new connection.
    void clear();

private:
    Taken overflowed(Taken taken);

    QString m_partial;
    bool m_discarding = false;
};

#include "LineAssembler.h"

LineAssembler::Taken LineAssembler::take(QStringView chunk)
{
    Taken taken;
    if (m_discarding) {
        const qsizetype lf = chunk.indexOf(u'\n');
        if (lf < 0)
            return taken;
        m_discarding = false;
        chunk = chunk.sliced(lf + 1);
    }
    if (chunk.isEmpty())
        return taken;

    const qsizetype lastLf = chunk.lastIndexOf(u'\n');
    if (lastLf < 0) {
        if (m_partial.size() + chunk.size() > MaxPartialLine)
            return overflowed(std::move(taken));
        m_partial += chunk;
        return taken;
    }

    const QStringView head = chunk.first(lastLf + 1);
    const QStringView rest = chunk.sliced(lastLf + 1);
    taken.lines.reserve(m_partial.size() + head.size());
    taken.lines += m_partial;
    taken.lines += head;
    m_partial.clear();
    if (rest.size() > MaxPartialLine)
        return overflowed(std::move(taken));
    m_partial = rest.toString();
    taken.kept = m_partial;
    return taken;
}

void LineAssembler::clear()
{
    m_partial = QString();
    m_discarding = false;
}

LineAssembler::Taken LineAssembler::overflowed(Taken taken)
{
    m_partial = QString();
    m_discarding = true;
    taken.kept.clear();
    taken.overflow = true;
    return taken;
}

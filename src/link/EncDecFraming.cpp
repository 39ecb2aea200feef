#include "EncDec.h"

#include <QtEndian>

// How lines are framed for the wire and how received text is cut into items.
namespace EncDec {

QString frameLineText(const QString& line)
{
    QString outer = EncodeBase64Str(SealStr(line, Key()));
    outer.remove(u'\r');
    outer.remove(u'\n');
    QString framed;
    framed.reserve(outer.size() + 3);
    framed += u'"';
    framed += outer;
    framed += u"\"\n";
    return framed;
}

QByteArray frameLine(const QString& line)
{
    const QString text = frameLineText(line);
    QByteArray out((text.size() + 1) * 2, Qt::Uninitialized);
    char* o = out.data();
    for (QChar c : text) {
        qToLittleEndian<quint16>(c.unicode(), o);
        o += 2;
    }
    o[0] = o[1] = 0;
    return out;
}

QString fromUtf16Le(QByteArrayView bytes)
{
    const qsizetype units = bytes.size() / 2;
    QString out(units, Qt::Uninitialized);
    char16_t* o = reinterpret_cast<char16_t*>(out.data());
    qsizetype i = 0;
    for (; i < units; ++i) {
        const char16_t c = qFromLittleEndian<quint16>(bytes.data() + 2 * i);
        if (c == 0)
            break;
        o[i] = c;
    }
    out.truncate(i);
    return out;
}

QByteArray frameReply(const QString& line)
{
    return toAnsi(frameLineText(line));
}

QStringList splitItems(QStringView text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text = text.first(nul);
    const char16_t* p = text.utf16();
    const qsizetype n = text.size();
    auto isBlank = [](char16_t c) { return c >= 1 && c <= 32; };
    QStringList items;
    qsizetype i = 0;
    while (true) {
        while (i < n && isBlank(p[i]))
            ++i;
        if (i >= n)
            break;
        if (p[i] != u'"') {
            const qsizetype start = i;
            while (i < n && !isBlank(p[i]))
                ++i;
            items.append(text.sliced(start, i - start).toString());
            continue;
        }
        ++i;
        const qsizetype start = i;
        qsizetype close = text.indexOf(u'"', i);
        if (close < 0 || close + 1 >= n || p[close + 1] != u'"') {
            // the common case: no doubled quote inside
            const qsizetype end = close < 0 ? n : close;
            items.append(text.sliced(start, end - start).toString());
            i = close < 0 ? n : close + 1;
            continue;
        }
        QString item;
        while (i < n) {
            if (p[i] == u'"') {
                if (i + 1 < n && p[i + 1] == u'"') {
                    item += u'"';
                    i += 2;
                    continue;
                }
                ++i;
                break;
            }
            item += QChar(p[i++]);
        }
        items.append(item);
    }
    return items;
}

} // namespace EncDec

#include "ClientParsing.h"

#include <QtNumeric>
#include <algorithm>
#include <charconv>
#include <stdexcept>

namespace ClientParsing {
namespace {

bool isDecimalDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// A rights character: a digit is false only for "0"; anything else, or no
// character at all, grants the right.
bool rightsFlag(const QString& text, qsizetype pos)
{
    if (pos >= text.size())
        return true;
    return text.at(pos) != QLatin1Char('0');
}

// Reads fields left to right without copying what is left each time.
class FieldReader
{
public:
    explicit FieldReader(QStringView text) : m_text(text) {}
    // The text before the next ";", which is consumed with it; nothing when no ";" is left.
    std::optional<QString> take()
    {
        const qsizetype semi = m_text.indexOf(QLatin1Char(';'));
        if (semi < 0)
            return std::nullopt;
        QString field = m_text.left(semi).toString();
        m_text = m_text.sliced(semi + 1);
        return field;
    }
    // The same without copying the field.
    std::optional<QStringView> takeView()
    {
        const qsizetype semi = m_text.indexOf(QLatin1Char(';'));
        if (semi < 0)
            return std::nullopt;
        const QStringView field = m_text.left(semi);
        m_text = m_text.sliced(semi + 1);
        return field;
    }
    QStringView rest() const { return m_text; }
    void skip(qsizetype n) { m_text = m_text.sliced(std::min(n, m_text.size())); }

private:
    QStringView m_text;
};

bool intByteFlag(QStringView text, bool fallback)
{
    bool ok = false;
    const qint64 value = text.toLongLong(&ok, 10);
    return ok ? (value & 0xFF) != 0 : fallback;
}

} // namespace

ClientRec parseClAdd(const QString& arg)
{
    ClientRec rec;
    const qsizetype first = arg.indexOf(QLatin1Char(';'));
    if (first < 0) {
        rec.IP = arg;
        return rec;
    }
    rec.IP = arg.left(first);
    rec.CanWrite = rightsFlag(arg, first + 1);
    FieldReader fields(QStringView(arg).sliced(std::min(first + 2, arg.size())));

    const qsizetype semi = fields.rest().indexOf(QLatin1Char(';'));
    if (semi >= 0) {
        rec.CanConfig = semi + 1 >= fields.rest().size() || fields.rest().at(semi + 1) != QLatin1Char('0');
        fields.skip(semi + 3);
    }

    if (auto f = fields.take())
        rec.Comp = std::move(*f);
    if (auto f = fields.take())
        rec.Ver = std::move(*f);
    if (auto f = fields.take())
        rec.TimeSaved = std::move(*f);
    if (auto f = fields.take())
        rec.MoneySaved = std::move(*f);
    if (auto f = fields.takeView())
        rec.Connected = intByteFlag(*f, false);
    if (auto f = fields.takeView())
        rec.Blocked = intByteFlag(*f, false);
    return rec;
}

bool parseBoolText(const QString& text)
{
    bool ok = false;
    const double number = QLocale::c().toDouble(text, &ok);
    if (ok && qIsFinite(number))
        return number != 0;
    const double local = QLocale().toDouble(text, &ok);
    if (ok && qIsFinite(local))
        return local != 0;
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    throw std::runtime_error(QStringLiteral("'%1' is not a valid boolean value").arg(text).toStdString());
}

BlockReply parseBlock(const QString& arg)
{
    BlockReply reply;
    const qsizetype semi = arg.indexOf(QLatin1Char(';'));
    if (semi < 0) {
        reply.comp = arg;
        return reply;
    }
    reply.comp = arg.left(semi);
    reply.flag = parseBoolText(arg.mid(semi + 1));
    return reply;
}

std::optional<StatsReply> parseStats(const QString& arg)
{
    FieldReader fields(arg);
    auto comp = fields.take();
    if (!comp)
        return std::nullopt;
    StatsReply reply{*comp, QStringLiteral("0"), QStringLiteral("0")};
    if (auto f = fields.take())
        reply.seconds = *f;
    if (auto f = fields.take())
        reply.money = *f;
    return reply;
}

FileStats parseFileStats(const QString& arg)
{
    FileStats stats;
    if (!arg.isEmpty() && isDecimalDigit(arg.at(0)))
        stats.readOnly = arg.at(0) != QLatin1Char('0');
    stats.editingBy = arg.mid(2);
    return stats;
}

qint64 intOr(const QString& text, qint64 fallback)
{
    bool ok = false;
    const qint64 value = text.toLongLong(&ok, 10);
    return ok ? value : fallback;
}

bool byteFlag(const QString& text)
{
    return intByteFlag(text, true);
}

QString SecondsToText(qint64 seconds)
{
    QStringList parts;
    const qint64 days = seconds / 86400;
    const qint64 hours = (seconds % 86400) / 3600;
    const qint64 minutes = (seconds % 3600) / 60;
    if (days > 0)
        parts << QString::number(days) + QLatin1Char('d');
    if (hours > 0)
        parts << QString::number(hours) + QLatin1Char('h');
    if (minutes > 0)
        parts << QString::number(minutes) + QLatin1Char('m');
    return parts.isEmpty() ? QStringLiteral("0") : parts.join(QLatin1Char(' '));
}

std::optional<double> moneyValue(const QString& text)
{
    // Amounts are short; longer texts take the slow path through a heap copy.
    char buffer[64];
    QByteArray heap;
    char* out = buffer;
    if (text.size() >= qsizetype(sizeof buffer)) {
        heap.resize(text.size());
        out = heap.data();
    }
    qsizetype n = 0;
    bool separator = false;
    bool digit = false;
    for (QChar c : text) {
        if (isDecimalDigit(c)) {
            out[n++] = char(c.unicode());
            digit = true;
        } else if (separator) {
            return std::nullopt;
        } else {
            out[n++] = '.';
            separator = true;
        }
    }
    if (!digit)
        return std::nullopt;
    double value = 0;
    const auto result = std::from_chars(out, out + n, value);
    if (result.ec != std::errc() || result.ptr != out + n)
        return std::nullopt;
    return value;
}

QString moneyText(long double sum, const QLocale& locale)
{
    QLocale format = locale;
    format.setNumberOptions(QLocale::OmitGroupSeparator);
    return format.toString(double(sum), 'g', 15);
}

} // namespace ClientParsing

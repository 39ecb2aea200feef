#include "ClientParsing.h"

#include <QtNumeric>
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

// Takes the text before the next ";" and removes it with its ";".
std::optional<QString> takeField(QString& rest)
{
    const qsizetype semi = rest.indexOf(QLatin1Char(';'));
    if (semi < 0)
        return std::nullopt;
    QString field = rest.left(semi);
    rest.remove(0, semi + 1);
    return field;
}

bool intByteFlag(const QString& text, bool fallback)
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
    QString rest = arg.mid(first + 2);

    const qsizetype semi = rest.indexOf(QLatin1Char(';'));
    if (semi >= 0) {
        rec.CanConfig = rightsFlag(rest, semi + 1);
        rest.remove(0, semi + 3);
    }

    if (auto f = takeField(rest))
        rec.Comp = *f;
    if (auto f = takeField(rest))
        rec.Ver = *f;
    if (auto f = takeField(rest))
        rec.TimeSaved = *f;
    if (auto f = takeField(rest))
        rec.MoneySaved = *f;
    if (auto f = takeField(rest))
        rec.Connected = intByteFlag(*f, false);
    if (auto f = takeField(rest))
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
    QString rest = arg;
    auto comp = takeField(rest);
    if (!comp)
        return std::nullopt;
    StatsReply reply{*comp, QStringLiteral("0"), QStringLiteral("0")};
    if (auto f = takeField(rest))
        reply.seconds = *f;
    if (auto f = takeField(rest))
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
    QByteArray number;
    number.reserve(text.size());
    bool separator = false;
    bool digit = false;
    for (QChar c : text) {
        if (isDecimalDigit(c)) {
            number.append(char(c.unicode()));
            digit = true;
        } else if (separator) {
            return std::nullopt;
        } else {
            number.append('.');
            separator = true;
        }
    }
    if (!digit)
        return std::nullopt;
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (!ok)
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

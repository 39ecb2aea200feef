#include "link/VersionNumber.h"

#include <QStringList>
#include <limits>

int VersionToInt(const QString& text)
{
    // Each dot is replaced by the zeros that widen the digits after it to a
    // multiple of three, working from the end of the text.
    QString digits = text;
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        if (digits[i] != QLatin1Char('.')) {
            continue;
        }
        digits.remove(i, 1);
        const qsizetype following = digits.size() - i;
        if (following % 3 > 0) {
            digits.insert(i, QString(3 - following % 3, QLatin1Char('0')));
        }
    }
    if (digits.isEmpty()) {
        return 0;
    }
    qint64 value = 0;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return 0;
        }
        value = value * 10 + (c.unicode() - '0');
        if (value > std::numeric_limits<int>::max()) {
            return 0;
        }
    }
    return int(value);
}

QString VersionToText(int n)
{
    if (n <= 0) {
        return QString();
    }
    QStringList groups;
    while (n > 0) {
        groups.prepend(QString::number(n % 1000));
        n /= 1000;
    }
    return groups.join(QLatin1Char('.'));
}

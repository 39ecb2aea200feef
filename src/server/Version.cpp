#include "server/Version.h"

#include <QStringList>

qint64 Version::toInt(const QString& text)
{
    const QStringList parts = text.trimmed().split(QLatin1Char('.'));
    if (parts.isEmpty() || parts.size() > 3) {
        return 0;
    }
    qint64 result = 0;
    for (int i = 0; i < 3; ++i) {
        int value = 0;
        if (i < parts.size()) {
            bool ok = false;
            value = parts.at(i).toInt(&ok);
            if (!ok || value < 0 || (i > 0 && value > 999) || value > 999999) {
                return 0;
            }
        }
        result = result * 1000 + value;
    }
    return result;
}

QString Version::own()
{
    return QStringLiteral(SCRIBOLT_VERSION);
}

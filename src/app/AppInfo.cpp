#include "app/AppInfo.h"

namespace AppInfo {

QString versionString()
{
    return QStringLiteral(SCRIBOLT_VERSION);
}

QString windowCaption()
{
    return QStringLiteral("Scribolt Vodave Durerir v") + versionString();
}

Switches parseSwitches(const QStringList& arguments)
{
    Switches s;
    // The first entry is the program itself.
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        if (arg.compare(QLatin1String("-debug"), Qt::CaseInsensitive) == 0) {
            s.debug = true;
        } else if (arg.compare(QLatin1String("-block"), Qt::CaseInsensitive) == 0) {
            s.block = true;
        } else if (arg.compare(QLatin1String("-local"), Qt::CaseInsensitive) == 0) {
            s.local = true;
        } else if (arg.compare(QLatin1String("-reconnect"), Qt::CaseInsensitive) == 0) {
            s.reconnect = true;
        }
    }
    return s;
}

} // namespace AppInfo

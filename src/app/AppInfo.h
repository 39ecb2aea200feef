#pragma once

#include <QString>
#include <QStringList>

// Facts about this build and this start of the program.
namespace AppInfo {

// "major.minor.release" of the build; the build number is not part of it.
QString versionString();
// "Scribolt Vodave Durerir v" + version.
QString windowCaption();
inline constexpr const char* ApplicationTitle = "Scribolt Vodave Durerir";

struct Switches
{
    bool debug = false;
    bool block = false;
    bool local = false;
    bool reconnect = false;  // ask a running console to reconnect, then exit
};

// Compares every parameter without regard to case; anything else is ignored.
Switches parseSwitches(const QStringList& arguments);

} // namespace AppInfo

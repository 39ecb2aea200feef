#pragma once

#include <QString>

#include "link/VersionNumber.h"

// Versions are compared as VersionToInt gives them: 8.0.21 is 8000021.
namespace Version {

inline qint64 toInt(const QString& text)
{
    return VersionToInt(text);
}

// The server's own version (the project version compiled in).
QString own();

// Consoles and workstations older than this are not served.
constexpr qint64 MinimumPeer = 8000000;

} // namespace Version

#pragma once

#include <QString>

// Dotted versions as integers with three decimal digits per part after the
// first: 8.0.21 is 8000021. Text that is not a version gives 0.
namespace Version {

qint64 toInt(const QString& text);

// The server's own version (the project version compiled in).
QString own();

// Consoles and workstations older than this are not served.
constexpr qint64 MinimumPeer = 8000000;

} // namespace Version

#pragma once

#include <QString>

// A value sent after a command keyword must stay on the command's line.
inline bool isSingleLine(const QString& value)
{
    return !value.contains(u'\r') && !value.contains(u'\n') && !value.contains(QChar(0));
}

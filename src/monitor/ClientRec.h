#pragma once

#include <QString>

// One client workstation as the server describes it. Numbers stay text as
// received; they are read only where they are shown or summed.
struct ClientRec
{
    QString IP;
    bool CanWrite = true;
    bool CanConfig = true;
    QString Comp;
    QString Ver;
    QString TimeSaved = QStringLiteral("0");
    QString MoneySaved = QStringLiteral("0");
    bool Blocked = false;
    bool Connected = false;
};

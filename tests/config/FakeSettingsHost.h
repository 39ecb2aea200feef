#pragma once

#include "config/SettingsHost.h"

#include <QStringList>
#include <QWidget>

// Stands in for the main window: records what the settings send and do.
class FakeSettingsHost : public SettingsHost
{
public:
    void SendCommand(const QString& cmd) override { commands.append(cmd); }
    void SendInitialQuery() override { commands.append(QStringLiteral("<initial query>")); }
    void ClearClientList() override { commands.append(QStringLiteral("<clear client list>")); }
    void SaveLocalSettings() override { ++saves; }
    void RefreshWindowState() override { ++refreshes; }
    bool isConnected() const override { return connected; }
    bool doStats() const override { return stats; }
    void setHintStatus(int status) override { hintStatus = status; }
    QWidget* dialogParent() override { return &window; }

    QStringList commands;
    int saves = 0;
    int refreshes = 0;
    int hintStatus = 0;
    bool connected = true;
    bool stats = true;
    QWidget window;
};

#pragma once

#include <QString>

class QWidget;

// What the server settings need from the main window.
class SettingsHost
{
public:
    virtual ~SettingsHost() = default;

    virtual void SendCommand(const QString& cmd) = 0;
    virtual void SendInitialQuery() = 0;
    virtual void ClearClientList() = 0;
    virtual void SaveLocalSettings() = 0;
    virtual void RefreshWindowState() = 0;
    virtual bool isConnected() const = 0;
    // The statistics switch as the client monitor holds it.
    virtual bool doStats() const = 0;
    virtual void setHintStatus(int status) = 0;
    virtual QWidget* dialogParent() = 0;
};

#pragma once

#include <QString>

class QWidget;

// What the client monitor needs of the main window. The window implements it;
// tests give a recording fake.
class MonitorHost
{
public:
    virtual ~MonitorHost() = default;

    // Queues one command line for the server.
    virtual void SendCommand(const QString& cmd) = 0;
    // The full window refresh; the window may coalesce calls.
    virtual void RefreshWindowState() = 0;
    virtual void UpdateClientCountLabel() = 0;
    virtual void UpdateFileStatus() = 0;
    // The totals line under the grid changed its text.
    virtual void SetTotalsText(const QString& text) = 0;
    virtual void DoLog(const QString& msg) = 0;
    virtual bool isConnected() const = 0;
    // The statistics switch changed; the remembered server setting follows it.
    virtual void onDoStatsSet(bool on) = 0;
    virtual QWidget* dialogParent() = 0;
};

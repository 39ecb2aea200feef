#pragma once

#include <QString>

struct MainWindowUi;
class QWidget;

// Everything the window's status display depends on, gathered from the
// subsystems at the moment of the refresh.
struct WindowStateInputs
{
    bool connected = false;
    QString fCurServer;
    QString fServVer;
    QString fServerIP;
    QString serverEditText;
    QString localCompName;
    bool TCPOk = false;
    int tcpPort = 0;  // the port remembered from the server
    int fclCount = 0;
    QString fileStatusText;
    bool settingsChanged = false;
    bool isStartFinished = false;
    int hintStatus = 0;
    bool fDoStats = false;
    bool doBlock = false;
    bool hasPassword = false;
    bool blockEnabled = false;
    bool unblockEnabled = false;
};

// Recomputes labels, colours, visible tabs and enabled controls of the window.
// Returns the hint status, which becomes 1 when the Update button ends up
// enabled.
int applyWindowState(const WindowStateInputs& in, const MainWindowUi& ui, QWidget* window);

// The hint line alone.
void applyHint(const WindowStateInputs& in, const MainWindowUi& ui);

// Whether the Browse button may be used: only for a server on this computer.
bool browseAllowed(const WindowStateInputs& in);

// The client count label's text.
QString clientCountText(bool connected, int fclCount);

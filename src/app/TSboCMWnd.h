#pragma once

#include "app/AppInfo.h"
#include "app/DebugTrace.h"
#include "app/MainWindowUi.h"
#include "config/SettingsHost.h"
#include "link/LinkHost.h"
#include "monitor/MonitorHost.h"

#include <QStringList>
#include <QWidget>
#include <memory>

class ClientMonitor;
class ClientsGrid;
class NetworkGroup;
class PhrasesPage;
class PipeLink;
class ServerSettings;
class TWaitDlg;
struct WindowStateInputs;

// The main window: owner of the run-time state. Each subsystem keeps its own
// state in an object of its folder; the window builds them, places their
// widgets, routes the server's replies to them and refreshes what it shows.
class TSboCMWnd : public QWidget, public LinkHost, public MonitorHost, public SettingsHost
{
    Q_OBJECT
public:
    explicit TSboCMWnd(const QStringList& arguments, QWidget* parent = nullptr);
    ~TSboCMWnd() override;
    TSboCMWnd(const TSboCMWnd&) = delete;
    TSboCMWnd& operator=(const TSboCMWnd&) = delete;

    const MainWindowUi& ui() const { return m_ui; }
    int updateInc() const { return m_updateInc; }

    PipeLink& link() { return *m_link; }
    ClientMonitor& monitor() { return *m_monitor; }
    ServerSettings& settings() { return *m_settings; }
    ClientsGrid& clientsGrid() { return *ClientsList; }

    // Shared by the subsystems' host interfaces.
    void DoLog(const QString& msg) override { m_trace.DoLog(msg); }
    void RefreshWindowState() override;
    void ClearClientList() override;
    void SendCommand(const QString& cmd) override;
    bool isConnected() const override;
    QWidget* dialogParent() override { return this; }
    void setHintStatus(int status) override { hintStatus = status; }

    // The server link's side.
    QString serverEditText() const override;
    void setReconBtnEnabled(bool enabled) override;
    void showWaitNotice(bool show) override;
    void clearServerLog() override;
    bool dispatchReply(int code, const QString& argument) override;
    void openDownloadPage() override;

    // The client monitor's side.
    void UpdateClientCountLabel() override;
    void UpdateFileStatus() override;
    void SetTotalsText(const QString& text) override;
    void onDoStatsSet(bool on) override;

    // The server settings' side.
    void SendInitialQuery() override;
    void SaveLocalSettings() override;
    bool doStats() const override;

    // Runs the coalesced refresh now; tests use it to see the result at once.
    void refreshNow();

    // Help for a keyword (empty: the page with a bare "#").
    void showHelp(const QString& keyword);
    static QString GetLocalCompName();
    static QString StripBackslashes(const QString& text);

    // Brings the window to the front, shown normally (second start).
    void showNormallyInFront();
    void ReconnectRequest();

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void FormCreate(const QStringList& arguments);
    void FormDestroy();
    void applySwitches();
    void connectSignals();
    void PageControlChange(int index);
    void HelpBtnClick();
    void ExitBtnClick();
    void StartupMessage();
    void RelayoutTabs();
    void buildSubsystems();
    void LoadLocalSettings();
    void ServerEditChange();
    WindowStateInputs gatherWindowState() const;

    MainWindowUi m_ui;
    DebugTrace m_trace;
    AppInfo::Switches m_switches;
    int m_updateInc = 0;
    int hintStatus = 0;
    bool m_destroyed = false;
    bool m_refreshQueued = false;
    QString fLogPath;

    NetworkGroup* m_network = nullptr;
    PhrasesPage* m_phrases = nullptr;
    ClientsGrid* ClientsList = nullptr;
    std::unique_ptr<ClientMonitor> m_monitor;
    std::unique_ptr<ServerSettings> m_settings;
    std::unique_ptr<PipeLink> m_link;
    std::unique_ptr<TWaitDlg> m_waitDlg;
};

#pragma once

#include "app/AppInfo.h"
#include "app/DebugTrace.h"
#include "app/MainWindowUi.h"

#include <QStringList>
#include <QWidget>

// The main window: owner of the run-time state. Each subsystem keeps its own
// state in an object of its folder; the window builds them, places their
// widgets, routes the server's replies to them and refreshes what it shows.
class TSboCMWnd : public QWidget
{
    Q_OBJECT
public:
    explicit TSboCMWnd(const QStringList& arguments, QWidget* parent = nullptr);
    ~TSboCMWnd() override;
    TSboCMWnd(const TSboCMWnd&) = delete;
    TSboCMWnd& operator=(const TSboCMWnd&) = delete;

    const MainWindowUi& ui() const { return m_ui; }
    bool doDebug() const { return m_trace.isEnabled(); }
    bool doBlock() const { return m_switches.block; }
    int updateInc() const { return m_updateInc; }

    void DoLog(const QString& msg) { m_trace.DoLog(msg); }
    const DebugTrace& trace() const { return m_trace; }

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

    MainWindowUi m_ui;
    DebugTrace m_trace;
    AppInfo::Switches m_switches;
    int m_updateInc = 0;
    int hintStatus = 0;
    bool gotTCPMessage = false;
    bool m_destroyed = false;
};

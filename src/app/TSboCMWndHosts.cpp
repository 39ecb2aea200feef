// The main window's side of the subsystems' host interfaces: where the server
// link, the client monitor and the server settings reach the window.
#include "app/TSboCMWnd.h"
#include "app/WaitDlg.h"
#include "app/WindowRefresh.h"
#include "config/ServerSettings.h"
#include "i18n/FTLanguage.h"
#include "i18n/WebPages.h"
#include "link/PipeLink.h"
#include "link/ReplyCodes.h"
#include "monitor/ClientMonitor.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>

void TSboCMWnd::RefreshWindowState()
{
    // Replies come in bursts; the window shows the state after the burst.
    // The refresh runs once the events already queued have been handled.
    if (m_refreshQueued) {
        return;
    }
    m_refreshQueued = true;
    QMetaObject::invokeMethod(this, &TSboCMWnd::refreshNow, Qt::QueuedConnection);
}

void TSboCMWnd::refreshNow()
{
    m_refreshQueued = false;
    if (m_destroyed) {
        return;
    }
    hintStatus = applyWindowState(gatherWindowState(), m_ui, this);
}

WindowStateInputs TSboCMWnd::gatherWindowState() const
{
    WindowStateInputs in;
    in.connected = m_link->isConnected();
    in.fCurServer = m_link->fCurServer;
    in.fServVer = m_link->fServVer;
    in.fServerIP = m_link->fServerIP;
    in.serverEditText = m_ui.ServerEdit->text();
    in.localCompName = GetLocalCompName();
    in.TCPOk = m_settings->TCPOk;
    in.tcpPort = m_settings->OldSettings.tcpPort;
    in.fclCount = m_monitor->fclCount();
    in.fileStatusText = m_monitor->fileStatusText();
    in.settingsChanged = m_settings->SettingsChanged();
    in.isStartFinished = m_link->isStartFinished;
    in.hintStatus = hintStatus;
    in.fDoStats = m_monitor->fDoStats();
    in.doBlock = m_switches.block;
    in.hasPassword = !m_settings->curPass.isEmpty();
    in.blockEnabled = m_monitor->blockEnabled();
    in.unblockEnabled = m_monitor->unblockEnabled();
    return in;
}

void TSboCMWnd::ClearClientList()
{
    m_monitor->ClearClientList();
}

void TSboCMWnd::SendCommand(const QString& cmd)
{
    m_link->SendCommand(cmd);
}

bool TSboCMWnd::isConnected() const
{
    return m_link && m_link->isConnected();
}

QString TSboCMWnd::serverEditText() const
{
    return m_ui.ServerEdit->text();
}

void TSboCMWnd::setReconBtnEnabled(bool enabled)
{
    m_ui.ReconBtn->setEnabled(enabled);
}

void TSboCMWnd::showWaitNotice(bool show)
{
    if (!show) {
        m_waitDlg.reset();
        return;
    }
    m_waitDlg = std::make_unique<TWaitDlg>(this);
    TFTLanguage::instance().Translate(m_waitDlg.get());
    if (isVisible()) {
        m_waitDlg->show();
        // Let it paint once; user input waits until the attempt is over.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

void TSboCMWnd::clearServerLog()
{
    m_ui.LogMemo->clear();
}

bool TSboCMWnd::dispatchReply(int code, const QString& argument)
{
    switch (code) {
    case RC_clcount:
    case RC_cladd:
    case RC_cldel:
    case RC_block:
    case RC_stats:
    case RC_ncclient:
    case RC_getfilestats:
    case RC_getdefwrite:
    case RC_getdefconfig:
        return m_monitor->handleReply(code, argument);
    case RC_getdostats: {
        const bool refresh = m_monitor->handleReply(code, argument);
        m_settings->onDoStatsSet(m_monitor->fDoStats());
        return refresh;
    }
    case RC_addlog:
        m_ui.LogMemo->appendPlainText(argument);
        return true;
    case RC_getlogpath:
        fLogPath = argument;
        return true;
    case RC_getconfigpath:
        return true;
    default:
        m_settings->handleReply(code, argument);
        return true;
    }
}

void TSboCMWnd::openDownloadPage()
{
    QDesktopServices::openUrl(QUrl(downloadPageUrl(TFTLanguage::instance().CurLanguageID())));
}

void TSboCMWnd::UpdateClientCountLabel()
{
    m_ui.ClCountLbl->setText(clientCountText(isConnected(), m_monitor ? m_monitor->fclCount() : 0));
}

void TSboCMWnd::UpdateFileStatus()
{
    const QString text = m_monitor->fileStatusText();
    if (auto* label = findChild<QLabel*>(QStringLiteral("FileStatLbl"))) {
        label->setText(text);
    }
    m_ui.FileStatGenLbl->setText(text);
}

void TSboCMWnd::SetTotalsText(const QString& text)
{
    m_ui.StatLbl->setText(text);
}

void TSboCMWnd::onDoStatsSet(bool on)
{
    if (m_settings) {
        m_settings->onDoStatsSet(on);
    }
}

void TSboCMWnd::SendInitialQuery()
{
    m_link->SendInitialQuery();
}

void TSboCMWnd::SaveLocalSettings()
{
    // The local settings file is written here once the console keeps one.
}

void TSboCMWnd::LoadLocalSettings()
{
    // The local settings file is read here once the console keeps one.
}

bool TSboCMWnd::doStats() const
{
    return m_monitor->fDoStats();
}

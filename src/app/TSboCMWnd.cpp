#include "app/TSboCMWnd.h"

#include "app/WaitDlg.h"
#include "app/WindowRefresh.h"
#include "app/WindowMessages.h"
#include "config/NetworkGroup.h"
#include "config/PhrasesPage.h"
#include "config/ServerSettings.h"
#include "i18n/FTLanguage.h"
#include "i18n/WebPages.h"
#include "link/PipeLink.h"
#include "link/PipeLocation.h"
#include "monitor/ClientMonitor.h"
#include "monitor/ClientsGrid.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScreen>
#include <QTabWidget>
#include <QUrl>

using namespace WindowMessages;

TSboCMWnd::TSboCMWnd(const QStringList& arguments, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("TSboCMWnd"));
    m_ui.setupUi(this);
    m_trace.setMemo(m_ui.DebugMemo);
    buildSubsystems();
    FormCreate(arguments);
}

TSboCMWnd::~TSboCMWnd()
{
    FormDestroy();
    // The grid works on the client monitor, which goes with this object's
    // members, before the child widgets would go.
    delete ClientsList;
    ClientsList = nullptr;
}

void TSboCMWnd::buildSubsystems()
{
    m_network = new NetworkGroup;
    m_network->setFixedHeight(112);
    m_ui.serverLayout->insertWidget(1, m_network);
    m_phrases = new PhrasesPage;
    m_ui.phrasesLayout->addWidget(m_phrases, 1);

    m_monitor = std::make_unique<ClientMonitor>(*this);
    ClientsList = new ClientsGrid(*m_monitor, *this);
    m_ui.monitorLayout->insertWidget(1, ClientsList, 1);
    m_settings = std::make_unique<ServerSettings>(*this, *m_network, *m_phrases);
    m_link = std::make_unique<PipeLink>(*this, AppInfo::versionString());
}

void TSboCMWnd::FormCreate(const QStringList& arguments)
{
    setWindowTitle(AppInfo::windowCaption());
    setMinimumSize(584, 490);
    resize(718, 490);
    m_ui.PageControl->setTabVisible(MainWindowUi::DebugTab, false);
    m_trace.setEnabled(false);

    m_switches = AppInfo::parseSwitches(arguments);
    applySwitches();

    DoLog(QStringLiteral("Scribolt Vodave Durerir ") + AppInfo::versionString() + QStringLiteral(" debug file"));
    DoLog(QString(72, QLatin1Char('-')));

    TFTLanguage& lang = TFTLanguage::instance();
    lang.setSource(defaultLanguageFile());
    lang.chooseLanguageFromLocale();
    lang.Translate(this);
    m_network->alignCaptions();
    m_phrases->alignCaptions();

    m_monitor->SetClientCount(0);
    hintStatus = 0;
    m_settings->loadStartValues();
    m_ui.ServerEdit->setText(QStringLiteral("."));

    LoadLocalSettings();
    ClientsList->SetupClientsGrid();

    m_ui.PageControl->setCurrentIndex(MainWindowUi::MonitorTab);
    m_updateInc = int(QRandomGenerator::global()->bounded(3));
    m_settings->gotTCPMessage = false;
    connectSignals();
    QCoreApplication::postEvent(this, new Message(WM_STARTUP));
}

void TSboCMWnd::applySwitches()
{
    if (m_switches.debug) {
        m_trace.setEnabled(true);
        m_ui.PageControl->setTabVisible(MainWindowUi::DebugTab, true);
    }
    m_ui.blockRow->setVisible(m_switches.block);
    m_phrases->setLocalMode(m_switches.local);
}

void TSboCMWnd::connectSignals()
{
    connect(m_ui.ExitBtn, &QPushButton::clicked, this, &TSboCMWnd::ExitBtnClick);
    connect(m_ui.HelpBtn, &QPushButton::clicked, this, &TSboCMWnd::HelpBtnClick);
    connect(m_ui.PageControl, &QTabWidget::currentChanged, this, &TSboCMWnd::PageControlChange);
    connect(m_ui.ReconBtn, &QPushButton::clicked, this, [this] { m_link->ReconBtnClick(); });
    connect(m_ui.ServerEdit, &QLineEdit::textChanged, this, &TSboCMWnd::ServerEditChange);
    connect(m_ui.ServerEdit, &QLineEdit::returnPressed, this, [this] { m_link->ReconBtnClick(); });
    connect(m_ui.UpdateBtn, &QPushButton::clicked, m_settings.get(), &ServerSettings::UpdateBtnClick);
    connect(m_ui.ActBtn2, &QPushButton::clicked, m_monitor.get(), &ClientMonitor::BlockSelected);
    connect(m_ui.ActBtn3, &QPushButton::clicked, m_monitor.get(), &ClientMonitor::UnblockSelected);
    connect(ClientsList, &ClientsGrid::selectionChangedForButtons, this, [this] {
        m_ui.ActBtn2->setEnabled(m_monitor->blockEnabled());
        m_ui.ActBtn3->setEnabled(m_monitor->unblockEnabled());
    });
}

void TSboCMWnd::ServerEditChange()
{
    const QString text = m_ui.ServerEdit->text();
    m_ui.ReconBtn->setEnabled(!text.isEmpty() && text != m_link->fCurServer);
}

void TSboCMWnd::FormDestroy()
{
    if (m_destroyed) {
        return;
    }
    m_destroyed = true;
    SaveLocalSettings();
    m_link->shutdown();
    m_waitDlg.reset();
}

bool TSboCMWnd::event(QEvent* e)
{
    if (e->type() == eventType(WM_STARTUP)) {
        StartupMessage();
        return true;
    }
    if (e->type() == eventType(WM_RECONNECT)) {
        ReconnectRequest();
        return true;
    }
    return QWidget::event(e);
}

void TSboCMWnd::StartupMessage()
{
    show();
    // Without a connection the refresh leaves the console on the Server tab.
    m_link->ConnectPipe(true);
}

void TSboCMWnd::ReconnectRequest()
{
    m_link->ConnectPipe(m_settings->isFirstStart);
}

void TSboCMWnd::closeEvent(QCloseEvent* e)
{
    FormDestroy();
    e->accept();
}

void TSboCMWnd::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    RelayoutTabs();
}

void TSboCMWnd::RelayoutTabs()
{
    if (m_phrases) {
        m_phrases->relayout();
    }
}

void TSboCMWnd::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_F1) {
        // Help for the part of the window that has the focus: the nearest
        // enclosing control that carries a help keyword decides the anchor.
        QString keyword;
        QWidget* start = focusWidget() ? focusWidget() : QApplication::focusWidget();
        for (QWidget* w = start; w; w = w->parentWidget()) {
            const QVariant k = w->property("helpKeyword");
            if (k.isValid()) {
                keyword = k.toString();
                break;
            }
        }
        showHelp(keyword);
        return;
    }
    QWidget::keyPressEvent(e);
}

void TSboCMWnd::showHelp(const QString& keyword)
{
    const QString url = helpPageUrl(TFTLanguage::instance().CurLanguageIDStr(), keyword, true);
    QDesktopServices::openUrl(QUrl(url));
}

void TSboCMWnd::HelpBtnClick()
{
    showHelp(QString());
}

void TSboCMWnd::ExitBtnClick()
{
    close();
}

void TSboCMWnd::PageControlChange(int)
{
    hintStatus = 1;
    applyHint(gatherWindowState(), m_ui);
}

void TSboCMWnd::showNormallyInFront()
{
    showNormal();
    raise();
    activateWindow();
}

QString TSboCMWnd::GetLocalCompName()
{
    return PipeLocation::localComputerName();
}

QString TSboCMWnd::StripBackslashes(const QString& text)
{
    return PipeLocation::StripBackslashes(text);
}

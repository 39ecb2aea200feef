#include "app/TSboCMWnd.h"

#include "app/WindowMessages.h"
#include "i18n/FTLanguage.h"
#include "i18n/WebPages.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QHostInfo>
#include <QKeyEvent>
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
    FormCreate(arguments);
}

TSboCMWnd::~TSboCMWnd()
{
    FormDestroy();
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

    hintStatus = 0;
    m_ui.ServerEdit->setText(QStringLiteral("."));

    m_ui.PageControl->setCurrentIndex(MainWindowUi::MonitorTab);
    m_updateInc = int(QRandomGenerator::global()->bounded(3));
    gotTCPMessage = false;
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
}

void TSboCMWnd::connectSignals()
{
    connect(m_ui.ExitBtn, &QPushButton::clicked, this, &TSboCMWnd::ExitBtnClick);
    connect(m_ui.HelpBtn, &QPushButton::clicked, this, &TSboCMWnd::HelpBtnClick);
    connect(m_ui.PageControl, &QTabWidget::currentChanged, this, &TSboCMWnd::PageControlChange);
}

void TSboCMWnd::FormDestroy()
{
    if (m_destroyed) {
        return;
    }
    m_destroyed = true;
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
}

void TSboCMWnd::ReconnectRequest()
{
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
}

void TSboCMWnd::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_F1) {
        // Help for the part of the window that has the focus: the nearest
        // enclosing control that carries a help keyword decides the anchor.
        QString keyword;
        for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
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
}

void TSboCMWnd::showNormallyInFront()
{
    showNormal();
    raise();
    activateWindow();
}

QString TSboCMWnd::GetLocalCompName()
{
    // Windows computer names have at most 15 characters.
    return QHostInfo::localHostName().section(QLatin1Char('.'), 0, 0).left(15);
}

QString TSboCMWnd::StripBackslashes(const QString& text)
{
    QString result = text;
    result.remove(QLatin1Char('\\'));
    return result;
}

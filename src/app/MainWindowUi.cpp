#include "app/MainWindowUi.h"

#include "app/FlatTabBar.h"
#include "i18n/FTLanguage.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

template <typename T, typename... Args>
T* make(const char* name, int tag, Args&&... args)
{
    T* w = new T(std::forward<Args>(args)...);
    w->setObjectName(QLatin1String(name));
    if (tag != 0) {
        TFTLanguage::setTag(w, tag);
    }
    return w;
}

QVBoxLayout* pageLayout(QWidget* page)
{
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(3, 3, 3, 3);
    layout->setSpacing(6);
    return layout;
}

QLabel* valueLabel(const char* name, const QString& text)
{
    QLabel* l = make<QLabel>(name, 0, text);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

void buildMonitor(MainWindowUi& ui, QWidget* page)
{
    ui.monitorLayout = pageLayout(page);
    ui.InfoGroup = make<QGroupBox>("InfoGroup", 10, QStringLiteral("Information"));
    ui.InfoGroup->setFixedHeight(112);
    auto* info = new QGridLayout(ui.InfoGroup);
    info->setHorizontalSpacing(6);
    ui.stStatusLbl = make<QLabel>("stStatusLbl", 11, QStringLiteral("Status:"));
    ui.stClLbl = make<QLabel>("stClLbl", 12, QStringLiteral("Clients connected:"));
    ui.stFileLbl = make<QLabel>("stFileLbl", 13, QStringLiteral("Phrase file status:"));
    ui.stTCPLbl = make<QLabel>("stTCPLbl", 15, QStringLiteral("TCP Status:"));
    ui.ConStatGenLbl = valueLabel("ConStatGenLbl", QStringLiteral("Connected to the server on Main"));
    ui.ClCountLbl = valueLabel("ClCountLbl", QStringLiteral("0"));
    ui.FileStatGenLbl = valueLabel("FileStatGenLbl", QStringLiteral("OK"));
    ui.TCPStatGenLbl = valueLabel("TCPStatGenLbl", QStringLiteral("Running on Port 1030"));
    // Captions right-aligned in one column, values 6 pixels to their right.
    const QList<QPair<QLabel*, QLabel*>> rows = {{ui.stStatusLbl, ui.ConStatGenLbl},
                                                 {ui.stTCPLbl, ui.TCPStatGenLbl},
                                                 {ui.stClLbl, ui.ClCountLbl},
                                                 {ui.stFileLbl, ui.FileStatGenLbl}};
    for (int r = 0; r < rows.size(); ++r) {
        rows[r].first->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        info->addWidget(rows[r].first, r, 0);
        info->addWidget(rows[r].second, r, 1);
    }
    info->setColumnStretch(1, 1);
    ui.monitorLayout->addWidget(ui.InfoGroup);

    // The clients grid goes between the information group and the button row.
    ui.blockRow = new QWidget;
    ui.blockRow->setObjectName(QStringLiteral("blockRow"));
    auto* buttons = new QHBoxLayout(ui.blockRow);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(6);
    ui.ActBtn2 = make<QPushButton>("ActBtn2", 46, QStringLiteral("Block"));
    ui.ActBtn3 = make<QPushButton>("ActBtn3", 47, QStringLiteral("Unblock"));
    for (QPushButton* b : {ui.ActBtn2, ui.ActBtn3}) {
        b->setFixedSize(145, 25);
        b->setEnabled(false);
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    ui.monitorLayout->addWidget(ui.blockRow);

    ui.StatLbl = make<QLabel>("StatLbl", 0);
    QFont bold = ui.StatLbl->font();
    bold.setBold(true);
    ui.StatLbl->setFont(bold);
    ui.StatLbl->setAlignment(Qt::AlignCenter);
    ui.StatLbl->setFixedHeight(13);
    ui.monitorLayout->addWidget(ui.StatLbl);
}

void buildServer(MainWindowUi& ui, QWidget* page)
{
    ui.serverLayout = pageLayout(page);
    ui.ServerGroup = make<QGroupBox>("ServerGroup", 70, QStringLiteral("Server location:"));
    ui.ServerGroup->setFixedHeight(87);
    auto* grid = new QGridLayout(ui.ServerGroup);
    ui.ServerEdit = make<QLineEdit>("ServerEdit", 0, QStringLiteral("."));
    ui.ReconBtn = make<QPushButton>("ReconBtn", 71, QStringLiteral("Connect"));
    ui.AutoSearchBtn = make<QPushButton>("AutoSearchBtn", 73, QStringLiteral("Autosearch Server"));
    ui.LogBtn = make<QPushButton>("LogBtn", 75, QStringLiteral("Show server log"));
    ui.stServStatLbl = make<QLabel>("stServStatLbl", 640, QStringLiteral("Status:"));
    ui.ConStatLbl = valueLabel("ConStatLbl", QStringLiteral("Connected to the server on Main"));
    grid->addWidget(ui.ServerEdit, 0, 0, 1, 2);
    grid->addWidget(ui.ReconBtn, 0, 2);
    grid->addWidget(ui.AutoSearchBtn, 0, 3);
    grid->addWidget(ui.stServStatLbl, 1, 0);
    grid->addWidget(ui.ConStatLbl, 1, 1, 1, 2);
    grid->addWidget(ui.LogBtn, 1, 3);
    grid->setColumnStretch(1, 1);
    ui.LogBtn->hide();
    ui.serverLayout->addWidget(ui.ServerGroup);

    // The network settings group is inserted here, at index 1.
    ui.ProxyGroup = make<QGroupBox>("ProxyGroup", 110, QStringLiteral("Proxy settings"));
    ui.ProxyGroup->setFixedHeight(146);
    auto* proxy = new QGridLayout(ui.ProxyGroup);
    ui.IEProxyRadio = make<QRadioButton>("IEProxyRadio", 111, QStringLiteral("Obtain configuration from Internet Explorer"));
    ui.ManualProxyRadio = make<QRadioButton>("ManualProxyRadio", 112, QStringLiteral("Manual proxy configuration"));
    ui.IEProxyRadio->setChecked(true);
    ui.proxyServerLbl = make<QLabel>("ProxyServLbl", 113, QStringLiteral("Server:"));
    ui.proxyPortLbl = make<QLabel>("ProxyPortLbl", 114, QStringLiteral("Port:"));
    ui.proxyUserLbl = make<QLabel>("UsrLbl", 115, QStringLiteral("Username:"));
    ui.proxyPassLbl = make<QLabel>("PassLbl", 116, QStringLiteral("Password:"));
    ui.ProxyServEdit = make<QLineEdit>("ProxyServEdit", 0);
    ui.ProxyPortEdit = make<QLineEdit>("ProxyPortEdit", 0, QStringLiteral("80"));
    ui.UsrEdit = make<QLineEdit>("UsrEdit", 0);
    ui.PassEdit = make<QLineEdit>("PassEdit", 0);
    ui.PassEdit->setEchoMode(QLineEdit::Password);
    proxy->addWidget(ui.IEProxyRadio, 0, 0, 1, 4);
    proxy->addWidget(ui.ManualProxyRadio, 1, 0, 1, 4);
    proxy->addWidget(ui.proxyServerLbl, 2, 0, Qt::AlignRight);
    proxy->addWidget(ui.ProxyServEdit, 2, 1);
    proxy->addWidget(ui.proxyPortLbl, 2, 2, Qt::AlignRight);
    proxy->addWidget(ui.ProxyPortEdit, 2, 3);
    proxy->addWidget(ui.proxyUserLbl, 3, 0, Qt::AlignRight);
    proxy->addWidget(ui.UsrEdit, 3, 1);
    proxy->addWidget(ui.proxyPassLbl, 3, 2, Qt::AlignRight);
    proxy->addWidget(ui.PassEdit, 3, 3);
    proxy->setColumnStretch(1, 1);
    proxy->setColumnStretch(3, 1);
    ui.serverLayout->addWidget(ui.ProxyGroup);
    ui.serverLayout->addStretch(1);
}

void buildUpdates(MainWindowUi& ui, QWidget* page)
{
    QVBoxLayout* layout = pageLayout(page);
    ui.UpdatesGroup = make<QGroupBox>("UpdatesGroup", 256, QStringLiteral("Online Updates"));
    ui.UpdatesGroup->setProperty("helpKeyword", QStringLiteral("update"));
    ui.UpdatesGroup->setFixedHeight(59);
    auto* row = new QHBoxLayout(ui.UpdatesGroup);
    ui.UpdatesCombo = make<QComboBox>("UpdatesCombo", 340);
    ui.UpdatesCombo->addItems({QStringLiteral("Do not check"), QStringLiteral("Important updates"),
                               QStringLiteral("Not important updates"), QStringLiteral("Experimental versions"),
                               QStringLiteral("Beta versions")});
    ui.UpdatesCombo->setCurrentIndex(1);
    ui.UpdatesCombo->setFixedWidth(220);
    ui.CheckBtn = make<QPushButton>("CheckBtn", 252, QStringLiteral("Checking for updates..."));
    ui.CheckBtn->setFixedSize(130, 25);
    row->addWidget(ui.UpdatesCombo);
    row->addStretch(1);
    row->addWidget(ui.CheckBtn);
    layout->addWidget(ui.UpdatesGroup);
    layout->addStretch(1);
}

void buildServerLog(MainWindowUi& ui, QWidget* page)
{
    QVBoxLayout* layout = pageLayout(page);
    ui.LogMemo = make<QPlainTextEdit>("LogMemo", 0);
    ui.LogMemo->setReadOnly(true);
    ui.LogMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(ui.LogMemo, 1);
    auto* row = new QHBoxLayout;
    ui.LogClbBtn = make<QPushButton>("LogClbBtn", 170, QStringLiteral("Copy to clipboard"));
    ui.SaveLogBtn = make<QPushButton>("SaveLogBtn", 171, QStringLiteral("Save log to a text file"));
    ui.RefreshLogBtn = make<QPushButton>("RefreshLogBtn", 174, QStringLiteral("Refresh"));
    row->addWidget(ui.LogClbBtn);
    row->addWidget(ui.SaveLogBtn);
    row->addStretch(1);
    row->addWidget(ui.RefreshLogBtn);
    layout->addLayout(row);
}

void buildBottom(MainWindowUi& ui)
{
    ui.BottomPanel = new QWidget;
    ui.BottomPanel->setObjectName(QStringLiteral("BottomPanel"));
    ui.BottomPanel->setFixedHeight(52);
    auto* row = new QHBoxLayout(ui.BottomPanel);
    row->setContentsMargins(6, 3, 6, 3);
    ui.HintLbl = make<QLabel>("HintLbl", 0);
    ui.HintLbl->setWordWrap(true);
    QFont bold = ui.HintLbl->font();
    bold.setBold(true);
    ui.HintLbl->setFont(bold);
    ui.HintLbl->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
    ui.UpdateBtn = make<QPushButton>("UpdateBtn", 200, QStringLiteral("&Update"));
    ui.ExitBtn = make<QPushButton>("ExitBtn", 201, QStringLiteral("&Exit"));
    ui.HelpBtn = make<QPushButton>("HelpBtn", 202, QStringLiteral("&Help"));
    row->addWidget(ui.HintLbl, 1);
    for (QPushButton* b : {ui.UpdateBtn, ui.ExitBtn, ui.HelpBtn}) {
        b->setMinimumWidth(75);
        row->addWidget(b);
    }
    ui.UpdateBtn->setEnabled(false);
}

} // namespace

void MainWindowUi::setupUi(QWidget* window)
{
    auto* root = new QVBoxLayout(window);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);

    auto* tabs = make<FlatTabWidget>("PageControl", 1);
    PageControl = tabs;
    tabBar = tabs->flatTabBar();
    tabBar->setAlwaysBlackTab(ServerTab);

    const char* names[6] = {"MonitorSheet", "ServerSheet", "PhrasesSheet", "UpdatesSheet", "ServerLogSheet", "DebugSheet"};
    const char* titles[6] = {"Monitor", "Server", "Phrases", "Online Updates", "Server Log", "Debug"};
    for (int i = 0; i < 6; ++i) {
        pages[i] = new QWidget;
        pages[i]->setObjectName(QLatin1String(names[i]));
        PageControl->addTab(pages[i], QLatin1String(titles[i]));
    }
    buildMonitor(*this, pages[MonitorTab]);
    buildServer(*this, pages[ServerTab]);
    phrasesLayout = pageLayout(pages[PhrasesTab]);
    buildUpdates(*this, pages[UpdatesTab]);
    buildServerLog(*this, pages[ServerLogTab]);

    QVBoxLayout* debug = pageLayout(pages[DebugTab]);
    DebugMemo = make<QPlainTextEdit>("DebugMemo", 0);
    DebugMemo->setReadOnly(true);
    DebugMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    DebugMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    debug->addWidget(DebugMemo);

    buildBottom(*this);
    root->addWidget(PageControl, 1);
    root->addWidget(BottomPanel);
}

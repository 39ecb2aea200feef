#pragma once

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QVBoxLayout;
class QWidget;
class FlatTabBar;

// The main window's own controls, built in code with the design's names as
// object names. Subsystem widgets (the clients grid, the network and phrase
// settings) are inserted into the tab layouts by the window.
struct MainWindowUi
{
    enum Tab { MonitorTab = 0, ServerTab, PhrasesTab, UpdatesTab, ServerLogTab, DebugTab };

    void setupUi(QWidget* window);

    QTabWidget* PageControl = nullptr;
    FlatTabBar* tabBar = nullptr;
    QWidget* pages[6] = {};
    QVBoxLayout* monitorLayout = nullptr;
    QVBoxLayout* serverLayout = nullptr;
    QVBoxLayout* phrasesLayout = nullptr;

    // Monitor
    QGroupBox* InfoGroup = nullptr;
    QLabel* stStatusLbl = nullptr;
    QLabel* stClLbl = nullptr;
    QLabel* stFileLbl = nullptr;
    QLabel* stTCPLbl = nullptr;
    QLabel* ConStatGenLbl = nullptr;
    QLabel* ClCountLbl = nullptr;
    QLabel* FileStatGenLbl = nullptr;
    QLabel* TCPStatGenLbl = nullptr;
    QWidget* blockRow = nullptr;
    QPushButton* ActBtn2 = nullptr;
    QPushButton* ActBtn3 = nullptr;
    QLabel* StatLbl = nullptr;

    // Server
    QGroupBox* ServerGroup = nullptr;
    QLineEdit* ServerEdit = nullptr;
    QPushButton* ReconBtn = nullptr;
    QPushButton* AutoSearchBtn = nullptr;
    QPushButton* LogBtn = nullptr;
    QLabel* stServStatLbl = nullptr;
    QLabel* ConStatLbl = nullptr;
    QGroupBox* ProxyGroup = nullptr;
    QRadioButton* IEProxyRadio = nullptr;
    QRadioButton* ManualProxyRadio = nullptr;
    QLabel* proxyServerLbl = nullptr;
    QLabel* proxyPortLbl = nullptr;
    QLabel* proxyUserLbl = nullptr;
    QLabel* proxyPassLbl = nullptr;
    QLineEdit* ProxyServEdit = nullptr;
    QLineEdit* ProxyPortEdit = nullptr;
    QLineEdit* UsrEdit = nullptr;
    QLineEdit* PassEdit = nullptr;

    // Online Updates
    QGroupBox* UpdatesGroup = nullptr;
    QComboBox* UpdatesCombo = nullptr;
    QPushButton* CheckBtn = nullptr;

    // Server Log
    QPlainTextEdit* LogMemo = nullptr;
    QPushButton* LogClbBtn = nullptr;
    QPushButton* SaveLogBtn = nullptr;
    QPushButton* RefreshLogBtn = nullptr;

    // Debug
    QPlainTextEdit* DebugMemo = nullptr;

    // Bottom panel
    QWidget* BottomPanel = nullptr;
    QLabel* HintLbl = nullptr;
    QPushButton* UpdateBtn = nullptr;
    QPushButton* ExitBtn = nullptr;
    QPushButton* HelpBtn = nullptr;
};

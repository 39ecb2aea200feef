#include "app/MainWindowUi.h"
#include "app/TSboCMWnd.h"
#include "app/WindowRefresh.h"
#include "i18n/FTLanguage.h"
#include "support/TestSandbox.h"
#include "ui/MessageBox.h"

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

// What the window shows for a given connection and data state.
class TestWindowRefresh : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void disconnectedShowsOnlyServerTab();
    void connectionStatusLine_data();
    void connectionStatusLine();
    void connectButtonIgnoresBackslashesAndCase_data();
    void connectButtonIgnoresBackslashesAndCase();
    void totalsLineAndBlockRowShortenTheGrid_data();
    void totalsLineAndBlockRowShortenTheGrid();
    void hintStates_data();
    void hintStates();
    void tcpStatus_data();
    void tcpStatus();

private:
    WindowStateInputs connectedTo(const QString& server) const;
    QColor colourOf(const QLabel* label) const { return label->palette().color(QPalette::WindowText); }

    std::unique_ptr<TestSandbox> m_sandbox;
    std::unique_ptr<TSboCMWnd> m_window;
};

void TestWindowRefresh::initTestCase()
{
    MessageBox::setTestMode(true);
}

void TestWindowRefresh::init()
{
    m_sandbox = std::make_unique<TestSandbox>();
    m_window = std::make_unique<TSboCMWnd>(QStringList{QStringLiteral("vodave-durerir")});
    m_window->resize(718, 490);
    m_window->show();
    // Let the start-up connection attempt fail (there is no server) and its
    // refresh run, so that only the states applied below count.
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
    }
}

void TestWindowRefresh::cleanup()
{
    m_window.reset();
    m_sandbox.reset();
}

WindowStateInputs TestWindowRefresh::connectedTo(const QString& server) const
{
    WindowStateInputs in;
    in.connected = true;
    in.fCurServer = server;
    in.serverEditText = server;
    in.fServVer = QStringLiteral("8.0.21");
    in.fServerIP = QStringLiteral("10.0.0.1");
    in.localCompName = QStringLiteral("MAIN");
    in.tcpPort = 1030;
    in.TCPOk = true;
    in.isStartFinished = true;
    return in;
}

void TestWindowRefresh::disconnectedShowsOnlyServerTab()
{
    WindowStateInputs in;
    in.serverEditText = QStringLiteral(".");
    in.localCompName = QStringLiteral("MAIN");
    const MainWindowUi& ui = m_window->ui();
    applyWindowState(in, ui, m_window.get());
    for (int tab = 0; tab < ui.PageControl->count(); ++tab) {
        QCOMPARE(ui.PageControl->isTabVisible(tab), tab == MainWindowUi::ServerTab);
    }
    QCOMPARE(ui.PageControl->currentIndex(), int(MainWindowUi::ServerTab));
    QVERIFY(ui.AutoSearchBtn->isEnabled());
    QVERIFY(!ui.UpdateBtn->isEnabled());
    QCOMPARE(ui.ClCountLbl->text(), tr_id(630));
    QCOMPARE(ui.TCPStatGenLbl->text(), tr_id(630));
    QCOMPARE(ui.FileStatGenLbl->text(), tr_id(630));
    QCOMPARE(ui.ConStatLbl->text(), tr_id(610));
    QCOMPARE(colourOf(ui.ConStatLbl), QColor(255, 0, 0));
    QCOMPARE(colourOf(ui.ConStatGenLbl), QColor(255, 0, 0));
    QVERIFY(!tr_id(630).isEmpty());
}

void TestWindowRefresh::connectionStatusLine_data()
{
    QTest::addColumn<QString>("server");
    QTest::addColumn<QString>("shownHost");
    QTest::addColumn<bool>("browse");
    QTest::newRow("this computer") << QStringLiteral(".") << QStringLiteral("MAIN") << true;
    QTest::newRow("own name, other case") << QStringLiteral("main") << QStringLiteral("main") << true;
    QTest::newRow("another computer") << QStringLiteral("OTHER") << QStringLiteral("OTHER") << false;
}

void TestWindowRefresh::connectionStatusLine()
{
    QFETCH(QString, server);
    QFETCH(QString, shownHost);
    QFETCH(bool, browse);
    const MainWindowUi& ui = m_window->ui();
    applyWindowState(connectedTo(server), ui, m_window.get());
    const QString expected = tr_id(609) + QStringLiteral(" v8.0.21 ") + tr_id(631) + QLatin1Char(' ') + shownHost
                             + QStringLiteral(" [10.0.0.1]");
    QCOMPARE(ui.ConStatLbl->text(), expected);
    QCOMPARE(ui.ConStatGenLbl->text(), expected);
    QCOMPARE(colourOf(ui.ConStatGenLbl), QColor(0, 128, 0));
    QVERIFY(ui.PageControl->isTabVisible(MainWindowUi::MonitorTab));
    QVERIFY(!ui.PageControl->isTabVisible(MainWindowUi::DebugTab));
    QVERIFY(!ui.AutoSearchBtn->isEnabled());
    QCOMPARE(m_window->findChild<QPushButton*>(QStringLiteral("BrowseBtn"))->isEnabled(), browse);
}

void TestWindowRefresh::connectButtonIgnoresBackslashesAndCase_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("same name with backslashes") << QStringLiteral("\\\\MAIN") << false;
    QTest::newRow("same name other case") << QStringLiteral("main") << false;
    QTest::newRow("another name") << QStringLiteral("MAIN2") << true;
}

void TestWindowRefresh::connectButtonIgnoresBackslashesAndCase()
{
    QFETCH(QString, typed);
    QFETCH(bool, enabled);
    WindowStateInputs in = connectedTo(QStringLiteral("MAIN"));
    in.serverEditText = typed;
    applyWindowState(in, m_window->ui(), m_window.get());
    QCOMPARE(m_window->ui().ReconBtn->isEnabled(), enabled);
}

void TestWindowRefresh::totalsLineAndBlockRowShortenTheGrid_data()
{
    QTest::addColumn<int>("clients");
    QTest::addColumn<bool>("stats");
    QTest::addColumn<bool>("block");
    QTest::addColumn<bool>("totalsShown");
    QTest::newRow("one client, stats on") << 1 << true << false << false;
    QTest::newRow("two clients, stats on") << 2 << true << false << true;
    QTest::newRow("two clients, stats off") << 2 << false << false << false;
    QTest::newRow("block row, no totals") << 1 << true << true << false;
    QTest::newRow("block row and totals") << 3 << true << true << true;
}

void TestWindowRefresh::totalsLineAndBlockRowShortenTheGrid()
{
    QFETCH(int, clients);
    QFETCH(bool, stats);
    QFETCH(bool, block);
    QFETCH(bool, totalsShown);
    const MainWindowUi& ui = m_window->ui();
    QWidget* grid = m_window->findChild<QWidget*>(QStringLiteral("ClientsList"));
    QVERIFY(grid);

    WindowStateInputs in = connectedTo(QStringLiteral("."));
    applyWindowState(in, ui, m_window.get());
    ui.PageControl->setCurrentIndex(MainWindowUi::MonitorTab);
    QCoreApplication::processEvents();
    const int bare = grid->height();

    in.fclCount = clients;
    in.fDoStats = stats;
    in.doBlock = block;
    applyWindowState(in, ui, m_window.get());
    QCoreApplication::processEvents();
    QCOMPARE(ui.StatLbl->isVisible(), totalsShown);
    QCOMPARE(ui.ActBtn2->isVisible(), block);
    int expected = bare;
    if (totalsShown) {
        expected -= ui.StatLbl->height() + 6;
    }
    if (block) {
        expected -= ui.ActBtn2->height() + 6;
        QCOMPARE(ui.blockRow->y(), grid->y() + grid->height() + 6);
    }
    QCOMPARE(grid->height(), expected);
}

void TestWindowRefresh::hintStates_data()
{
    QTest::addColumn<bool>("startFinished");
    QTest::addColumn<int>("hintStatus");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<int>("textId");  // 0: empty
    QTest::addColumn<int>("resultStatus");
    QTest::newRow("before the version reply") << false << 2 << true << 0 << 1;
    QTest::newRow("status 1, nothing pending") << true << 1 << false << 0 << 1;
    QTest::newRow("status 1, pending change") << true << 1 << true << 611 << 1;
    QTest::newRow("status 0, pending change becomes 1") << true << 0 << true << 611 << 1;
    QTest::newRow("status 2, applied") << true << 2 << false << 612 << 2;
}

void TestWindowRefresh::hintStates()
{
    QFETCH(bool, startFinished);
    QFETCH(int, hintStatus);
    QFETCH(bool, changed);
    QFETCH(int, textId);
    QFETCH(int, resultStatus);
    WindowStateInputs in = connectedTo(QStringLiteral("."));
    in.isStartFinished = startFinished;
    in.hintStatus = hintStatus;
    in.settingsChanged = changed;
    const int status = applyWindowState(in, m_window->ui(), m_window.get());
    QCOMPARE(status, resultStatus);
    QCOMPARE(m_window->ui().UpdateBtn->isEnabled(), changed);
    QCOMPARE(m_window->ui().HintLbl->text(), textId ? tr_id(textId) : QString());
}

void TestWindowRefresh::tcpStatus_data()
{
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("textId");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("listening") << true << 637 << QColor(0, 128, 0);
    QTest::newRow("not listening") << false << 632 << QColor(255, 0, 0);
}

void TestWindowRefresh::tcpStatus()
{
    QFETCH(bool, ok);
    QFETCH(int, textId);
    QFETCH(QColor, colour);
    WindowStateInputs in = connectedTo(QStringLiteral("."));
    in.TCPOk = ok;
    applyWindowState(in, m_window->ui(), m_window.get());
    const QLabel* gen = m_window->ui().TCPStatGenLbl;
    QCOMPARE(gen->text(), tr_id(textId) + QStringLiteral(" 1030"));
    QCOMPARE(colourOf(gen), colour);
}

QTEST_MAIN(TestWindowRefresh)
#include "tst_windowrefresh.moc"

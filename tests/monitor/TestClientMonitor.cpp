#include "FakeMonitorHost.h"
#include "i18n/FTLanguage.h"
#include "i18n/TextFormat.h"
#include "link/ReplyCodes.h"
#include "monitor/ClientMonitor.h"
#include "monitor/ClientParsing.h"
#include "monitor/ColumnLayout.h"
#include "ui/MessageBox.h"

#include <QAbstractItemModelTester>
#include <QtTest>
#include <random>

namespace {

QString clientLine(const QString& comp, bool connected = true, bool blocked = false,
                   const QString& ip = "10.0.0.1")
{
    return QStringLiteral("%1;1;1;%2;8.0.21;0;0;%3;%4;").arg(ip, comp).arg(int(connected)).arg(int(blocked));
}

} // namespace

class TestClientMonitor : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void nameCaseAndExactLookups();
    void addressOnlyRecordsShareOneRecord();
    void countFollowsBlockedState_data();
    void countFollowsBlockedState();
    void statsReplies_data();
    void statsReplies();
    void clientCount_data();
    void clientCount();
    void blockReplies();
    void badBlockFlagChangesNothing();
    void ncclientShownOnce();
    void fileStatsMarkEditor();
    void lowestVersionIsLogged();
    void totalsStayExactOverManyUpdates();
    void clearEmptiesEverything();
    void defaultsAndStatistics();

private:
    FakeMonitorHost* m_host = nullptr;
    ClientMonitor* m_monitor = nullptr;
    QAbstractItemModelTester* m_tester = nullptr;
};

void TestClientMonitor::initTestCase()
{
    MessageBox::setTestMode(true);
    loadStringTable();
}

void TestClientMonitor::init()
{
    MessageBox::clearHistory();
    delete m_tester;
    delete m_monitor;
    delete m_host;
    m_host = new FakeMonitorHost;
    m_monitor = new ClientMonitor(*m_host);
    m_tester = new QAbstractItemModelTester(&m_monitor->model(),
                                            QAbstractItemModelTester::FailureReportingMode::QtTest);
}

void TestClientMonitor::nameCaseAndExactLookups()
{
    m_monitor->handleReply(RC_cladd, clientLine("PC1"));
    m_monitor->handleReply(RC_cladd, clientLine("pc1", true, false, "10.0.0.9"));
    QCOMPARE(m_monitor->cList().size(), 1);
    QCOMPARE(m_monitor->model().rowCount(), 1);
    QCOMPARE(m_monitor->cList().at(0).Comp, QString("PC1"));
    QCOMPARE(m_monitor->cList().at(0).IP, QString("10.0.0.9"));

    m_monitor->handleReply(RC_cldel, "pc1");
    QVERIFY(m_monitor->cList().at(0).Connected);
    QSignalSpy changed(&m_monitor->model(), &QAbstractItemModel::dataChanged);
    m_monitor->handleReply(RC_cldel, "PC1");
    QVERIFY(!m_monitor->cList().at(0).Connected);
    QCOMPARE(changed.size(), 1);
    const QModelIndex cell = m_monitor->model().index(0, CK_Status);
    QCOMPARE(cell.data().toString(), tr_id(41));
    QCOMPARE(cell.data(Qt::ForegroundRole).value<QColor>(), QColor(128, 128, 128));
    QCOMPARE(m_monitor->fclCount(), 1);
}

void TestClientMonitor::addressOnlyRecordsShareOneRecord()
{
    m_monitor->handleReply(RC_cladd, "10.0.0.5");
    m_monitor->handleReply(RC_cladd, "10.0.0.6");
    QCOMPARE(m_monitor->cList().size(), 1);
    const ClientRec& rec = m_monitor->cList().at(0);
    QCOMPARE(rec.IP, QString("10.0.0.6"));
    QVERIFY(rec.CanWrite && rec.CanConfig && !rec.Connected && !rec.Blocked);
    QVERIFY(rec.Comp.isEmpty());
}

void TestClientMonitor::countFollowsBlockedState_data()
{
    QTest::addColumn<bool>("wasBlocked");
    QTest::addColumn<bool>("nowBlocked");
    QTest::addColumn<int>("delta");
    QTest::newRow("blocked stays blocked") << true << true << 0;
    QTest::newRow("unblocked") << true << false << 1;
    QTest::newRow("blocked") << false << true << -1;
    QTest::newRow("unblocked stays") << false << false << 0;
}

void TestClientMonitor::countFollowsBlockedState()
{
    QFETCH(bool, wasBlocked);
    QFETCH(bool, nowBlocked);
    QFETCH(int, delta);
    m_monitor->handleReply(RC_clcount, "5");
    const int refreshes = m_host->refreshes;
    m_monitor->handleReply(RC_cladd, clientLine("PC1", true, wasBlocked));
    // A new client counts once unless it arrives blocked; then only the window is refreshed.
    QCOMPARE(m_monitor->fclCount(), wasBlocked ? 5 : 6);
    QVERIFY(m_host->refreshes > refreshes);
    m_monitor->handleReply(RC_clcount, "5");
    m_monitor->handleReply(RC_cladd, clientLine("pc1", true, nowBlocked));
    QCOMPARE(m_monitor->fclCount(), 5 + delta);
    QCOMPARE(m_monitor->cList().at(0).Blocked, nowBlocked);
}

void TestClientMonitor::statsReplies_data()
{
    QTest::addColumn<QString>("arg");
    QTest::addColumn<bool>("refresh");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("money");
    QTest::newRow("no ;") << "PC1" << false << "60"
                          << "1";
    QTest::newRow("name only") << "PC1;" << true << "0"
                               << "0";
    QTest::newRow("other case") << "pc1;7500;2.5;" << true << "7500"
                                << "2.5";
    QTest::newRow("unknown name") << "PC9;7500;2.5;" << true << "60"
                                  << "1";
}

void TestClientMonitor::statsReplies()
{
    QFETCH(QString, arg);
    m_monitor->handleReply(RC_cladd, "10.0.0.1;1;1;PC1;8.0.21;60;1;1;0;");
    QTEST(m_monitor->handleReply(RC_stats, arg), "refresh");
    QTEST(m_monitor->cList().at(0).TimeSaved, "time");
    QTEST(m_monitor->cList().at(0).MoneySaved, "money");
    QFETCH(QString, time);
    QCOMPARE(m_monitor->model().index(0, CK_TimeSaved).data().toString(),
             ClientParsing::SecondsToText(time.toLongLong()));
}

void TestClientMonitor::clientCount_data()
{
    QTest::addColumn<QString>("arg");
    QTest::addColumn<int>("count");
    QTest::newRow("number") << "7" << 7;
    QTest::newRow("negative is ignored") << "-1" << 3;
    QTest::newRow("text counts as 0") << "many" << 0;
}

void TestClientMonitor::clientCount()
{
    m_monitor->handleReply(RC_clcount, "3");
    const int labels = m_host->countLabelUpdates;
    QFETCH(QString, arg);
    QVERIFY(m_monitor->handleReply(RC_clcount, arg));
    QTEST(m_monitor->fclCount(), "count");
    QFETCH(int, count);
    QCOMPARE(m_host->countLabelUpdates, labels + (count == 3 ? 0 : 1));
}

void TestClientMonitor::blockReplies()
{
    m_monitor->handleReply(RC_cladd, clientLine("PC1"));
    const int count = m_monitor->fclCount();
    m_monitor->handleReply(RC_block, "pc1");
    QVERIFY(!m_monitor->cList().at(0).Blocked);
    m_monitor->handleReply(RC_block, "PC1");
    QVERIFY(m_monitor->cList().at(0).Blocked);
    QCOMPARE(m_monitor->model().index(0, CK_Status).data().toString(), tr_id(43));
    m_monitor->handleReply(RC_block, "PC1;false");
    QVERIFY(!m_monitor->cList().at(0).Blocked);
    m_monitor->handleReply(RC_block, "PC1;0.5");
    QVERIFY(m_monitor->cList().at(0).Blocked);
    QCOMPARE(m_monitor->fclCount(), count);
}

void TestClientMonitor::badBlockFlagChangesNothing()
{
    m_monitor->handleReply(RC_cladd, clientLine("PC1"));
    QSignalSpy changed(&m_monitor->model(), &QAbstractItemModel::dataChanged);
    const int refreshes = m_host->refreshes;
    QString error;
    try {
        m_monitor->handleReply(RC_block, "PC1;");
    } catch (const std::runtime_error& e) {
        error = QString::fromStdString(e.what());
    }
    QCOMPARE(error, QString("'' is not a valid boolean value"));
    QVERIFY(!m_monitor->cList().at(0).Blocked);
    QCOMPARE(changed.size(), 0);
    QCOMPARE(m_host->refreshes, refreshes);
}

void TestClientMonitor::ncclientShownOnce()
{
    m_monitor->handleReply(RC_ncclient, "PC7 (8.0.3)");
    m_monitor->handleReply(RC_ncclient, "pc7 (8.0.3)");
    m_monitor->handleReply(RC_ncclient, "PC8 (8.0.3)");
    const auto shown = MessageBox::history();
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown[0].caption, tr_id(617));
    QVERIFY(shown[0].text.contains("PC7 (8.0.3)"));
    QVERIFY(!shown[0].text.contains("%s"));
    QCOMPARE(shown[0].buttons, MessageBox::Buttons(MessageBox::Ok));
    QVERIFY(shown[1].text.contains("PC8"));
    QCOMPARE(m_monitor->NC_List().size(), 2);
}

void TestClientMonitor::fileStatsMarkEditor()
{
    m_monitor->handleReply(RC_cladd, clientLine("PC1", true, false, "10.0.0.1"));
    m_monitor->handleReply(RC_cladd, clientLine("PC2", true, false, "10.0.0.2"));
    auto status = [this](int row) { return m_monitor->model().index(row, CK_Status).data().toString(); };

    m_monitor->handleReply(RC_getfilestats, "0;PC2");
    QCOMPARE(status(1), tr_id(42));
    QCOMPARE(m_monitor->fileStatusText(), tr_id(608) + " PC2 (10.0.0.2)");

    QSignalSpy changed(&m_monitor->model(), &QAbstractItemModel::dataChanged);
    const int fileUpdates = m_host->fileStatusUpdates;
    m_monitor->handleReply(RC_getfilestats, "0;PC1");
    QVERIFY(!m_monitor->fIsReadOnly());
    QCOMPARE(m_monitor->fEditingBy(), QString("PC1"));
    QCOMPARE(status(0), tr_id(42));
    QCOMPARE(status(1), tr_id(40));
    QCOMPARE(changed.size(), 2);
    QVERIFY(m_host->fileStatusUpdates > fileUpdates);

    m_monitor->handleReply(RC_getfilestats, "1");
    QVERIFY(m_monitor->fIsReadOnly());
    QVERIFY(m_monitor->fEditingBy().isEmpty());
    QCOMPARE(status(0), tr_id(40));
    QCOMPARE(m_monitor->fileStatusText(), tr_id(606));
    m_monitor->handleReply(RC_getfilestats, "0");
    QCOMPARE(m_monitor->fileStatusText(), tr_id(607));
}

void TestClientMonitor::lowestVersionIsLogged()
{
    m_monitor->handleReply(RC_cladd, "ip;1;1;A;8.0.21;0;0;1;0;");
    m_monitor->handleReply(RC_cladd, "ip;1;1;B;7.5.3;0;0;1;0;");
    m_monitor->handleReply(RC_cladd, "ip;1;1;C;;0;0;1;0;");
    QCOMPARE(m_monitor->LowestClientVersion(), QString("7.5.3"));
    QCOMPARE(m_host->log.last(), QString("MinVer: 7.5.3"));
}

void TestClientMonitor::totalsStayExactOverManyUpdates()
{
    // Running totals must equal a fresh sum however many changes went by.
    std::mt19937 random(7);
    const QStringList amounts{"0.1", "0,2", "12.50", "7", "1,234.56", "-3", "", "0.3"};
    const int clients = 50;
    for (int i = 0; i < clients; ++i)
        m_monitor->handleReply(RC_cladd, QStringLiteral("ip;1;1;PC%1;8.0;0;0;1;0;").arg(i));
    std::vector<QString> money(clients, "0");
    std::vector<qint64> seconds(clients, 0);
    for (int step = 0; step < 5000; ++step) {
        const int i = int(random() % clients);
        money[size_t(i)] = amounts[int(random() % amounts.size())];
        seconds[size_t(i)] = qint64(random() % 200000000);
        m_monitor->handleReply(
            RC_stats, QStringLiteral("pc%1;%2;%3;").arg(i).arg(seconds[size_t(i)]).arg(money[size_t(i)]));
    }
    for (int i = 0; i < clients; ++i) {
        money[size_t(i)] = "0";
        m_monitor->handleReply(RC_stats, QStringLiteral("PC%1;%2;0;").arg(i).arg(seconds[size_t(i)]));
    }
    m_monitor->handleReply(RC_stats, "PC3;1;0.1;");
    m_monitor->handleReply(RC_stats, "PC4;2;0.2;");
    seconds[3] = 1;
    seconds[4] = 2;
    qint64 totalSeconds = 0;
    for (qint64 s : seconds)
        totalSeconds += s;
    QVERIFY(totalSeconds > INT_MAX);
    QCOMPARE(m_monitor->TotalMoneySaved(), QString("0.3"));
    QCOMPARE(m_monitor->TotalTimeSaved(), ClientParsing::SecondsToText(totalSeconds));
    QTRY_COMPARE(m_host->totals, formatText(tr_id(647), {m_monitor->TotalTimeSaved(), "0.3"}));
}

void TestClientMonitor::clearEmptiesEverything()
{
    m_monitor->handleReply(RC_cladd, "ip;1;1;PC1;8.0;3600;5;1;0;");
    m_monitor->handleReply(RC_cladd, "ip;1;1;PC2;8.0;3600;5;1;0;");
    m_monitor->ClearClientList();
    QCOMPARE(m_monitor->fclCount(), 0);
    QCOMPARE(m_monitor->cList().size(), 0);
    QCOMPARE(m_monitor->model().rowCount(), 0);
    QCOMPARE(m_monitor->TotalTimeSaved(), QString("0"));
    QCOMPARE(m_monitor->TotalMoneySaved(), QString("0"));
    m_monitor->handleReply(RC_cladd, "ip;1;1;pc1;8.0;60;1;1;0;");
    QCOMPARE(m_monitor->cList().at(0).Comp, QString("pc1"));
    QCOMPARE(m_monitor->fclCount(), 1);
}

void TestClientMonitor::defaultsAndStatistics()
{
    m_monitor->handleReply(RC_getdefwrite, "1");
    m_monitor->handleReply(RC_getdefconfig, "256");
    QVERIFY(m_monitor->defaultWrite());
    QVERIFY(!m_monitor->defaultConfig());
    m_monitor->handleReply(RC_getdefconfig, "x");
    QVERIFY(m_monitor->defaultConfig());

    m_monitor->initDoStats(true);
    m_monitor->handleReply(RC_getdostats, "1");
    QVERIFY(m_host->commands.isEmpty());
    m_monitor->handleReply(RC_getdostats, "0");
    QVERIFY(!m_monitor->fDoStats());
    QCOMPARE(m_host->commands, QStringList{"setdostats:0"});
    QCOMPARE(m_host->doStatsSettings.last(), false);
    m_monitor->handleReply(RC_getdostats, "on");
    QCOMPARE(m_host->commands, (QStringList{"setdostats:0", "setdostats:1"}));
    QCOMPARE(m_host->doStatsSettings.last(), true);
}

QTEST_MAIN(TestClientMonitor)
#include "TestClientMonitor.moc"

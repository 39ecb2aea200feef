#include "app/MainWindowUi.h"
#include "app/TSboCMWnd.h"
#include "config/NetworkGroup.h"
#include "config/PhrasesPage.h"
#include "config/ServerSettings.h"
#include "config/StdSpinEdit.h"
#include "link/PipeLink.h"
#include "monitor/ClientMonitor.h"
#include "monitor/ClientsGrid.h"
#include "support/ServerProcess.h"
#include "support/TestSandbox.h"
#include "ui/MessageBox.h"

#include <QCheckBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>
#include <QtTest>

// The console against a live scribolt-server with simulated workstations.
class TestEndToEnd : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void connectsAndShowsWorkstations();
    void blockAndUnblockThroughServer();
    void tcpPortMovesThroughUpdate();
    void settingsAreInForceAtTheServer();
    void serverRestartIsFollowed();

private:
    QString traceText() const;
    int rowOf(const QString& comp) const;
    int recordOf(const QString& comp) const;
    void startConsole(const QStringList& switches);

    std::unique_ptr<TestSandbox> m_sandbox;
    std::unique_ptr<ServerProcess> m_server;
    std::unique_ptr<TSboCMWnd> m_window;
};

void TestEndToEnd::initTestCase()
{
    MessageBox::setTestMode(true);
}

void TestEndToEnd::init()
{
    MessageBox::clearHistory();
    m_sandbox = std::make_unique<TestSandbox>();
    m_server = std::make_unique<ServerProcess>(*m_sandbox);
    QVERIFY2(m_server->start(), qPrintable(m_server->errorText()));
}

void TestEndToEnd::cleanup()
{
    m_window.reset();
    m_server.reset();
    m_sandbox.reset();
}

void TestEndToEnd::startConsole(const QStringList& switches)
{
    QStringList args{QStringLiteral("vodave-durerir")};
    args += switches;
    m_window = std::make_unique<TSboCMWnd>(args);
    QTRY_VERIFY_WITH_TIMEOUT(m_window->link().isConnected() && m_window->link().isStartFinished, 10000);
}

QString TestEndToEnd::traceText() const
{
    QFile f(m_sandbox->desktopDir() + QStringLiteral("/cmlog.txt"));
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
}

int TestEndToEnd::recordOf(const QString& comp) const
{
    const ClientList& list = m_window->monitor().cList();
    for (int i = 0; i < list.size(); ++i) {
        if (list.at(i).Comp == comp) {
            return i;
        }
    }
    return -1;
}

int TestEndToEnd::rowOf(const QString& comp) const
{
    ClientsGrid& grid = m_window->clientsGrid();
    for (int row = 0; row < grid.model()->rowCount(); ++row) {
        if (grid.ClientIndexOfRow(row) == recordOf(comp)) {
            return row;
        }
    }
    return -1;
}

void TestEndToEnd::connectsAndShowsWorkstations()
{
    QProcess* clients = m_server->startClients({QStringLiteral("--count"), QStringLiteral("3")});
    QVERIFY(clients->waitForStarted());
    startConsole({QStringLiteral("-debug")});
    QTRY_COMPARE_WITH_TIMEOUT(m_window->monitor().fclCount(), 3, 10000);
    QTRY_COMPARE(m_window->clientsGrid().model()->rowCount(), 3);

    m_window->refreshNow();
    const MainWindowUi& ui = m_window->ui();
    QVERIFY(ui.PageControl->isTabVisible(MainWindowUi::MonitorTab));
    QCOMPARE(ui.ClCountLbl->text(), QStringLiteral("3"));
    QVERIFY2(ui.ConStatLbl->text().contains(QStringLiteral(" v8.")), qPrintable(ui.ConStatLbl->text()));
    QCOMPARE(ui.ConStatLbl->palette().color(QPalette::WindowText), QColor(0, 128, 0));

    const QString trace = traceText();
    QVERIFY(trace.contains(QStringLiteral("\r\nConnect\r\nConnected\r\n")));
    QVERIFY(trace.contains(QStringLiteral("\r\nVersions compatible\r\n")));
    QVERIFY(trace.contains(QStringLiteral("\r\ncladd:")));
    QVERIFY(MessageBox::history().isEmpty());
}

void TestEndToEnd::blockAndUnblockThroughServer()
{
    m_server->startClients({QStringLiteral("--count"), QStringLiteral("2")});
    startConsole({QStringLiteral("-block")});
    QTRY_COMPARE_WITH_TIMEOUT(m_window->monitor().fclCount(), 2, 10000);
    QTRY_VERIFY(recordOf(QStringLiteral("PC1")) >= 0);
    QTRY_VERIFY(rowOf(QStringLiteral("PC1")) >= 0);

    ClientsGrid& grid = m_window->clientsGrid();
    grid.clearSelection();
    grid.selectRow(rowOf(QStringLiteral("PC1")));
    m_window->refreshNow();
    QVERIFY(m_window->ui().ActBtn2->isEnabled());
    MessageBox::setNextAnswer(MessageBox::Yes);
    m_window->ui().ActBtn2->click();
    QCOMPARE(MessageBox::history().size(), 1);  // one question for the connected client

    // The record changes only when the server confirms.
    QTRY_VERIFY_WITH_TIMEOUT(m_window->monitor().cList().at(recordOf(QStringLiteral("PC1"))).Blocked, 10000);
    QTRY_COMPARE(m_window->monitor().fclCount(), 1);

    grid.clearSelection();
    grid.selectRow(rowOf(QStringLiteral("PC1")));
    m_window->refreshNow();
    QVERIFY(m_window->ui().ActBtn3->isEnabled());
    m_window->ui().ActBtn3->click();
    QTRY_VERIFY_WITH_TIMEOUT(!m_window->monitor().cList().at(recordOf(QStringLiteral("PC1"))).Blocked, 10000);
    // The workstation comes back once the server lets it in again.
    QTRY_COMPARE_WITH_TIMEOUT(m_window->monitor().fclCount(), 2, 10000);
}

void TestEndToEnd::tcpPortMovesThroughUpdate()
{
    startConsole({QStringLiteral("-debug")});
    ServerSettings& settings = m_window->settings();
    QTRY_VERIFY(settings.TCPOk);
    QCOMPARE(settings.OldSettings.tcpPort, m_server->tcpPort());

    auto freePort = [] {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        return int(probe.serverPort());
    };
    auto* portEdit = m_window->findChild<TStdSpinEdit*>(QStringLiteral("PortEdit"));
    QVERIFY(portEdit);

    const int newPort = freePort();
    portEdit->setPosition(newPort);
    m_window->refreshNow();
    QVERIFY(m_window->ui().UpdateBtn->isEnabled());
    settings.gotTCPMessage = false;
    m_window->ui().UpdateBtn->click();
    QTRY_VERIFY_WITH_TIMEOUT(settings.gotTCPMessage, 10000);
    QVERIFY(settings.TCPOk);
    QTRY_COMPARE(settings.OldSettings.tcpPort, newPort);
    QTcpSocket probe;
    probe.connectToHost(QHostAddress::LocalHost, quint16(newPort));
    QVERIFY(probe.waitForConnected(5000));

    // A port another program holds: the server answers that it cannot listen
    // there, keeps serving on the port it has, and the read-back shows that.
    QTcpServer holder;
    QVERIFY(holder.listen(QHostAddress::Any, 0));
    portEdit->setPosition(holder.serverPort());
    m_window->refreshNow();
    m_window->ui().UpdateBtn->click();
    QTRY_VERIFY_WITH_TIMEOUT(traceText().contains(QStringLiteral("\r\ngettcpok:0\r\n")), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(settings.OldSettings.tcpPort, newPort, 10000);
    QTRY_VERIFY(settings.TCPOk);
    QCOMPARE(portEdit->Position(), newPort);
}

void TestEndToEnd::settingsAreInForceAtTheServer()
{
    startConsole({});
    ServerSettings& settings = m_window->settings();
    QTRY_VERIFY(settings.TCPOk);
    auto* udp = m_window->findChild<TStdSpinEdit*>(QStringLiteral("UDPPortEdit"));
    auto* backups = m_window->findChild<TStdSpinEdit*>(QStringLiteral("BackCountEdit"));
    auto* location = m_window->findChild<QLineEdit*>(QStringLiteral("LocationEdit"));
    auto* fileUpdate = m_window->findChild<QCheckBox*>(QStringLiteral("FileUpdateCheck"));
    QVERIFY(udp && backups && location && fileUpdate);

    const QString phrases = m_sandbox->filePath(QStringLiteral("shared.sbf"));
    const int udpPort = [] {
        QUdpSocket probe;
        probe.bind(QHostAddress::LocalHost, 0);
        return int(probe.localPort());
    }();
    udp->setPosition(udpPort);
    backups->setPosition(7);
    location->setText(phrases);
    MessageBox::setNextAnswer(MessageBox::Yes);  // take over changes only at start
    fileUpdate->setChecked(true);
    settings.curPass = QStringLiteral("s3cret");
    settings.curPassMode = 1;
    m_window->refreshNow();
    QVERIFY(m_window->ui().UpdateBtn->isEnabled());
    m_window->ui().UpdateBtn->click();

    // The read-back after the apply shows what the server now holds.
    QTRY_VERIFY_WITH_TIMEOUT(!settings.SettingsChanged(), 10000);
    QCOMPARE(settings.OldSettings.udpPort, udpPort);
    QCOMPARE(settings.OldSettings.BackupCount, 7);
    QCOMPARE(settings.OldSettings.phLocation, phrases);
    QVERIFY(settings.OldSettings.FileUpdateStart);
    QCOMPARE(settings.OldSettings.Password, QStringLiteral("s3cret"));
    QCOMPARE(int(settings.OldSettings.askPassowrd), 1);

    // And it survives the server: a fresh start reads the same.
    m_window.reset();
    QVERIFY(m_server->restart());
    startConsole({});
    QTRY_COMPARE_WITH_TIMEOUT(m_window->settings().OldSettings.phLocation, phrases, 10000);
    QTRY_COMPARE(m_window->settings().OldSettings.udpPort, udpPort);
    QTRY_COMPARE(m_window->settings().OldSettings.BackupCount, 7);
}

void TestEndToEnd::serverRestartIsFollowed()
{
    m_server->startClients({QStringLiteral("--count"), QStringLiteral("2")});
    startConsole({QStringLiteral("-debug")});
    QTRY_COMPARE_WITH_TIMEOUT(m_window->monitor().fclCount(), 2, 10000);

    m_server->kill();
    QTRY_VERIFY_WITH_TIMEOUT(!m_window->link().isConnected(), 10000);
    QCOMPARE(m_window->monitor().cList().size(), 0);
    QVERIFY(traceText().contains(QStringLiteral("\r\nDisConnect\r\n")));
    const int connectedLines = traceText().count(QStringLiteral("\r\nConnected\r\n"));

    QVERIFY2(m_server->start(), qPrintable(m_server->errorText()));
    QTRY_VERIFY_WITH_TIMEOUT(m_window->link().isConnected(), 10000);
    // The initial query runs again; the workstations reconnect and reappear.
    QTRY_COMPARE_WITH_TIMEOUT(m_window->monitor().fclCount(), 2, 15000);
    QCOMPARE(traceText().count(QStringLiteral("\r\nConnected\r\n")), connectedLines);
}

QTEST_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"

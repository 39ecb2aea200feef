#include "FakeLinkHost.h"
#include "link/PipeLink.h"
#include "link/ReplyCodes.h"
#include "support/ServerProcess.h"
#include "support/TestSandbox.h"
#include "ui/MessageBox.h"

#include <QTest>
#include <memory>

// The link against the real scribolt-server.
class TestPipeLinkServer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void initialQueryIsAnsweredAndSurvivesARestart();
};

namespace {

QList<int> codesOf(const QStringList& dispatched)
{
    QList<int> codes;
    for (const QString& entry : dispatched) {
        codes.append(entry.section(QLatin1Char('|'), 0, 0).toInt());
    }
    return codes;
}

// Replies of the initial query that the window handles (the link keeps getver and getip).
const QList<int> WindowReplies = {
    RC_clcount,      RC_getfilemode,   RC_getfile,    RC_getbackupcount, RC_getport,      RC_getudpport,
    RC_getfilestats, RC_getdolog,      RC_getlogsize, RC_getdefwrite,    RC_getdefconfig, RC_getpass,
    RC_getpassmode,  RC_getfileupdate, RC_getdostats, RC_gettcpok,       RC_getlogpath,   RC_getconfigpath};

} // namespace

void TestPipeLinkServer::initTestCase()
{
    MessageBox::setTestMode(true);
}

void TestPipeLinkServer::initialQueryIsAnsweredAndSurvivesARestart()
{
    TestSandbox sandbox;
    ServerProcess server(sandbox);
    QVERIFY2(server.start(), qPrintable(server.errorText()));

    FakeLinkHost host;
    PipeLink link(host, QStringLiteral(SCRIBOLT_CONSOLE_VERSION));
    QVERIFY(link.ConnectPipe(false));
    QTRY_VERIFY_WITH_TIMEOUT(link.isStartFinished && !link.fServerIP.isEmpty(), 10000);
    QTRY_VERIFY(host.log.contains(QStringLiteral("Versions compatible")));
    for (int code : WindowReplies) {
        QTRY_VERIFY2(codesOf(host.dispatched).contains(code), replyKeyword(ReplyCode(code)));
    }
    QVERIFY(link.isConnected());
    QVERIFY(link.isCompatible);
    QVERIFY(!link.fServVer.isEmpty());
    QVERIFY(MessageBox::history().isEmpty());

    // The service goes away and comes back: the link reconnects by itself and asks again.
    server.stop();
    QTRY_VERIFY(host.log.contains(QStringLiteral("DisConnect")));
    QVERIFY(link.isReconnecting());
    host.dispatched.clear();
    host.log.clear();
    link.isStartFinished = false;
    QVERIFY2(server.start(), qPrintable(server.errorText()));
    QTRY_VERIFY_WITH_TIMEOUT(link.isConnected(), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(link.isStartFinished, 10000);
    QTRY_VERIFY(host.log.contains(QStringLiteral("Versions compatible")));
    QTRY_VERIFY(codesOf(host.dispatched).contains(RC_clcount));
    QVERIFY(!host.log.contains(QStringLiteral("Connected")));

    link.shutdown();
}

QTEST_MAIN(TestPipeLinkServer)
#include "TestPipeLinkServer.moc"

#include "link/EncDec.h"
#include "support/AdminConsole.h"
#include "support/ServerProcess.h"
#include "support/TestSandbox.h"

#include <QRandomGenerator>
#include <QTcpSocket>
#include <QThread>
#include <QtTest>
#include <csignal>
#include <memory>

namespace {

QByteArray utf16(const QString& text)
{
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

const QByteArray NulUnit("\0\0", 2);

// Writes everything, waiting for the socket to take it.
void writeAll(QLocalSocket& socket, const QByteArray& bytes)
{
    socket.write(bytes);
    while (socket.bytesToWrite() > 0 && socket.state() == QLocalSocket::ConnectedState) {
        socket.waitForBytesWritten(100);
    }
}

bool answers(AdminConsole& console, const QString& getter = QStringLiteral("getver"))
{
    console.send(getter);
    return console.waitFor(getter).has_value();
}

} // namespace

class TestServerRobustness : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void garbage_data();
    void garbage();
    void splitWrites_data();
    void splitWrites();
    void consoleVanishes();
    void hugeLineDropsOnlyThatConsole();
    void silentConsoleDropped();
    void sixtyFourConsoles();
    void workstationBadInput_data();
    void workstationBadInput();
    void cleanupTestCase();

private:
    std::unique_ptr<TestSandbox> m_sandbox;
    std::unique_ptr<ServerProcess> m_server;
};

void TestServerRobustness::initTestCase()
{
    ::signal(SIGPIPE, SIG_IGN);
    m_sandbox = std::make_unique<TestSandbox>();
    m_server = std::make_unique<ServerProcess>(*m_sandbox);
    QVERIFY2(m_server->start(), qPrintable(m_server->errorText()));
}

void TestServerRobustness::garbage_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("sameConsoleGoesOn");
    QByteArray random(4000, Qt::Uninitialized);
    QRandomGenerator gen(1234);
    for (char& c : random) {
        c = char(gen.bounded(256));
    }
    const QString sealedLie = QStringLiteral("abc") + QStringLiteral("99999") + QChar(5);
    QTest::newRow("random bytes") << random + NulUnit << false;
    QTest::newRow("unquoted text") << utf16(QStringLiteral("hello world")) + NulUnit << true;
    QTest::newRow("quoted, not base64") << utf16(QStringLiteral("\"!!!!\"\n")) + NulUnit << true;
    QTest::newRow("base64, not sealed") << utf16(QStringLiteral("\"eHl6\"\n")) + NulUnit << true;
    QTest::newRow("seal claims a length past its end")
        << utf16(QLatin1Char('"') +
                 EncDec::EncodeBase64Str(sealedLie).remove(QLatin1Char('\r')).remove(QLatin1Char('\n')) +
                 QStringLiteral("\"\n")) +
               NulUnit
        << true;
    QTest::newRow("marker above 255")
        << utf16(QStringLiteral("\"") +
                 EncDec::EncodeBase64Str(QStringLiteral("abc4") + QChar(300)).trimmed() +
                 QStringLiteral("\"\n")) +
               NulUnit
        << true;
    QTest::newRow("empty lines") << NulUnit + NulUnit + NulUnit << true;
    QTest::newRow("lone surrogate") << QByteArray("\x00\xD8", 2) + NulUnit << true;
    QTest::newRow("empty command") << EncDec::frameLine(QString()) << true;
    QTest::newRow("odd byte count") << QByteArray("abc") + NulUnit << false;
}

void TestServerRobustness::garbage()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, sameConsoleGoesOn);
    AdminConsole bad;
    AdminConsole good;
    QVERIFY(bad.connectTo(m_server->socketPath()));
    QVERIFY(good.connectTo(m_server->socketPath()));
    writeAll(bad.socket(), bytes);
    QVERIFY(answers(good));
    if (sameConsoleGoesOn) {
        QVERIFY(answers(bad));
        QVERIFY(!bad.sawForbiddenByte());
    }
    QVERIFY(m_server->isRunning());
}

void TestServerRobustness::splitWrites_data()
{
    QTest::addColumn<int>("piece"); // bytes per write
    QTest::newRow("one byte") << 1;
    QTest::newRow("three bytes, cutting code units") << 3;
    QTest::newRow("both lines in one write") << 100000;
}

void TestServerRobustness::splitWrites()
{
    QFETCH(int, piece);
    AdminConsole console;
    QVERIFY(console.connectTo(m_server->socketPath()));
    const QByteArray both =
        EncDec::frameLine(QStringLiteral("getport")) + EncDec::frameLine(QStringLiteral("getver"));
    for (qsizetype i = 0; i < both.size(); i += piece) {
        writeAll(console.socket(), both.mid(i, piece));
        if (piece < 10) {
            QThread::usleep(200);
        }
    }
    QCOMPARE(console.waitFor(QStringLiteral("getport")).value_or("<none>"),
             QString::number(m_server->tcpPort()));
    QVERIFY(console.waitFor(QStringLiteral("getver")).has_value());
}

void TestServerRobustness::consoleVanishes()
{
    AdminConsole good;
    QVERIFY(good.connectTo(m_server->socketPath()));
    {
        AdminConsole halfway;
        QVERIFY(halfway.connectTo(m_server->socketPath()));
        const QByteArray frame = EncDec::frameLine(QStringLiteral("setbackupcount:33"));
        writeAll(halfway.socket(), frame.left(frame.size() / 2 + 1));
    }
    QVERIFY(answers(good));
    {
        // A whole line written just before hanging up is still carried out.
        AdminConsole hasty;
        QVERIFY(hasty.connectTo(m_server->socketPath()));
        writeAll(hasty.socket(), EncDec::frameLine(QStringLiteral("setbackupcount:42")));
    }
    QTRY_COMPARE_WITH_TIMEOUT((good.send(QStringLiteral("getbackupcount")),
                               good.waitFor(QStringLiteral("getbackupcount")).value_or("<none>")),
                              QStringLiteral("42"), 3000);
    QVERIFY(m_server->isRunning());
}

void TestServerRobustness::hugeLineDropsOnlyThatConsole()
{
    AdminConsole good;
    AdminConsole flood;
    QVERIFY(good.connectTo(m_server->socketPath()));
    QVERIFY(flood.connectTo(m_server->socketPath()));
    // Just below the bound: a long line is still read (and ignored as garbage).
    writeAll(flood.socket(), QByteArray(512 * 1024, 'A') + NulUnit);
    QVERIFY(answers(flood));
    const QByteArray chunk(256 * 1024, 'B');
    for (int i = 0; i < 8 && flood.socket().state() == QLocalSocket::ConnectedState; ++i) {
        writeAll(flood.socket(), chunk);
        QVERIFY(answers(good));
    }
    QVERIFY(flood.waitForHangUp());
    QVERIFY(answers(good));
}

void TestServerRobustness::silentConsoleDropped()
{
    TestSandbox sandbox;
    ServerProcess server(sandbox);
    QVERIFY2(server.start({QStringLiteral("--max-queue"), QStringLiteral("65536")}),
             qPrintable(server.errorText()));
    AdminConsole good;
    AdminConsole silent;
    QVERIFY(good.connectTo(server.socketPath()));
    QVERIFY(silent.connectTo(server.socketPath()));
    // Qt reads into its own buffer while waiting to write; keep that tiny so
    // the replies pile up on the server's side.
    silent.socket().setReadBufferSize(1024);
    const QByteArray ask = EncDec::frameLine(QStringLiteral("getlog"));
    bool dropped = false;
    for (int round = 0; round < 200 && !dropped; ++round) {
        QByteArray burst;
        for (int i = 0; i < 50; ++i) {
            burst += ask;
        }
        writeAll(silent.socket(), burst);
        QVERIFY(answers(good));
        dropped = silent.socket().state() != QLocalSocket::ConnectedState;
    }
    silent.socket().setReadBufferSize(0);
    QVERIFY(silent.waitForHangUp(5000));
    good.send(QStringLiteral("getlog"));
    QVERIFY(answers(good));
    bool logged = false;
    for (const AdminConsole::Reply& r : good.takeAll()) {
        logged = logged || r.argument.contains(QStringLiteral("does not read its replies"));
    }
    QVERIFY(logged);
}

void TestServerRobustness::sixtyFourConsoles()
{
    std::vector<std::unique_ptr<AdminConsole>> consoles;
    for (int i = 0; i < 64; ++i) {
        consoles.push_back(std::make_unique<AdminConsole>());
        QVERIFY(consoles.back()->connectTo(m_server->socketPath()));
    }
    for (auto& c : consoles) {
        c->send(QStringLiteral("getcompatible:8.0.21"));
        c->send(QStringLiteral("cllist"));
        for (const char* get : {"getfile", "getport", "getfilestats", "getver", "getconfigpath"}) {
            c->send(QLatin1String(get));
        }
    }
    for (auto& c : consoles) {
        QVERIFY(c->waitFor(QStringLiteral("compatible")).has_value());
        QVERIFY(c->waitFor(QStringLiteral("getconfigpath")).has_value());
    }
    // One change reaches every console.
    QTcpSocket ws;
    ws.connectToHost(QHostAddress::LocalHost, quint16(m_server->tcpPort()));
    QVERIFY(ws.waitForConnected(2000));
    ws.write("hello;MANY1;8.0.21\n");
    ws.flush();
    for (auto& c : consoles) {
        const auto added = c->waitFor(QStringLiteral("cladd"), 5000);
        QVERIFY(added.has_value());
        QVERIFY2(added->contains(QStringLiteral(";MANY1;")), qPrintable(*added));
    }
}

void TestServerRobustness::workstationBadInput_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("answer");
    QTest::newRow("endless line") << QByteArray(8192, 'x') << QByteArray("refused;protocol");
    QTest::newRow("binary") << QByteArray("\x00\xff\x13\x10\n", 5) << QByteArray("refused;protocol");
    QTest::newRow("console bytes on the workstation port")
        << EncDec::frameLine(QStringLiteral("getver")) + '\n'
        << QByteArray("refused;protocol");
}

void TestServerRobustness::workstationBadInput()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, answer);
    QTcpSocket bad;
    bad.connectToHost(QHostAddress::LocalHost, quint16(m_server->tcpPort()));
    QVERIFY(bad.waitForConnected(2000));
    bad.write(bytes);
    bad.flush();
    while (!bad.canReadLine() && bad.waitForReadyRead(3000)) {
    }
    QCOMPARE(bad.readLine().trimmed(), answer);
    QVERIFY(bad.state() == QAbstractSocket::UnconnectedState || bad.waitForDisconnected(3000));

    QTcpSocket good;
    good.connectToHost(QHostAddress::LocalHost, quint16(m_server->tcpPort()));
    QVERIFY(good.waitForConnected(2000));
    good.write("hello;FINE;8.0.21\n");
    while (!good.canReadLine() && good.waitForReadyRead(3000)) {
    }
    QVERIFY(good.readLine().startsWith("welcome;"));
}

void TestServerRobustness::cleanupTestCase()
{
    QVERIFY2(m_server->stop(), qPrintable(m_server->errorText()));
}

QTEST_GUILESS_MAIN(TestServerRobustness)
#include "TestServerRobustness.moc"

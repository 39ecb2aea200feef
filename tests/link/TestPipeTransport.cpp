#include "link/EncDec.h"
#include "link/PipeLocation.h"
#include "link/PipeTransport.h"
#include "support/TestSandbox.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QSysInfo>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <atomic>
#include <memory>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

class TestPipeTransport : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void locationPicksSocketOrTcp_data();
    void locationPicksSocketOrTcp();
    void pipeFolderFallsBack_data();
    void pipeFolderFallsBack();
    void openFailuresMapToCodes_data();
    void openFailuresMapToCodes();
    void localRoundTripHonoursReadSize();
    void tcpRoundTrip();
    void closeAbandonsABlockedRead();

private:
    std::unique_ptr<TestSandbox> m_sandbox;
};

void TestPipeTransport::init()
{
    m_sandbox = std::make_unique<TestSandbox>();
}

void TestPipeTransport::cleanup()
{
    m_sandbox.reset();
    qunsetenv("SCRIBOLT_ADMIN_PORT");
}

void TestPipeTransport::locationPicksSocketOrTcp_data()
{
    QTest::addColumn<QString>("location");
    QTest::addColumn<QString>("port"); // SCRIBOLT_ADMIN_PORT, empty for unset
    QTest::addColumn<bool>("local");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("expectedPort");

    const QString me = QSysInfo::machineHostName();
    QTest::newRow("dot") << "."
                         << "" << true << "" << 0;
    QTest::newRow("localhost in capitals") << "LOCALHOST"
                                           << "" << true << "" << 0;
    QTest::newRow("own name, other case") << me.toUpper() << "" << true << "" << 0;
    QTest::newRow("own name with backslashes") << "\\\\" + me << "" << true << "" << 0;
    QTest::newRow("other computer, default port") << "MAIN"
                                                  << "" << false << "MAIN" << 41026;
    QTest::newRow("backslashes dropped") << "\\\\MAIN"
                                         << "4000" << false << "MAIN" << 4000;
    QTest::newRow("unreadable port falls back") << "10.0.0.5"
                                                << "70000" << false << "10.0.0.5" << 41026;
}

void TestPipeTransport::locationPicksSocketOrTcp()
{
    QFETCH(QString, location);
    QFETCH(QString, port);
    QFETCH(bool, local);
    QFETCH(QString, host);
    QFETCH(int, expectedPort);

    if (!port.isEmpty()) {
        qputenv("SCRIBOLT_ADMIN_PORT", port.toLatin1());
    }
    const PipeLocation where = PipeLocation::fromServer(location);
    QCOMPARE(where.kind == PipeLocation::LocalSocket, local);
    if (local) {
        QCOMPARE(where.socketPath, m_sandbox->pipeDir() + QStringLiteral("/ScriboltPipe"));
    } else {
        QCOMPARE(where.host, host);
        QCOMPARE(int(where.port), expectedPort);
    }
}

void TestPipeTransport::pipeFolderFallsBack_data()
{
    QTest::addColumn<bool>("pipeDirSet");
    QTest::addColumn<bool>("runtimeDirSet");
    QTest::addColumn<QString>("expected"); // "{pipe}" / "{runtime}" placeholders

    QTest::newRow("pipe folder") << true << true << "{pipe}";
    QTest::newRow("runtime folder") << false << true << "{runtime}/scribolt";
    QTest::newRow("tmp per user") << false << false << QStringLiteral("/tmp/scribolt-%1").arg(::getuid());
}

void TestPipeTransport::pipeFolderFallsBack()
{
    QFETCH(bool, pipeDirSet);
    QFETCH(bool, runtimeDirSet);
    QFETCH(QString, expected);

    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!pipeDirSet) {
        qunsetenv("SCRIBOLT_PIPE_DIR");
    }
    if (!runtimeDirSet) {
        qunsetenv("XDG_RUNTIME_DIR");
    }
    expected.replace(QLatin1String("{pipe}"), m_sandbox->pipeDir())
        .replace(QLatin1String("{runtime}"), runtime);
    QCOMPARE(PipeLocation::localPipeDir(), expected);
}

void TestPipeTransport::openFailuresMapToCodes_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("location");
    QTest::addColumn<int>("error");

    QTest::newRow("no socket file") << "none"
                                    << "." << int(PipeTransport::ErrorNotFound);
    QTest::newRow("socket file nobody listens on") << "stale"
                                                   << "." << int(PipeTransport::ErrorNotFound);
    QTest::newRow("pipe folder missing") << "nodir"
                                         << "." << int(PipeTransport::ErrorNotFound);
    QTest::newRow("TCP port refused") << "closedport"
                                      << "127.0.0.1" << int(PipeTransport::ErrorNotFound);
    QTest::newRow("empty location") << "none"
                                    << "" << int(PipeTransport::ErrorNotFound);
    QTest::newRow("socket path too long") << "longdir"
                                          << "." << int(ENAMETOOLONG);
}

void TestPipeTransport::openFailuresMapToCodes()
{
    QFETCH(QString, setup);
    QFETCH(QString, location);
    QFETCH(int, error);

    if (setup == QLatin1String("stale")) {
        // A socket file left behind by a server that is gone.
        const QByteArray path = QFile::encodeName(PipeLocation::localSocketPath());
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        std::memcpy(addr.sun_path, path.constData(), size_t(path.size()));
        QCOMPARE(::bind(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof(addr)), 0);
        ::close(fd);
        QVERIFY(QFile::exists(PipeLocation::localSocketPath()));
    } else if (setup == QLatin1String("nodir")) {
        qputenv("SCRIBOLT_PIPE_DIR", m_sandbox->filePath(QStringLiteral("missing")).toLocal8Bit());
    } else if (setup == QLatin1String("longdir")) {
        qputenv("SCRIBOLT_PIPE_DIR", m_sandbox->filePath(QString(120, QLatin1Char('d'))).toLocal8Bit());
    } else if (setup == QLatin1String("closedport")) {
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        qputenv("SCRIBOLT_ADMIN_PORT", QByteArray::number(server.serverPort()));
    }
    int code = -1;
    QVERIFY(!PipeTransport::open(location, code));
    QCOMPARE(code, error);
    QVERIFY(!PipeTransport::errorText(code).isEmpty());
}

void TestPipeTransport::localRoundTripHonoursReadSize()
{
    QLocalServer server;
    QVERIFY(server.listen(PipeLocation::localSocketPath()));
    int error = -1;
    const std::shared_ptr<PipeTransport> pipe = PipeTransport::open(QStringLiteral("."), error);
    QVERIFY(pipe);
    QCOMPARE(error, 0);
    QVERIFY(server.waitForNewConnection(5000));
    QLocalSocket* peer = server.nextPendingConnection();

    const QByteArray line = EncDec::frameLine(QStringLiteral("getport"));
    QCOMPARE(line.size(), 64);
    QCOMPARE(pipe->write(line), 0);
    QByteArray got;
    QTRY_COMPARE((got += peer->readAll()).size(), line.size());
    QCOMPARE(got, line);

    peer->write(QByteArray(2500, 'x'));
    peer->flush();
    QByteArray read;
    char buffer[PipeTransport::ReadSize];
    while (read.size() < 2500) {
        const int n = pipe->read(buffer, PipeTransport::ReadSize, error);
        QVERIFY(n > 0 && n <= PipeTransport::ReadSize);
        read.append(buffer, n);
    }
    QCOMPARE(read, QByteArray(2500, 'x'));

    peer->disconnectFromServer();
    QTRY_COMPARE(peer->state(), QLocalSocket::UnconnectedState);
    QCOMPARE(pipe->read(buffer, PipeTransport::ReadSize, error), 0);
}

void TestPipeTransport::tcpRoundTrip()
{
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    qputenv("SCRIBOLT_ADMIN_PORT", QByteArray::number(server.serverPort()));
    int error = -1;
    const std::shared_ptr<PipeTransport> pipe = PipeTransport::open(QStringLiteral("127.0.0.1"), error);
    QVERIFY(pipe);
    QVERIFY(server.waitForNewConnection(5000));
    QTcpSocket* peer = server.nextPendingConnection();
    const QByteArray line = EncDec::frameLine(QStringLiteral("cllist"));
    QCOMPARE(pipe->write(line), 0);
    QByteArray got;
    QTRY_COMPARE((got += peer->readAll()), line);
    peer->write("\"abc\"\n");
    peer->flush();
    char buffer[PipeTransport::ReadSize];
    const int n = pipe->read(buffer, PipeTransport::ReadSize, error);
    QCOMPARE(QByteArray(buffer, n), QByteArray("\"abc\"\n"));
}

void TestPipeTransport::closeAbandonsABlockedRead()
{
    QLocalServer server;
    QVERIFY(server.listen(PipeLocation::localSocketPath()));
    int error = -1;
    const std::shared_ptr<PipeTransport> pipe = PipeTransport::open(QStringLiteral("."), error);
    QVERIFY(pipe);
    std::atomic<int> result{-100};
    std::atomic<int> readError{-100};
    std::thread reader([pipe, &result, &readError] {
        char buffer[PipeTransport::ReadSize];
        int err = 0;
        result = pipe->read(buffer, PipeTransport::ReadSize, err);
        readError = err;
    });
    QTest::qWait(100); // the reader is blocked now; the peer never writes
    QCOMPARE(result.load(), -100);
    pipe->close();
    reader.join();
    QCOMPARE(result.load(), -1);
    QCOMPARE(readError.load(), int(PipeTransport::ErrorClosed));
    QVERIFY(!pipe->isOpen());
    QCOMPARE(pipe->write(EncDec::frameLine(QStringLiteral("getport"))), int(PipeTransport::ErrorClosed));
}

QTEST_GUILESS_MAIN(TestPipeTransport)
#include "TestPipeTransport.moc"

#include "link/EncDec.h"
#include "support/AdminConsole.h"
#include "support/ServerProcess.h"
#include "support/TestSandbox.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkDatagram>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>
#include <QtTest>
#include <memory>

namespace {

const QStringList InitialGets = {
    "getfilemode", "getfile",    "getnowrite",  "getbackupcount", "getport", "getudpport",  "getfilestats",
    "getdolog",    "getlogsize", "getdefwrite", "getdefconfig",   "getpass", "getpassmode", "getfileupdate",
    "getdostats",  "getrunning", "gettcpok",    "getver",         "getip",   "getlogpath",  "getconfigpath"};

int freeTcpPort()
{
    QTcpServer s;
    s.listen(QHostAddress::Any, 0);
    return s.serverPort();
}

int freeUdpPort()
{
    QUdpSocket s;
    s.bind(QHostAddress::Any, 0);
    return s.localPort();
}

bool workstationWelcomed(int port)
{
    QTcpSocket s;
    s.connectToHost(QHostAddress::LocalHost, quint16(port));
    if (!s.waitForConnected(2000)) {
        return false;
    }
    s.write("hello;PROBE;8.0.21\n");
    while (!s.canReadLine() && s.waitForReadyRead(2000)) {
    }
    return s.readLine().startsWith("welcome;");
}

bool answers(AdminConsole& console)
{
    console.send(QStringLiteral("getver"));
    return console.waitFor(QStringLiteral("getver")).has_value();
}

} // namespace

class TestServerCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void initialQueryAnswered_data();
    void initialQueryAnswered();
    void initialQueryInOrder();
    void compatibility_data();
    void compatibility();
    void settingSurvivesKill_data();
    void settingSurvivesKill();
    void setPort_data();
    void setPort();
    void setFile_data();
    void setFile();
    void logHoldsEventsButNoPassword();
    void reloadTakesEditedFileAndKeepsSettingsOnBadOne();
    void corruptSettingsKeptAside();
    void secondServerRefusedStaleSocketReplaced();
    void pipeFolder_data();
    void pipeFolder();
    void consoleOverAdminTcp();
    void udpDiscovery();
    void cleanupTestCase();

private:
    std::unique_ptr<TestSandbox> m_sandbox;
    std::unique_ptr<ServerProcess> m_server;
    QHash<QString, QString> m_answers;
    QStringList m_order;
};

void TestServerCommands::initTestCase()
{
    m_sandbox = std::make_unique<TestSandbox>();
    m_server = std::make_unique<ServerProcess>(*m_sandbox);
    QVERIFY2(m_server->start(), qPrintable(m_server->errorText()));
    AdminConsole console;
    QVERIFY(console.connectTo(m_server->socketPath()));
    console.send(QStringLiteral("getcompatible:8.0.21"));
    console.send(QStringLiteral("cllist"));
    for (const QString& get : InitialGets) {
        console.send(get);
    }
    QVERIFY(console.waitFor(QStringLiteral("getconfigpath")).has_value());
    const QList<AdminConsole::Reply> replies = console.collect(200);
    // getconfigpath was taken by waitFor; everything else is still queued.
    for (const AdminConsole::Reply& r : replies) {
        m_order.append(r.keyword);
        m_answers.insert(r.keyword, r.argument);
    }
    QVERIFY(!console.sawForbiddenByte());
}

void TestServerCommands::initialQueryAnswered_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("pattern");
    QTest::newRow("compatible") << "compatible"
                                << "";
    QTest::newRow("clcount") << "clcount"
                             << "0";
    QTest::newRow("getfilemode") << "getfilemode"
                                 << "0";
    QTest::newRow("getfile") << "getfile"
                             << ".*/server-state/phrases\\.sbf";
    QTest::newRow("getbackupcount") << "getbackupcount"
                                    << "10";
    QTest::newRow("getport") << "getport"
                             << "[1-9][0-9]*";
    QTest::newRow("getudpport") << "getudpport"
                                << "[1-9][0-9]*";
    QTest::newRow("getfilestats") << "getfilestats"
                                  << "0;";
    QTest::newRow("getdolog") << "getdolog"
                              << "1";
    QTest::newRow("getlogsize") << "getlogsize"
                                << "128";
    QTest::newRow("getdefwrite") << "getdefwrite"
                                 << "1";
    QTest::newRow("getdefconfig") << "getdefconfig"
                                  << "1";
    QTest::newRow("getpass") << "getpass"
                             << "";
    QTest::newRow("getpassmode") << "getpassmode"
                                 << "0";
    QTest::newRow("getfileupdate") << "getfileupdate"
                                   << "0";
    QTest::newRow("getdostats") << "getdostats"
                                << "1";
    QTest::newRow("gettcpok") << "gettcpok"
                              << "1";
    QTest::newRow("getver") << "getver"
                            << QRegularExpression::escape(QStringLiteral(SCRIBOLT_EXPECTED_VERSION));
    QTest::newRow("getip") << "getip"
                           << "\\d+\\.\\d+\\.\\d+\\.\\d+";
    QTest::newRow("getlogpath") << "getlogpath"
                                << ".*/server-state/server\\.log";
}

void TestServerCommands::initialQueryAnswered()
{
    QFETCH(QString, keyword);
    QFETCH(QString, pattern);
    QVERIFY2(m_answers.contains(keyword), qPrintable(keyword + " not answered"));
    const QString value = m_answers.value(keyword);
    QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(pattern)).match(value).hasMatch(),
             qPrintable(keyword + ": " + value));
    if (keyword == QLatin1String("getport")) {
        QCOMPARE(value.toInt(), m_server->tcpPort());
        QVERIFY(workstationWelcomed(value.toInt()));
    }
    if (keyword.endsWith(QLatin1String("path")) || keyword == QLatin1String("getfile")) {
        QVERIFY2(QFile::exists(value), qPrintable(value));
    }
}

void TestServerCommands::initialQueryInOrder()
{
    // Replies come in the order of the commands; cllist frames its cladd lines with counts.
    QStringList expected{QStringLiteral("compatible"), QStringLiteral("clcount"), QStringLiteral("clcount")};
    expected += InitialGets.mid(0, InitialGets.size() - 1);
    QCOMPARE(m_order, expected);
}

void TestServerCommands::compatibility_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("answer");
    QTest::newRow("same") << "8.0.21"
                          << "compatible";
    QTest::newRow("first 8") << "8.0.0"
                             << "compatible";
    QTest::newRow("newer") << "9.2.1"
                           << "compatible";
    QTest::newRow("older") << "7.9.999"
                           << "notcompatible";
    QTest::newRow("not a version") << "eight"
                                   << "notcompatible";
    QTest::newRow("empty") << ""
                           << "notcompatible";
}

void TestServerCommands::compatibility()
{
    QFETCH(QString, version);
    QFETCH(QString, answer);
    AdminConsole console;
    QVERIFY(console.connectTo(m_server->socketPath()));
    console.send(QStringLiteral("getcompatible:") + version);
    console.send(QStringLiteral("getver"));
    QVERIFY(console.waitFor(QStringLiteral("getver")).has_value());
    QStringList verdicts;
    for (const AdminConsole::Reply& r : console.takeAll()) {
        if (r.keyword.endsWith(QLatin1String("compatible"))) {
            verdicts.append(r.keyword);
        }
    }
    QCOMPARE(verdicts, QStringList{answer});
}

void TestServerCommands::settingSurvivesKill_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("getter");
    QTest::addColumn<QString>("expected");
    const QString udp = QString::number(freeUdpPort());
    QTest::newRow("password") << "setpass:Se cret:;x"
                              << "getpass"
                              << "Se cret:;x";
    QTest::newRow("password mode") << "setpassmode:2"
                                   << "getpassmode"
                                   << "2";
    QTest::newRow("password mode out of range") << "setpassmode:7"
                                                << "getpassmode"
                                                << "0";
    QTest::newRow("file mode") << "setfilemode:1"
                               << "getfilemode"
                               << "1";
    QTest::newRow("file mode not a number") << "setfilemode:x"
                                            << "getfilemode"
                                            << "0";
    QTest::newRow("file update") << "setfileupdate:1"
                                 << "getfileupdate"
                                 << "1";
    QTest::newRow("statistics") << "setdostats:0"
                                << "getdostats"
                                << "0";
    QTest::newRow("backups") << "setbackupcount:25"
                             << "getbackupcount"
                             << "25";
    QTest::newRow("backups zero") << "setbackupcount:0"
                                  << "getbackupcount"
                                  << "10";
    QTest::newRow("default write") << "setdefwrite:0"
                                   << "getdefwrite"
                                   << "0";
    QTest::newRow("default config") << "setdefconfig:0"
                                    << "getdefconfig"
                                    << "0";
    QTest::newRow("udp port") << "setudpport:" + udp << "getudpport" << udp;
    QTest::newRow("udp port too big") << "setudpport:99999"
                                      << "getudpport"
                                      << "same";
}

void TestServerCommands::settingSurvivesKill()
{
    QFETCH(QString, command);
    QFETCH(QString, getter);
    QFETCH(QString, expected);
    TestSandbox sandbox;
    ServerProcess server(sandbox);
    QVERIFY2(server.start(), qPrintable(server.errorText()));
    AdminConsole console;
    QVERIFY(console.connectTo(server.socketPath()));
    console.send(getter);
    const auto before = console.waitFor(getter);
    QVERIFY(before.has_value());
    if (expected == QLatin1String("same")) {
        expected = *before;
    }
    console.send(command);
    console.send(getter);
    QCOMPARE(console.waitFor(getter).value_or("<none>"), expected);

    server.kill();
    QVERIFY2(server.start(), qPrintable(server.errorText()));
    AdminConsole again;
    QVERIFY(again.connectTo(server.socketPath()));
    again.send(getter);
    QCOMPARE(again.waitFor(getter).value_or("<none>"), expected);
    QVERIFY(QDir(server.stateDir()).entryList({QStringLiteral("*.tmp-*")}, QDir::Files).isEmpty());
}

void TestServerCommands::setPort_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("moves");
    QTest::newRow("free port") << "free" << true;
    QTest::newRow("port held by another socket") << "held" << false;
    QTest::newRow("zero") << "0" << false;
    QTest::newRow("beyond 65535") << "70000" << false;
    QTest::newRow("not a number") << "port" << false;
}

void TestServerCommands::setPort()
{
    QFETCH(QString, target);
    QFETCH(bool, moves);
    TestSandbox sandbox;
    ServerProcess server(sandbox);
    QVERIFY2(server.start(), qPrintable(server.errorText()));
    const int oldPort = server.tcpPort();
    QTcpServer holder;
    QString arg = target;
    if (target == QLatin1String("free")) {
        arg = QString::number(freeTcpPort());
    } else if (target == QLatin1String("held")) {
        QVERIFY(holder.listen(QHostAddress::Any, 0));
        arg = QString::number(holder.serverPort());
    }
    AdminConsole console;
    QVERIFY(console.connectTo(server.socketPath()));
    console.send(QStringLiteral("setport:") + arg);
    QCOMPARE(console.waitFor(QStringLiteral("gettcpok")).value_or("<none>"), moves ? "1" : "0");
    console.send(QStringLiteral("getport"));
    console.send(QStringLiteral("gettcpok"));
    const int nowPort = console.waitFor(QStringLiteral("getport")).value_or("0").toInt();
    // A refused move leaves the old listener serving, so the port in force is fine.
    QCOMPARE(console.waitFor(QStringLiteral("gettcpok")).value_or("<none>"), QStringLiteral("1"));
    QCOMPARE(nowPort, moves ? arg.toInt() : oldPort);
    QVERIFY(workstationWelcomed(nowPort));
    if (moves) {
        QVERIFY(!workstationWelcomed(oldPort));
        QVERIFY2(server.restart(), qPrintable(server.errorText()));
        QCOMPARE(server.tcpPort(), nowPort);
    }
}

void TestServerCommands::setFile_data()
{
    QTest::addColumn<QString>("path"); // "@" stands for the sandbox folder
    QTest::addColumn<QString>("answer");
    QTest::newRow("existing file") << "@/existing.sbf"
                                   << "OK";
    QTest::newRow("new file in existing folder") << "@/new.sbf"
                                                 << "OK";
    QTest::newRow("missing folder") << "@/nowhere/p.sbf"
                                    << "nofile";
    QTest::newRow("a folder") << "@"
                              << "nofile";
    QTest::newRow("empty") << ""
                           << "nofile";
    QTest::newRow("relative") << "phrases.sbf"
                              << "nofile";
    QTest::newRow("windows drive") << "C:\\Data\\phrases.sbf"
                                   << "nofile";
    QTest::newRow("wildcard") << "@/p*.sbf"
                              << "nofile";
    QTest::newRow("control character") << "@/p\001.sbf"
                                       << "nofile";
    QTest::newRow("unc") << "\\\\fileserver\\share\\p.sbf"
                         << "nonetwork";
    QTest::newRow("slashes") << "//fileserver/share/p.sbf"
                             << "nonetwork";
    QTest::newRow("url") << "smb://fileserver/share/p.sbf"
                         << "nonetwork";
}

void TestServerCommands::setFile()
{
    QFETCH(QString, path);
    QFETCH(QString, answer);
    TestSandbox sandbox;
    path.replace(QLatin1Char('@'), sandbox.path());
    QFile existing(sandbox.filePath(QStringLiteral("existing.sbf")));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.write("phrases");
    existing.close();
    ServerProcess server(sandbox);
    QVERIFY2(server.start(), qPrintable(server.errorText()));
    AdminConsole console;
    QVERIFY(console.connectTo(server.socketPath()));
    console.send(QStringLiteral("getfile"));
    const QString before = console.waitFor(QStringLiteral("getfile")).value_or("<none>");
    console.send(QStringLiteral("setfile:") + path);
    QCOMPARE(console.waitFor(QStringLiteral("setfile")).value_or("<none>"), answer);
    console.send(QStringLiteral("getfile"));
    console.send(QStringLiteral("getfilestats"));
    QCOMPARE(console.waitFor(QStringLiteral("getfile")).value_or("<none>"), answer == "OK" ? path : before);
    QCOMPARE(console.waitFor(QStringLiteral("getfilestats")).value_or("<none>"), QStringLiteral("0;"));
    if (answer == QLatin1String("OK")) {
        QVERIFY(QFileInfo(path).isFile());
        QFile kept(sandbox.filePath(QStringLiteral("existing.sbf")));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("phrases"));
    } else {
        QVERIFY(!QFileInfo(sandbox.filePath(QStringLiteral("nowhere"))).exists());
    }
}

void TestServerCommands::logHoldsEventsButNoPassword()
{
    AdminConsole console;
    QVERIFY(console.connectTo(m_server->socketPath()));
    console.send(QStringLiteral("frobnicate:1"));
    console.send(QStringLiteral("setpass:TopSecret42"));
    console.send(QStringLiteral("setpass:"));
    console.send(QStringLiteral("getlog"));
    console.send(QStringLiteral("getver"));
    QVERIFY(console.waitFor(QStringLiteral("getver")).has_value());
    QStringList log;
    for (const AdminConsole::Reply& r : console.takeAll()) {
        QCOMPARE(r.keyword, QStringLiteral("addlog"));
        log.append(r.argument);
    }
    const QString all = log.join(QLatin1Char('\n'));
    QVERIFY2(all.contains(QStringLiteral("starting")), qPrintable(all));
    QVERIFY2(all.contains(QStringLiteral("frobnicate")), qPrintable(all));
    QVERIFY2(all.contains(QStringLiteral("Network password changed")), qPrintable(all));
    QVERIFY2(!all.contains(QStringLiteral("TopSecret42")), qPrintable(all));
    QFile file(m_answers.value(QStringLiteral("getlogpath")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(!file.readAll().contains("TopSecret42"));
}

void TestServerCommands::reloadTakesEditedFileAndKeepsSettingsOnBadOne()
{
    TestSandbox sandbox;
    ServerProcess server(sandbox);
    QVERIFY2(server.start(), qPrintable(server.errorText()));
    const QString path = server.stateDir() + QStringLiteral("/settings.json");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QJsonObject o = QJsonDocument::fromJson(file.readAll()).object();
    file.close();
    o.insert(QStringLiteral("backupCount"), 77);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QJsonDocument(o).toJson());
    file.close();

    AdminConsole console;
    QVERIFY(console.connectTo(server.socketPath()));
    console.send(QStringLiteral("reloadsettings"));
    console.send(QStringLiteral("getbackupcount"));
    QCOMPARE(console.waitFor(QStringLiteral("getbackupcount")).value_or("<none>"), QStringLiteral("77"));

    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("{ not json");
    file.close();
    console.send(QStringLiteral("reloadsettings"));
    console.send(QStringLiteral("getbackupcount"));
    QCOMPARE(console.waitFor(QStringLiteral("getbackupcount")).value_or("<none>"), QStringLiteral("77"));
    QVERIFY2(server.restart(), qPrintable(server.errorText()));
    AdminConsole again;
    QVERIFY(again.connectTo(server.socketPath()));
    again.send(QStringLiteral("getbackupcount"));
    QCOMPARE(again.waitFor(QStringLiteral("getbackupcount")).value_or("<none>"), QStringLiteral("77"));
}

void TestServerCommands::corruptSettingsKeptAside()
{
    TestSandbox sandbox;
    QDir().mkpath(sandbox.filePath(QStringLiteral("server-state")));
    QFile file(sandbox.filePath(QStringLiteral("server-state/settings.json")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("\x01\x02 garbage");
    file.close();
    ServerProcess server(sandbox);
    QVERIFY2(server.start(), qPrintable(server.errorText()));
    const QStringList aside =
        QDir(server.stateDir()).entryList({QStringLiteral("settings.json.corrupt-*")}, QDir::Files);
    QCOMPARE(aside.size(), 1);
    QFile kept(server.stateDir() + QLatin1Char('/') + aside.first());
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("\x01\x02 garbage"));
    AdminConsole console;
    QVERIFY(console.connectTo(server.socketPath()));
    console.send(QStringLiteral("getlog"));
    console.send(QStringLiteral("getver"));
    QVERIFY(console.waitFor(QStringLiteral("getver")).has_value());
    bool reported = false;
    for (const AdminConsole::Reply& r : console.takeAll()) {
        reported = reported || r.argument.contains(QStringLiteral("does not read"));
    }
    QVERIFY(reported);
}

void TestServerCommands::secondServerRefusedStaleSocketReplaced()
{
    TestSandbox sandbox;
    ServerProcess first(sandbox);
    QVERIFY2(first.start(), qPrintable(first.errorText()));
    QProcess second;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("SCRIBOLT_PIPE_DIR"), sandbox.pipeDir());
    second.setProcessEnvironment(env);
    second.start(TestSandbox::binary(QStringLiteral("scribolt-server")),
                 {QStringLiteral("--state-dir"), sandbox.filePath(QStringLiteral("other")),
                  QStringLiteral("--tcp-port"), QStringLiteral("0"), QStringLiteral("--udp-port"),
                  QStringLiteral("0")});
    QVERIFY(second.waitForFinished(5000));
    QCOMPARE(second.exitCode(), 1);
    QVERIFY(second.readAllStandardError().contains("already serving"));
    QVERIFY(!QFileInfo::exists(sandbox.filePath(QStringLiteral("other"))));

    first.kill(); // leaves the socket file behind
    QVERIFY(QFileInfo::exists(first.socketPath()));
    QVERIFY2(first.start(), qPrintable(first.errorText()));
    QCOMPARE(QFileInfo(first.socketPath()).permissions() & 0x0077, QFileDevice::Permissions());
    QCOMPARE(QFileInfo(sandbox.pipeDir()).permissions() & 0x0077, QFileDevice::Permissions());
}

void TestServerCommands::pipeFolder_data()
{
    QTest::addColumn<bool>("explicitDir");
    QTest::addColumn<QString>("expected"); // below the sandbox
    QTest::newRow("SCRIBOLT_PIPE_DIR wins") << true << "explicit/ScriboltPipe";
    QTest::newRow("else XDG_RUNTIME_DIR/scribolt") << false << "runtime/scribolt/ScriboltPipe";
}

void TestServerCommands::pipeFolder()
{
    QFETCH(bool, explicitDir);
    QFETCH(QString, expected);
    TestSandbox sandbox;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("SCRIBOLT_PIPE_DIR"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), sandbox.filePath(QStringLiteral("runtime")));
    if (explicitDir) {
        env.insert(QStringLiteral("SCRIBOLT_PIPE_DIR"), sandbox.filePath(QStringLiteral("explicit")));
    }
    QProcess server;
    server.setProcessEnvironment(env);
    server.start(TestSandbox::binary(QStringLiteral("scribolt-server")),
                 {QStringLiteral("--state-dir"), sandbox.filePath(QStringLiteral("state")),
                  QStringLiteral("--tcp-port"), QStringLiteral("0"), QStringLiteral("--udp-port"),
                  QStringLiteral("0")});
    QVERIFY(server.waitForStarted());
    const QString path = sandbox.filePath(expected);
    AdminConsole console;
    QTRY_VERIFY_WITH_TIMEOUT(console.connectTo(path, 100), 5000);
    QVERIFY(answers(console));
    QCOMPARE(QFileInfo(QFileInfo(path).path()).permissions() & 0x0077, QFileDevice::Permissions());
    server.terminate();
    QVERIFY(server.waitForFinished(5000));
    QCOMPARE(server.exitCode(), 0);
}

void TestServerCommands::consoleOverAdminTcp()
{
    TestSandbox sandbox;
    ServerProcess server(sandbox);
    const int port = freeTcpPort();
    QVERIFY2(server.start({QStringLiteral("--admin-tcp"), QString::number(port)}),
             qPrintable(server.errorText()));
    QTcpSocket remote;
    remote.connectToHost(QHostAddress::LocalHost, quint16(port));
    QVERIFY(remote.waitForConnected(2000));
    remote.write(EncDec::frameLine(QStringLiteral("getver")));
    while (!remote.canReadLine() && remote.waitForReadyRead(3000)) {
    }
    const QStringList items = EncDec::splitItems(EncDec::fromAnsi(remote.readLine()));
    QCOMPARE(items.size(), 1);
    QCOMPARE(EncDec::openItem(items.first()), QStringLiteral("getver:" SCRIBOLT_EXPECTED_VERSION));
}

void TestServerCommands::udpDiscovery()
{
    QUdpSocket udp;
    QVERIFY(udp.bind(QHostAddress::LocalHost, 0));
    const quint16 port = quint16(m_answers.value(QStringLiteral("getudpport")).toInt());
    udp.writeDatagram("junk", QHostAddress::LocalHost, port);
    udp.writeDatagram("scribolt?", QHostAddress::LocalHost, port);
    QVERIFY(udp.waitForReadyRead(3000));
    QCOMPARE(udp.receiveDatagram().data(),
             "scribolt;" + QByteArray::number(m_server->tcpPort()) + ";" SCRIBOLT_EXPECTED_VERSION);
    QVERIFY(!udp.waitForReadyRead(200)); // nothing for the junk
}

void TestServerCommands::cleanupTestCase()
{
    // Ends by itself, cleanly, after everything above.
    QVERIFY2(m_server->stop(), qPrintable(m_server->errorText()));
    QVERIFY(!QFileInfo::exists(m_server->socketPath()));
}

QTEST_GUILESS_MAIN(TestServerCommands)
#include "TestServerCommands.moc"

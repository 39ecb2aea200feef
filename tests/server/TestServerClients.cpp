#include "support/AdminConsole.h"
#include "support/ServerProcess.h"
#include "support/TestSandbox.h"

#include <QDeadlineTimer>
#include <QTcpSocket>
#include <QtTest>
#include <memory>

namespace {

// A workstation driven line by line from the test.
class RawWorkstation
{
public:
    bool open(int port)
    {
        m_socket.connectToHost(QHostAddress::LocalHost, quint16(port));
        return m_socket.waitForConnected(2000);
    }
    void send(const QByteArray& line) { m_socket.write(line + '\n'), m_socket.flush(); }
    // The next line from the server; empty on timeout or hang-up.
    QByteArray next(int timeoutMs = 3000)
    {
        const QDeadlineTimer deadline(timeoutMs);
        while (!m_socket.canReadLine() && !deadline.hasExpired()) {
            if (!m_socket.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime()))) &&
                m_socket.state() != QAbstractSocket::ConnectedState) {
                break;
            }
        }
        return m_socket.canReadLine() ? m_socket.readLine().trimmed() : QByteArray();
    }
    bool hungUp(int timeoutMs = 3000)
    {
        if (m_socket.state() == QAbstractSocket::UnconnectedState) {
            return true;
        }
        return m_socket.waitForDisconnected(timeoutMs) ||
               m_socket.state() == QAbstractSocket::UnconnectedState;
    }

private:
    QTcpSocket m_socket;
};

QStringList fields(const QString& cladd)
{
    return cladd.split(QLatin1Char(';'));
}

// Waits for a "cladd" of comp whose field at index has value.
bool waitForCladd(AdminConsole& console, const QString& comp, int index, const QString& value,
                  int timeoutMs = 5000)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        const auto arg =
            console.waitFor(QStringLiteral("cladd"), int(qMax<qint64>(1, deadline.remainingTime())));
        if (!arg) {
            return false;
        }
        const QStringList f = fields(*arg);
        if (f.size() == 10 && f.at(3) == comp && f.at(index) == value) {
            return true;
        }
    }
    return false;
}

bool waitForOutput(QProcess* p, const QByteArray& text, int timeoutMs = 5000)
{
    const QDeadlineTimer deadline(timeoutMs);
    QByteArray seen;
    while (!deadline.hasExpired()) {
        p->waitForReadyRead(50);
        seen += p->readAllStandardOutput();
        if (seen.contains(text)) {
            return true;
        }
    }
    return false;
}

enum Field
{
    IP,
    W,
    C,
    Comp,
    Ver,
    Time,
    Money,
    Connected,
    Blocked
};

bool waitForValue(AdminConsole& console, const QString& keyword, const QString& value, int timeoutMs = 5000)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (console.waitFor(keyword, int(qMax<qint64>(1, deadline.remainingTime()))) == value) {
            return true;
        }
    }
    return false;
}

struct Listing
{
    QString count;
    QMap<QString, QStringList> rows;
};

// What "cllist" reports now: the count closing the list and every row.
Listing listing(AdminConsole& console)
{
    console.takeAll();
    console.send(QStringLiteral("cllist"));
    console.send(QStringLiteral("getver"));
    console.waitFor(QStringLiteral("getver"));
    Listing l;
    for (const AdminConsole::Reply& r : console.takeAll()) {
        if (r.keyword == QLatin1String("clcount")) {
            l.count = r.argument;
        } else if (r.keyword == QLatin1String("cladd")) {
            l.rows.insert(fields(r.argument).value(Comp), fields(r.argument));
        }
    }
    return l;
}

// Polls the list until comp's field at index has value.
bool waitForRow(AdminConsole& console, const QString& comp, int index, const QString& value)
{
    const QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired()) {
        if (listing(console).rows.value(comp).value(index) == value) {
            return true;
        }
        QThread::msleep(20);
    }
    return false;
}

} // namespace

class TestServerClients : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void simulatedClientsListedWithStatsAndDisconnect();
    void blockRefusesAndUnblockReadmits();
    void rightsReachWorkstationAndConsoles();
    void editingShownAndEndedWithWriteAccess();
    void helloRefusals_data();
    void helloRefusals();
    void tooOldClientReportedOnce();

private:
    std::unique_ptr<TestSandbox> m_sandbox;
    std::unique_ptr<ServerProcess> m_server;
};

void TestServerClients::init()
{
    m_sandbox = std::make_unique<TestSandbox>();
    m_server = std::make_unique<ServerProcess>(*m_sandbox);
    QVERIFY2(m_server->start(), qPrintable(m_server->errorText()));
}

void TestServerClients::cleanup()
{
    QVERIFY2(m_server->stop(), qPrintable(m_server->errorText()));
    m_server.reset();
    m_sandbox.reset();
}

void TestServerClients::simulatedClientsListedWithStatsAndDisconnect()
{
    AdminConsole console;
    QVERIFY(console.connectTo(m_server->socketPath()));
    QProcess* clients = m_server->startClients({"--count", "3", "--stats-interval", "50"});
    for (const char* name : {"PC1", "PC2", "PC3"}) {
        QVERIFY2(waitForCladd(console, QLatin1String(name), Connected, QStringLiteral("1")), name);
    }
    // Statistics are pushed as they grow.
    const QDeadlineTimer deadline(5000);
    bool grown = false;
    while (!grown && !deadline.hasExpired()) {
        const QStringList s =
            console.waitFor(QStringLiteral("stats")).value_or(QString()).split(QLatin1Char(';'));
        grown =
            s.size() == 4 && s.at(0) == QLatin1String("PC2") && s.at(1).toInt() > 0 && s.at(2).toDouble() > 0;
    }
    QVERIFY(grown);

    AdminConsole other;
    QVERIFY(other.connectTo(m_server->socketPath()));
    other.send(QStringLiteral("cllist"));
    other.send(QStringLiteral("getver"));
    QVERIFY(other.waitFor(QStringLiteral("getver")).has_value());
    const QList<AdminConsole::Reply> list = other.takeAll();
    QStringList shape;
    QStringList names;
    for (const AdminConsole::Reply& r : list) {
        if (r.keyword == QLatin1String("clcount") || r.keyword == QLatin1String("cladd")) {
            shape.append(r.keyword == QLatin1String("clcount") ? r.keyword + ':' + r.argument : r.keyword);
        }
        if (r.keyword == QLatin1String("cladd")) {
            const QStringList f = fields(r.argument);
            QCOMPARE(f.size(), 10); // nine fields, each ended by ";"
            QCOMPARE(f.at(IP), QStringLiteral("127.0.0.1"));
            QCOMPARE(f.mid(W, 2), (QStringList{"1", "1"}));
            QCOMPARE(f.at(Ver), QStringLiteral("8.0.21"));
            QCOMPARE(f.mid(Connected, 3), (QStringList{"1", "0", ""}));
            names.append(f.at(Comp));
        }
    }
    QCOMPARE(shape, (QStringList{"clcount:3", "cladd", "cladd", "cladd", "clcount:3"}));
    names.sort();
    QCOMPARE(names, (QStringList{"PC1", "PC2", "PC3"}));

    clients->kill();
    QStringList gone;
    while (gone.size() < 3) {
        const auto name = console.waitFor(QStringLiteral("cldel"));
        QVERIFY(name.has_value());
        gone.append(*name);
    }
    gone.sort();
    QCOMPARE(gone, names);
    QVERIFY(waitForValue(console, QStringLiteral("clcount"), QStringLiteral("0")));
    // Known workstations stay listed, not connected, with their statistics.
    const Listing after = listing(console);
    QCOMPARE(after.count, QStringLiteral("0"));
    QCOMPARE(after.rows.keys(), names);
    for (const QStringList& f : after.rows) {
        QCOMPARE(f.value(Connected), QStringLiteral("0"));
    }
    QVERIFY(after.rows.value("PC2").value(Time).toInt() > 0);
}

void TestServerClients::blockRefusesAndUnblockReadmits()
{
    AdminConsole console;
    QVERIFY(console.connectTo(m_server->socketPath()));
    QProcess* clients = m_server->startClients({"--count", "2", "--reconnect", "50"});
    QVERIFY(waitForCladd(console, "PC1", Connected, "1"));
    QVERIFY(waitForCladd(console, "PC2", Connected, "1"));
    console.takeAll();

    console.send(QStringLiteral("block:pc1"));
    QCOMPARE(console.waitFor(QStringLiteral("block")).value_or("<none>"), QStringLiteral("PC1;1"));
    const QStringList f = fields(console.waitFor(QStringLiteral("cladd")).value_or(QString()));
    QCOMPARE(f.value(Comp), QStringLiteral("PC1"));
    QCOMPARE(f.mid(Connected, 2), (QStringList{"0", "1"}));
    QCOMPARE(console.waitFor(QStringLiteral("clcount")).value_or("<none>"), QStringLiteral("1"));
    QVERIFY(waitForOutput(clients, "PC1 blocked"));
    QVERIFY(waitForOutput(clients, "PC1 refused blocked"));

    // The block is stored at once: a kill does not lose it.
    m_server->kill();
    QVERIFY2(m_server->start(), qPrintable(m_server->errorText()));
    AdminConsole again;
    QVERIFY(again.connectTo(m_server->socketPath()));
    QVERIFY(waitForRow(again, "PC2", Connected, "1"));
    QVERIFY(waitForOutput(clients, "PC1 refused blocked"));
    QCOMPARE(listing(again).rows.value("PC1").mid(Connected, 2), (QStringList{"0", "1"}));

    again.send(QStringLiteral("block:PC1;0"));
    QCOMPARE(again.waitFor(QStringLiteral("block")).value_or("<none>"), QStringLiteral("PC1;0"));
    QVERIFY(waitForCladd(again, "PC1", Connected, "1"));
    QVERIFY(waitForOutput(clients, "PC1 connected"));
}

void TestServerClients::rightsReachWorkstationAndConsoles()
{
    AdminConsole console;
    QVERIFY(console.connectTo(m_server->socketPath()));
    RawWorkstation ws;
    QVERIFY(ws.open(m_server->tcpPort()));
    ws.send("hello;WS1;8.0.21");
    QCOMPARE(ws.next(), QByteArray("welcome;1;1;1"));
    console.send(QStringLiteral("removewrite:ws1"));
    QCOMPARE(ws.next(), QByteArray("rights;0;1"));
    QVERIFY(waitForCladd(console, "WS1", W, "0"));
    console.send(QStringLiteral("removeconfig:WS1"));
    QCOMPARE(ws.next(), QByteArray("rights;0;0"));
    console.send(QStringLiteral("setwrite:WS1"));
    QCOMPARE(ws.next(), QByteArray("rights;1;0"));
    console.send(QStringLiteral("setdostats:0"));
    QCOMPARE(ws.next(), QByteArray("dostats;0"));

    // New workstations get the defaults in force.
    console.send(QStringLiteral("setdefwrite:0"));
    console.send(QStringLiteral("getdefwrite"));
    QCOMPARE(console.waitFor(QStringLiteral("getdefwrite")).value_or("<none>"), QStringLiteral("0"));
    RawWorkstation ws2;
    QVERIFY(ws2.open(m_server->tcpPort()));
    ws2.send("hello;WS2;8.1.0");
    QCOMPARE(ws2.next(), QByteArray("welcome;0;1;0"));
    // Rights of a name nobody knows change nothing and break nothing.
    console.send(QStringLiteral("setwrite:NOBODY"));
    const Listing l = listing(console);
    QCOMPARE(l.count, QStringLiteral("2"));
    QCOMPARE(l.rows.keys(), (QStringList{"WS1", "WS2"}));
}

void TestServerClients::editingShownAndEndedWithWriteAccess()
{
    AdminConsole console;
    QVERIFY(console.connectTo(m_server->socketPath()));
    RawWorkstation editor;
    RawWorkstation rival;
    QVERIFY(editor.open(m_server->tcpPort()));
    QVERIFY(rival.open(m_server->tcpPort()));
    editor.send("hello;PC7;8.0.21");
    rival.send("hello;PC8;8.0.21");
    QVERIFY(editor.next().startsWith("welcome"));
    QVERIFY(rival.next().startsWith("welcome"));
    editor.send("editing;1");
    QCOMPARE(editor.next(), QByteArray("editing;1"));
    QCOMPARE(console.waitFor(QStringLiteral("getfilestats")).value_or("<none>"), QStringLiteral("0;PC7"));
    rival.send("editing;1");
    QCOMPARE(rival.next(), QByteArray("editing;denied"));

    console.send(QStringLiteral("removewrite:PC7"));
    QCOMPARE(editor.next(), QByteArray("rights;0;1"));
    QCOMPARE(editor.next(), QByteArray("editing;0"));
    QCOMPARE(console.waitFor(QStringLiteral("getfilestats")).value_or("<none>"), QStringLiteral("0;"));
    rival.send("editing;1");
    QCOMPARE(rival.next(), QByteArray("editing;1"));
    QCOMPARE(console.waitFor(QStringLiteral("getfilestats")).value_or("<none>"), QStringLiteral("0;PC8"));

    // A scribolt-clients workstation that edits, then goes away.
    rival.send("bye");
    QVERIFY(rival.hungUp());
    QCOMPARE(console.waitFor(QStringLiteral("getfilestats")).value_or("<none>"), QStringLiteral("0;"));
    QProcess* clients = m_server->startClients({"--count", "2", "--editing", "PC2"});
    QCOMPARE(console.waitFor(QStringLiteral("getfilestats")).value_or("<none>"), QStringLiteral("0;PC2"));
    clients->kill();
    QCOMPARE(console.waitFor(QStringLiteral("getfilestats")).value_or("<none>"), QStringLiteral("0;"));
}

void TestServerClients::helloRefusals_data()
{
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<QByteArray>("hello");
    QTest::addColumn<QByteArray>("answer");
    QTest::newRow("control character in name")
        << QStringList{} << QByteArray("hello;A\tB;8.0.21") << QByteArray("refused;name");
    QTest::newRow("name too long") << QStringList{} << "hello;" + QByteArray(65, 'N') + ";8.0.21"
                                   << QByteArray("refused;name");
    QTest::newRow("empty name") << QStringList{} << QByteArray("hello;;8.0.21") << QByteArray("refused;name");
    QTest::newRow("no version") << QStringList{} << QByteArray("hello;PC1") << QByteArray("refused;version");
    QTest::newRow("not hello first") << QStringList{} << QByteArray("stats;5;1.00")
                                     << QByteArray("refused;protocol");
    QTest::newRow("wrong password") << QStringList{"setpass:pw", "setpassmode:1"}
                                    << QByteArray("hello;PC1;8.0.21;nope") << QByteArray("refused;password");
    QTest::newRow("right password") << QStringList{"setpass:pw", "setpassmode:2"}
                                    << QByteArray("hello;PC1;8.0.21;pw") << QByteArray("welcome;1;1;1");
    QTest::newRow("name in use") << QStringList{"@hello;pc1;8.0.21"} << QByteArray("hello;PC1;8.0.21")
                                 << QByteArray("refused;duplicate");
}

void TestServerClients::helloRefusals()
{
    QFETCH(QStringList, setup);
    QFETCH(QByteArray, hello);
    QFETCH(QByteArray, answer);
    AdminConsole console;
    QVERIFY(console.connectTo(m_server->socketPath()));
    RawWorkstation first;
    for (const QString& step : setup) {
        if (step.startsWith(QLatin1Char('@'))) {
            QVERIFY(first.open(m_server->tcpPort()));
            first.send(step.mid(1).toUtf8());
            QVERIFY(first.next().startsWith("welcome"));
        } else {
            console.send(step);
        }
    }
    console.send(QStringLiteral("getver"));
    QVERIFY(console.waitFor(QStringLiteral("getver")).has_value());
    RawWorkstation ws;
    QVERIFY(ws.open(m_server->tcpPort()));
    ws.send(hello);
    QCOMPARE(ws.next(), answer);
    if (answer.startsWith("refused")) {
        QVERIFY(ws.hungUp());
        const Listing l = listing(console);
        QCOMPARE(l.count, QString::number(setup.filter(QStringLiteral("@")).size()));
        QCOMPARE(l.rows.size(), setup.filter(QStringLiteral("@")).size());
    }
}

void TestServerClients::tooOldClientReportedOnce()
{
    AdminConsole console;
    QVERIFY(console.connectTo(m_server->socketPath()));
    QProcess* clients =
        m_server->startClients({"--count", "1", "--client-version", "7.5.3", "--reconnect", "50"});
    QVERIFY(waitForOutput(clients, "PC1 refused version"));
    QVERIFY(waitForOutput(clients, "PC1 refused version")); // refused again on each retry
    const QList<AdminConsole::Reply> replies = console.collect(300);
    QStringList reports;
    for (const AdminConsole::Reply& r : replies) {
        QVERIFY2(r.keyword != QLatin1String("cladd"), qPrintable(r.argument));
        if (r.keyword == QLatin1String("ncclient")) {
            reports.append(r.argument);
        }
    }
    QCOMPARE(reports.size(), 1);
    QVERIFY2(reports.first().contains(QStringLiteral("PC1")) &&
                 reports.first().contains(QStringLiteral("7.5.3")),
             qPrintable(reports.first()));
}

QTEST_GUILESS_MAIN(TestServerClients)
#include "TestServerClients.moc"

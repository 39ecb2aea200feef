#include "FakeLinkHost.h"
#include "ScriptedPeer.h"
#include "i18n/FTLanguage.h"
#include "link/ConnectPipeThread.h"
#include "link/EncDec.h"
#include "link/LineAssembler.h"
#include "link/PipeLink.h"
#include "link/PipeLocation.h"
#include "link/PipeTransport.h"
#include "support/TestSandbox.h"
#include "ui/MessageBox.h"

#include <QElapsedTimer>
#include <QTest>
#include <cstring>
#include <memory>

namespace {

const QString Version = QStringLiteral("8.0.21");

QByteArray frames(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += EncDec::frameReply(line);
    }
    return bytes;
}

} // namespace

class TestPipeLink : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void initialQueryIsSentByteExact();
    void repliesAreJoinedSplitAndDispatchedInOrder_data();
    void repliesAreJoinedSplitAndDispatchedInOrder();
    void configErrWhileItsBoxIsOpenIsSwallowed();
    void incompatibleServerIsDroppedAndNotRetried_data();
    void incompatibleServerIsDroppedAndNotRetried();
    void peerClosingLeadsToReconnectAndNewQuery();
    void badBytesDropTheConnectionAndReopenIt_data();
    void badBytesDropTheConnectionAndReopenIt();
    void endlessLineIsBoundedThenDropped();
    void shutdownWhileReconnectingIsPrompt();
    void connectFailures_data();
    void connectFailures();
    void connectWhileConnectedDropsTheOldConnection();
    void handlerErrorIsShownAndLaterRepliesStillWork();
    void burstOfRepliesStaysFlatAndInOrder();

private:
    void connectAndSettle();
    void deliverSeparately(const QList<QByteArray>& chunks);

    std::unique_ptr<TestSandbox> m_sandbox;
    std::unique_ptr<ScriptedPeer> m_peer;
    std::unique_ptr<FakeLinkHost> m_host;
    std::unique_ptr<PipeLink> m_link;
};

void TestPipeLink::initTestCase()
{
    MessageBox::setTestMode(true);
    TFTLanguage::instance().setSource(TestSandbox::sourceDir() + QStringLiteral("/data/cmlang.txt"));
    TFTLanguage::instance().setCurrentLanguage(0);
    QVERIFY(!tr_id(600).isEmpty());
}

void TestPipeLink::init()
{
    MessageBox::clearHistory();
    m_sandbox = std::make_unique<TestSandbox>();
    m_peer = std::make_unique<ScriptedPeer>(PipeLocation::localSocketPath());
    QVERIFY(m_peer->listen());
    m_host = std::make_unique<FakeLinkHost>();
    m_link = std::make_unique<PipeLink>(*m_host, Version);
}

void TestPipeLink::cleanup()
{
    // The hooks may refer to a finished test's locals.
    m_host->onRefresh = nullptr;
    MessageBox::setShowHook(nullptr);
    m_link.reset();
    m_peer.reset();
    m_host.reset();
    m_sandbox.reset();
}

void TestPipeLink::connectAndSettle()
{
    QVERIFY(m_link->ConnectPipe(true));
    const QByteArray query = ScriptedPeer::initialQuery(Version);
    QTRY_COMPARE(m_peer->received(m_peer->connectionCount() - 1).size(), query.size());
    QCoreApplication::processEvents();
    m_host->refreshCount = 0;
    m_host->log.clear();
}

// Each chunk is written only after the console handled the one before, so
// each arrives in a read of its own.
void TestPipeLink::deliverSeparately(const QList<QByteArray>& chunks)
{
    for (const QByteArray& chunk : chunks) {
        const int before = m_host->refreshCount;
        m_peer->send(chunk);
        QTRY_VERIFY(m_host->refreshCount > before);
    }
}

void TestPipeLink::initialQueryIsSentByteExact()
{
    QVERIFY(m_link->ConnectPipe(true));
    const QByteArray query = ScriptedPeer::initialQuery(Version);
    QTRY_COMPARE(m_peer->received(0).size(), query.size());
    QCOMPARE(m_peer->received(0), query);
    // Each framed line ends in exactly one NUL code unit after its LF.
    QVERIFY(query.endsWith(QByteArray("\"\0\n\0\0\0", 6)));
    QCOMPARE(m_host->log, QStringList({"Connect", "Connected"}));
    QCOMPARE(m_host->hintStatus, 1);
    QCOMPARE(m_host->clearServerLogCount, 1);
    QCOMPARE(m_host->waitNotice, QList<bool>({true, false}));
    QCOMPARE(m_link->fCurServer, QStringLiteral("."));

    // A later command is trimmed and goes out as one framed line.
    m_link->SendCommand(QStringLiteral("  setport:1234\t"));
    const QByteArray expected = query + EncDec::frameLine(QStringLiteral("setport:1234"));
    QTRY_COMPARE(m_peer->received(0).size(), expected.size());
    QCOMPARE(m_peer->received(0), expected);
}

void TestPipeLink::repliesAreJoinedSplitAndDispatchedInOrder_data()
{
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("refreshes"); // -1: not checked
    QTest::addColumn<QString>("trace"); // a line the trace must hold, or empty

    const QByteArray getfile = EncDec::frameReply(QStringLiteral("getfile:C:\\Data\\phrases"));
    const QByteArray getport = EncDec::frameReply(QStringLiteral("getport:  1030 \t"));
    QTest::newRow("one line") << QList<QByteArray>{frames({"clcount:3"})} << QStringList{"1|3"} << 2
                              << "clcount:3";
    QTest::newRow("line over two reads")
        << QList<QByteArray>{getfile.first(10), getfile.sliced(10)} << QStringList{"5|C:\\Data\\phrases"} << 3
        << "getfile:C:\\Data\\phrases";
    QTest::newRow("line over three reads after a whole one")
        << QList<QByteArray>{frames({"clcount:1"}) + getport.first(5), getport.sliced(5, 9),
                             getport.sliced(14)}
        << QStringList{"1|1", "9|1030"} << 5 << "Buffer: " + QString::fromLatin1(getport.first(5));
    QTest::newRow("three lines in one read") << QList<QByteArray>{frames({"cladd:a", "cldel:b", "block:c"})}
                                             << QStringList{"2|a", "3|b", "4|c"} << 4 << "cldel:b";
    QTest::newRow("keyword in capitals")
        << QList<QByteArray>{frames({"CLCOUNT:7"})} << QStringList{"1|7"} << 2 << "CLCOUNT:7";
    QTest::newRow("argument with colons and blanks")
        << QList<QByteArray>{frames({"getfile: C:\\a:b \r", "getlogpath:/var/log/x"})}
        << QStringList{"5|C:\\a:b", "31|/var/log/x"} << 3 << QString();
    QTest::newRow("unknown keyword is only traced")
        << QList<QByteArray>{frames({"newthing:1", "clcount:2"})} << QStringList{"1|2"} << 2 << "newthing:1";
    QTest::newRow("compatible without colon is owned")
        << QList<QByteArray>{frames({"compatible", "start", "stop"})} << QStringList{} << 4
        << "Versions compatible";
    QTest::newRow("CR inside an argument keeps later pairs")
        << QList<QByteArray>{frames({"getfile:x\ry", "getport:7"})} << QStringList{"5|x\ry", "9|7"} << 3
        << QString();
    QTest::newRow("zero byte ends the chunk")
        << QList<QByteArray>{frames({"clcount:1"}) + QByteArray(1, '\0') + frames({"clcount:2"})}
        << QStringList{"1|1"} << 2 << QString();
    QTest::newRow("line longer than one read")
        << QList<QByteArray>{frames({"addlog:" + QString(1500, QLatin1Char('x'))})}
        << QStringList{"30|" + QString(1500, QLatin1Char('x'))} << -1 << QString();
}

void TestPipeLink::repliesAreJoinedSplitAndDispatchedInOrder()
{
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(QStringList, expected);
    QFETCH(int, refreshes);
    QFETCH(QString, trace);

    connectAndSettle();
    if (refreshes < 0) {
        m_peer->send(chunks.join());
    } else {
        deliverSeparately(chunks);
    }
    QTRY_COMPARE(m_link->queuedReplies(), 0);
    QTRY_COMPARE(m_host->dispatched, expected);
    if (refreshes >= 0) {
        QTRY_COMPARE(m_host->refreshCount, refreshes);
    }
    if (!trace.isEmpty()) {
        QVERIFY2(m_host->log.contains(trace), qPrintable(m_host->log.join(QLatin1Char('\n'))));
    }
    QVERIFY(m_link->isConnected());
    QCOMPARE(m_link->bufferedChars(), 0);
}

void TestPipeLink::configErrWhileItsBoxIsOpenIsSwallowed()
{
    connectAndSettle();
    int refreshesWhileOpen = -1;
    int boxesSeen = 0;
    MessageBox::setShowHook([&](const MessageBox::Shown&) {
        if (++boxesSeen != 1) {
            return;
        }
        // While the first box is "open", a second report arrives and is dispatched.
        QVERIFY(m_link->ConfigMsgOn);
        const int before = m_host->refreshCount;
        m_peer->sendLine(QStringLiteral("configerr"));
        QTRY_COMPARE(m_host->log.count(QStringLiteral("configerr")), 2);
        QTRY_COMPARE(m_link->queuedReplies(), 0);
        // Only ProcReply's own refresh for the chunk: the swallowed dispatch adds none.
        refreshesWhileOpen = m_host->refreshCount - before;
    });
    m_peer->sendLine(QStringLiteral("configerr"));
    QTRY_COMPARE(MessageBox::history().size(), 1);
    QTRY_VERIFY(refreshesWhileOpen >= 0);
    QCOMPARE(refreshesWhileOpen, 1);
    QVERIFY(!m_link->ConfigMsgOn);
    const MessageBox::Shown box = MessageBox::history().first();
    QCOMPARE(box.caption, tr_id(601));
    QCOMPARE(box.text, tr_id(660));
    QCOMPARE(box.buttons, MessageBox::Buttons(MessageBox::Ok));

    // Once the box is closed, the next report shows a box again.
    m_peer->sendLine(QStringLiteral("configerr"));
    QTRY_COMPARE(MessageBox::history().size(), 2);
}

void TestPipeLink::incompatibleServerIsDroppedAndNotRetried_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("textId"); // 0: no box, connection kept
    QTest::addColumn<int>("downloads");

    QTest::newRow("getver 8.0.14, Yes") << "getver:8.0.14" << int(MessageBox::Yes) << 658 << 1;
    QTest::newRow("getver 8.0.14, No") << "getver:8.0.14" << int(MessageBox::No) << 658 << 0;
    QTest::newRow("getver unreadable") << "getver: 8.0.15b" << int(MessageBox::No) << 658 << 0;
    QTest::newRow("getver 8.0.15") << "getver: 8.0.15 " << int(MessageBox::Yes) << 0 << 0;
    QTest::newRow("notcompatible, Yes") << "notcompatible" << int(MessageBox::Yes) << 635 << 1;
}

void TestPipeLink::incompatibleServerIsDroppedAndNotRetried()
{
    QFETCH(QString, line);
    QFETCH(int, answer);
    QFETCH(int, textId);
    QFETCH(int, downloads);

    connectAndSettle();
    MessageBox::setNextAnswer(MessageBox::Button(answer));
    m_peer->sendLine(line);
    QTRY_COMPARE(m_link->queuedReplies(), 0);
    QTRY_VERIFY(m_host->log.contains(line));
    if (line.startsWith(QLatin1String("getver"))) {
        QVERIFY(m_link->isStartFinished);
        QCOMPARE(m_link->fServVer, line.section(QLatin1Char(':'), 1).trimmed());
    }
    if (textId == 0) {
        QVERIFY(m_link->isConnected());
        QVERIFY(m_link->isCompatible);
        QVERIFY(MessageBox::history().isEmpty());
        return;
    }
    QTRY_COMPARE(MessageBox::history().size(), 1);
    QCOMPARE(MessageBox::history().first().text, tr_id(textId));
    QCOMPARE(MessageBox::history().first().caption, tr_id(601));
    QCOMPARE(MessageBox::history().first().buttons, MessageBox::Buttons(MessageBox::Yes | MessageBox::No));
    QCOMPARE(m_host->downloadPageCount, downloads);
    QVERIFY(!m_link->isConnected());
    QVERIFY(!m_link->isCompatible);
    QVERIFY(m_host->log.contains(QStringLiteral("DisConnect")));
    // The reader notices its closed connection, which is only traced; nothing reconnects.
    QTRY_VERIFY(m_host->log.contains(PipeTransport::errorText(PipeTransport::ErrorClosed)));
    QVERIFY(!m_link->isReconnecting());
    QTest::qWait(TConnectPipeThread::RetryIntervalMs + 300);
    QCOMPARE(m_peer->connectionCount(), 1);
}

void TestPipeLink::peerClosingLeadsToReconnectAndNewQuery()
{
    connectAndSettle();
    // With nothing listening the attempts fail until the server is back.
    m_peer->stopListening();
    m_peer->closeConnection();
    QTRY_VERIFY(m_host->log.contains(QStringLiteral("DisConnect")));
    QCOMPARE(m_host->log.first(), PipeTransport::errorText(PipeTransport::ErrorLost));
    QVERIFY(m_host->clearClientListCount >= 1);
    QVERIFY(!m_link->isConnected());
    QVERIFY(m_link->isReconnecting());
    QTest::qWait(1200);
    QCOMPARE(m_peer->connectionCount(), 1);

    QVERIFY(m_peer->listen());
    // The next attempt comes within a second of the server returning.
    QTRY_COMPARE_WITH_TIMEOUT(m_peer->connectionCount(), 2, 1600);
    const QByteArray query = ScriptedPeer::initialQuery(Version);
    QTRY_COMPARE(m_peer->received(1), query);
    QTRY_VERIFY(m_link->isConnected());
    QVERIFY(!m_link->isReconnecting());
    QVERIFY(!m_host->log.contains(QStringLiteral("Connected")));
    QCOMPARE(m_link->fCurServer, QStringLiteral("."));

    m_peer->sendLine(QStringLiteral("clcount:4"));
    QTRY_COMPARE(m_host->dispatched, QStringList{"1|4"});
}

void TestPipeLink::badBytesDropTheConnectionAndReopenIt_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("before"); // dispatched before the drop

    // "xyz" + U+0002: its two length digits are not digits.
    const QByteArray badMarker = "\"" + QByteArray("xyz\x02").toBase64() + "\"\n";
    // Length 99 runs past the end of the sealed text.
    const QByteArray pastEnd = "\"" + QByteArray("abc99\x02").toBase64() + "\"\n";
    QTest::newRow("unopenable marker after a good line")
        << frames({"clcount:1"}) + badMarker << QStringList{"1|1"};
    QTest::newRow("length past the end") << pastEnd + frames({"clcount:2"}) << QStringList{};
    QTest::newRow("binary noise") << QByteArray("\x01\xff\"\x80\x9f\x7f\"abc99\x02\n", 14) + pastEnd
                                  << QStringList{};
}

void TestPipeLink::badBytesDropTheConnectionAndReopenIt()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, before);

    connectAndSettle();
    m_peer->send(bytes);
    QTRY_VERIFY(m_host->log.contains(QStringLiteral("DisConnect")));
    QVERIFY(m_host->log.contains(PipeTransport::errorText(PipeTransport::ErrorLost)));
    QTRY_COMPARE(m_peer->connectionCount(), 2);
    QTRY_COMPARE(m_peer->received(1), ScriptedPeer::initialQuery(Version));
    QTRY_COMPARE(m_link->queuedReplies(), 0);
    QCOMPARE(m_host->dispatched, before);

    m_peer->sendLine(QStringLiteral("clcount:9"));
    QTRY_COMPARE(m_host->dispatched, before + QStringList{"1|9"});
}

void TestPipeLink::endlessLineIsBoundedThenDropped()
{
    connectAndSettle();
    qsizetype maxBuffered = 0;
    m_host->onRefresh = [&] { maxBuffered = std::max(maxBuffered, m_link->bufferedChars()); };
    m_peer->send(QByteArray(2 * 1024 * 1024, 'A'));
    QTRY_COMPARE_WITH_TIMEOUT(m_peer->connectionCount(), 2, 20000);
    QVERIFY(maxBuffered > 0);
    QVERIFY(maxBuffered <= LineAssembler::MaxPartialLine);
    QVERIFY(std::any_of(m_host->log.cbegin(), m_host->log.cend(),
                        [](const QString& l) { return l.startsWith(QLatin1String("UpdateBuffer: ")); }));
    QVERIFY(m_host->log.contains(QStringLiteral("DisConnect")));
    QTRY_COMPARE(m_peer->received(1), ScriptedPeer::initialQuery(Version));
    QCOMPARE(m_link->bufferedChars(), 0);

    m_peer->sendLine(QStringLiteral("clcount:9"));
    QTRY_COMPARE(m_host->dispatched, QStringList{"1|9"});
}

void TestPipeLink::shutdownWhileReconnectingIsPrompt()
{
    connectAndSettle();
    m_peer->stopListening();
    m_peer->closeConnection();
    QTRY_VERIFY(m_link->isReconnecting());
    QTest::qWait(300); // the reconnect thread is in its pause now
    QElapsedTimer timer;
    timer.start();
    m_link->shutdown();
    QVERIFY2(timer.elapsed() < 1500, qPrintable(QString::number(timer.elapsed())));
    QVERIFY(!m_link->isReconnecting());
    QVERIFY(!m_link->ConnectPipe(true));
}

void TestPipeLink::connectFailures_data()
{
    QTest::addColumn<QString>("location");
    QTest::addColumn<bool>("button"); // "Connect" button, else a silent attempt
    QTest::addColumn<bool>("network");
    QTest::addColumn<bool>("listening");
    QTest::addColumn<bool>("longPipeDir");
    QTest::addColumn<bool>("connected");
    QTest::addColumn<QStringList>("trace");
    QTest::addColumn<int>("captionId"); // 0: no box
    QTest::addColumn<QString>("text");  // the box's text; "#N" for text id N

    QTest::newRow("no server, Connect") << "." << true << true << false << false << false
                                        << QStringList{"DisConnect", "Connect"} << 601 << "#600";
    QTest::newRow("no server, silent")
        << "." << false << true << false << false << false << QStringList{"Connect"} << 0 << QString();
    QTest::newRow("other error shows the system text")
        << "localhost" << true << true << true << true << false << QStringList{"DisConnect", "Connect"} << 601
        << QString::fromLocal8Bit(std::strerror(ENAMETOOLONG));
    QTest::newRow("no network, remote server") << "192.0.2.1" << true << false << true << false << false
                                               << QStringList{"DisConnect"} << 626 << "#644";
    QTest::newRow("no network, this computer")
        << "." << true << false << true << false << true << QStringList{"DisConnect", "Connect", "Connected"}
        << 0 << QString();
}

void TestPipeLink::connectFailures()
{
    QFETCH(QString, location);
    QFETCH(bool, button);
    QFETCH(bool, network);
    QFETCH(bool, listening);
    QFETCH(bool, longPipeDir);
    QFETCH(bool, connected);
    QFETCH(QStringList, trace);
    QFETCH(int, captionId);
    QFETCH(QString, text);

    if (!listening) {
        m_peer->stopListening();
    }
    if (longPipeDir) {
        qputenv("SCRIBOLT_PIPE_DIR",
                (m_sandbox->path() + QLatin1Char('/') + QString(120, QLatin1Char('d'))).toLocal8Bit());
    }
    m_host->serverText = location;
    m_link->setNetworkProbe([network] { return network; });
    if (button) {
        m_link->ReconBtnClick();
    } else {
        QCOMPARE(m_link->ConnectPipe(true), connected);
    }
    QCOMPARE(m_link->isConnected(), connected);
    QCOMPARE(m_host->log, trace);
    if (captionId == 0) {
        QVERIFY(MessageBox::history().isEmpty());
    } else {
        QCOMPARE(MessageBox::history().size(), 1);
        QCOMPARE(MessageBox::history().first().caption, tr_id(captionId));
        const QString expected = text.startsWith(QLatin1Char('#')) ? tr_id(text.mid(1).toInt()) : text;
        QCOMPARE(MessageBox::history().first().text, expected);
    }
    if (!connected) {
        QVERIFY(m_link->fCurServer.isEmpty());
    }
}

void TestPipeLink::connectWhileConnectedDropsTheOldConnection()
{
    connectAndSettle();
    QVERIFY(m_link->ConnectPipe(true));
    // The old reader's read ends because its connection was closed; whether it
    // still traces that depends on how far it got before being stopped.
    QStringList trace = m_host->log;
    trace.removeAll(PipeTransport::errorText(PipeTransport::ErrorClosed));
    QCOMPARE(trace, QStringList({"Connect", "DisConnect", "Connected"}));
    QTRY_COMPARE(m_peer->connectionCount(), 2);
    QTRY_COMPARE(m_peer->received(1), ScriptedPeer::initialQuery(Version));
    m_peer->sendLine(QStringLiteral("clcount:2"));
    QTRY_COMPARE(m_host->dispatched, QStringList{"1|2"});
    QVERIFY(m_link->isConnected());
    QVERIFY(!m_link->isReconnecting());
}

void TestPipeLink::handlerErrorIsShownAndLaterRepliesStillWork()
{
    connectAndSettle();
    m_peer->send(frames({"clcount:boom", "clcount:5"}));
    QTRY_COMPARE(m_host->dispatched, QStringList{"1|5"});
    QCOMPARE(MessageBox::history().size(), 1);
    QCOMPARE(MessageBox::history().first().icon, MessageBox::Critical);
    QCOMPARE(MessageBox::history().first().text, QStringLiteral("handler failed."));
    // ProcReply's refresh and the second dispatch's; the failed one refreshes nothing.
    QTRY_COMPARE(m_host->refreshCount, 2);
    QVERIFY(m_link->isConnected());
}

void TestPipeLink::burstOfRepliesStaysFlatAndInOrder()
{
    constexpr int Count = 50000;
    connectAndSettle();
    m_host->processEventsOnRefresh = true;
    QByteArray burst;
    QStringList expected;
    for (int i = 0; i < Count; ++i) {
        burst += EncDec::frameReply(QStringLiteral("cladd:%1").arg(i));
        expected.append(QStringLiteral("2|%1").arg(i));
    }
    m_peer->send(burst);
    QTRY_COMPARE_WITH_TIMEOUT(m_host->dispatched.size(), Count, 300000);
    QCOMPARE(m_host->dispatched, expected);
    QVERIFY2(m_host->maxRefreshDepth <= 12, qPrintable(QString::number(m_host->maxRefreshDepth)));
}

QTEST_MAIN(TestPipeLink)
#include "TestPipeLink.moc"

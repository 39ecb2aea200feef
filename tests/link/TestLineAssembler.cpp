#include "link/EncDec.h"
#include "link/LineAssembler.h"

#include <QtTest>

namespace {

// Feeds chunks of the given size and opens every complete line on the way,
// as the reply reader does with each read.
QStringList openInChunks(const QByteArray& wire, int chunkSize)
{
    LineAssembler assembler;
    QStringList lines;
    for (qsizetype at = 0; at < wire.size(); at += chunkSize) {
        const LineAssembler::Taken taken = assembler.take(EncDec::fromAnsi(wire.mid(at, chunkSize)));
        for (const QString& item : EncDec::splitItems(taken.lines))
            lines << EncDec::openItem(item);
    }
    return lines;
}

} // namespace

class TestLineAssembler : public QObject
{
    Q_OBJECT

private slots:
    void steps_data();
    void steps();
    void framedRepliesAcrossReads_data();
    void framedRepliesAcrossReads();
    void partialLineIsBounded();
    void overflowInsideOneChunk();
    void clearForgetsPartialAndDiscarding();
};

void TestLineAssembler::steps_data()
{
    // One chunk per entry; after each, the complete lines handed out and the
    // text kept for the trace.
    QTest::addColumn<QStringList>("chunks");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("kept");
    QTest::addColumn<QString>("partial");

    QTest::newRow("line over two chunks")
        << QStringList{"\"abc", "def\"\n"} << QStringList{"", "\"abcdef\"\n"} << QStringList{"", ""}
        << QString();
    QTest::newRow("line over three chunks")
        << QStringList{"\"ab", "cd", "ef\"\n"} << QStringList{"", "", "\"abcdef\"\n"}
        << QStringList{"", "", ""} << QString();
    QTest::newRow("three lines in one chunk")
        << QStringList{"\"a\"\n\"b\"\n\"c\"\n"} << QStringList{"\"a\"\n\"b\"\n\"c\"\n"} << QStringList{""}
        << QString();
    QTest::newRow("lines then the start of the next")
        << QStringList{"\"a\"\n\"b", "\"\n"} << QStringList{"\"a\"\n", "\"b\"\n"} << QStringList{"\"b", ""}
        << QString();
    QTest::newRow("kept tail joins the next partial")
        << QStringList{"\"a\"\n\"b", "c", "d"} << QStringList{"\"a\"\n", "", ""} << QStringList{"\"b", "", ""}
        << QStringLiteral("\"bcd");
    QTest::newRow("empty chunk changes nothing")
        << QStringList{"\"a", "", "\"\n"} << QStringList{"", "", "\"a\"\n"} << QStringList{"", "", ""}
        << QString();
    QTest::newRow("bare LF") << QStringList{"\"a", "\n"} << QStringList{"", "\"a\n"} << QStringList{"", ""}
                             << QString();
}

void TestLineAssembler::steps()
{
    QFETCH(QStringList, chunks);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, kept);
    QFETCH(QString, partial);

    LineAssembler assembler;
    for (int i = 0; i < chunks.size(); ++i) {
        const LineAssembler::Taken taken = assembler.take(chunks[i]);
        QCOMPARE(taken.lines, lines[i]);
        QCOMPARE(taken.kept, kept[i]);
        QVERIFY(!taken.overflow);
    }
    QCOMPARE(assembler.partial(), partial);
}

void TestLineAssembler::framedRepliesAcrossReads_data()
{
    QTest::addColumn<int>("chunkSize");
    QTest::newRow("1 byte") << 1;
    QTest::newRow("7 bytes") << 7;
    QTest::newRow("31 bytes") << 31;
    QTest::newRow("1000 bytes") << 1000;
    QTest::newRow("all at once") << (1 << 20);
}

void TestLineAssembler::framedRepliesAcrossReads()
{
    QFETCH(int, chunkSize);
    const QStringList replies = {
        QStringLiteral("clcount:2"),
        QStringLiteral("cladd:192.168.1.10;1;0;PC1;8.0.21;3600;12.50;0;1"),
        QStringLiteral("addlog:") + QStringLiteral("Gr\u00fc\u00dfe \u20ac ").repeated(150),
        QStringLiteral("getpass:0"),
        QStringLiteral("compatible"),
    };
    QByteArray wire;
    for (const QString& reply : replies)
        wire += EncDec::frameReply(reply);
    QVERIFY(wire.size() > 1000);
    QCOMPARE(openInChunks(wire, chunkSize), replies);
}

void TestLineAssembler::partialLineIsBounded()
{
    LineAssembler assembler;
    const QString chunk(1000, u'A');
    int overflows = 0;
    qsizetype fed = 0;
    while (fed <= LineAssembler::MaxPartialLine + 5000) {
        const LineAssembler::Taken taken = assembler.take(chunk);
        fed += chunk.size();
        QVERIFY(taken.lines.isEmpty());
        QVERIFY(assembler.partial().size() <= LineAssembler::MaxPartialLine);
        if (taken.overflow) {
            ++overflows;
            QVERIFY(fed > LineAssembler::MaxPartialLine);
            QVERIFY(fed - chunk.size() <= LineAssembler::MaxPartialLine);
        }
    }
    QCOMPARE(overflows, 1);
    QVERIFY(assembler.isDiscarding());
    QVERIFY(assembler.partial().isEmpty());

    // The rest of the dropped line goes; the next line comes through whole.
    const QString next = EncDec::fromAnsi(EncDec::frameReply(QStringLiteral("getport:1030")));
    const LineAssembler::Taken taken = assembler.take(QStringLiteral("AAAA\n") + next);
    QVERIFY(!taken.overflow);
    QVERIFY(!assembler.isDiscarding());
    QCOMPARE(taken.lines, next);
}

void TestLineAssembler::overflowInsideOneChunk()
{
    // A partial of exactly the bound is still kept.
    LineAssembler exact;
    QVERIFY(!exact.take(QString(LineAssembler::MaxPartialLine, u'A')).overflow);
    QCOMPARE(exact.partial().size(), LineAssembler::MaxPartialLine);
    QVERIFY(exact.take(QStringLiteral("A")).overflow);

    // Complete lines before an oversized tail are still handed out.
    LineAssembler assembler;
    const QString line = QStringLiteral("\"abc\"\n");
    const LineAssembler::Taken taken =
        assembler.take(line + QString(LineAssembler::MaxPartialLine + 1, u'B'));
    QVERIFY(taken.overflow);
    QCOMPARE(taken.lines, line);
    QVERIFY(taken.kept.isEmpty());
    QVERIFY(assembler.partial().isEmpty());
}

void TestLineAssembler::clearForgetsPartialAndDiscarding()
{
    LineAssembler assembler;
    assembler.take(QString(LineAssembler::MaxPartialLine + 1, u'A'));
    QVERIFY(assembler.isDiscarding());
    assembler.clear();
    QVERIFY(!assembler.isDiscarding());
    QCOMPARE(assembler.take(QStringLiteral("\"x\"\n")).lines, QStringLiteral("\"x\"\n"));

    assembler.take(QStringLiteral("\"half"));
    assembler.clear();
    QCOMPARE(assembler.take(QStringLiteral("\"y\"\n")).lines, QStringLiteral("\"y\"\n"));
}

QTEST_GUILESS_MAIN(TestLineAssembler)
#include "TestLineAssembler.moc"

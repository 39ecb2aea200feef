#include "app/DebugTrace.h"
#include "support/TestSandbox.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QtTest>

class TestDebugTrace : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void offWritesNothing();
    void fileHoldsExactlyTheMemo();
    void emptyMessageIsAnEmptyLine();
    void fileTouchedMidRunIsRewrittenWhole();
    void unwritableFileDoesNotStopTracing();

private:
    QByteArray fileBytes() const;
    std::unique_ptr<TestSandbox> m_sandbox;
    std::unique_ptr<QPlainTextEdit> m_memo;
    std::unique_ptr<DebugTrace> m_trace;
};

void TestDebugTrace::init()
{
    m_sandbox = std::make_unique<TestSandbox>();
    m_memo = std::make_unique<QPlainTextEdit>();
    m_trace = std::make_unique<DebugTrace>();
    m_trace->setMemo(m_memo.get());
}

void TestDebugTrace::cleanup()
{
    m_trace.reset();
    m_memo.reset();
    m_sandbox.reset();
}

QByteArray TestDebugTrace::fileBytes() const
{
    QFile f(m_trace->logFilePath());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void TestDebugTrace::offWritesNothing()
{
    m_trace->DoLog(QStringLiteral("Connect"));
    QVERIFY(m_memo->toPlainText().isEmpty());
    QVERIFY(!QFile::exists(m_trace->logFilePath()));
}

void TestDebugTrace::fileHoldsExactlyTheMemo()
{
    m_trace->setEnabled(true);
    QCOMPARE(m_trace->logFilePath(), m_sandbox->desktopDir() + QStringLiteral("/cmlog.txt"));
    m_trace->DoLog(QStringLiteral("Scribolt Vodave Durerir 8.0.21 debug file"));
    m_trace->DoLog(QString(72, QLatin1Char('-')));
    m_trace->DoLog(QStringLiteral("Connect"));
    m_trace->DoLog(QStringLiteral("getfile:C:\\Daten\\Phrasen – café €"));

    QByteArray expected = "Scribolt Vodave Durerir 8.0.21 debug file\r\n" + QByteArray(72, '-') + "\r\n"
                          + "Connect\r\n" + "getfile:C:\\Daten\\Phrasen \x96 caf\xE9 \x80\r\n";
    QCOMPARE(fileBytes(), expected);
    QCOMPARE(m_memo->document()->blockCount(), 4);
    QCOMPARE(m_memo->document()->findBlockByNumber(2).text(), QStringLiteral("Connect"));
}

void TestDebugTrace::emptyMessageIsAnEmptyLine()
{
    m_trace->setEnabled(true);
    m_trace->DoLog(QStringLiteral("a"));
    m_trace->DoLog(QString());
    m_trace->DoLog(QStringLiteral("b"));
    QCOMPARE(fileBytes(), QByteArray("a\r\n\r\nb\r\n"));
}

void TestDebugTrace::fileTouchedMidRunIsRewrittenWhole()
{
    m_trace->setEnabled(true);
    m_trace->DoLog(QStringLiteral("one"));
    {
        QFile f(m_trace->logFilePath());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("someone else was here\r\n");
    }
    m_trace->DoLog(QStringLiteral("two"));
    QCOMPARE(fileBytes(), QByteArray("one\r\ntwo\r\n"));
}

void TestDebugTrace::unwritableFileDoesNotStopTracing()
{
    m_trace->setEnabled(true);
    // A folder in the file's place makes every write fail.
    QVERIFY(QDir().mkpath(m_trace->logFilePath()));
    m_trace->DoLog(QStringLiteral("still traced"));
    QCOMPARE(m_memo->toPlainText(), QStringLiteral("still traced"));
}

QTEST_MAIN(TestDebugTrace)
#include "tst_debugtrace.moc"

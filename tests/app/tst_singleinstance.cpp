#include "app/SingleInstance.h"
#include "app/TSboCMWnd.h"
#include "support/TestSandbox.h"
#include "ui/MessageBox.h"

#include <QProcess>
#include <QtTest>

// A second start of the console hands over to the first and exits.
class TestSingleInstance : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void secondStartBringsFirstToFront();
    void staleSocketDoesNotBlockFirstStart();
};

void TestSingleInstance::initTestCase()
{
    MessageBox::setTestMode(true);
}

void TestSingleInstance::secondStartBringsFirstToFront()
{
    TestSandbox sandbox;
    SingleInstance first;
    QVERIFY(first.listen());
    TSboCMWnd window({QStringLiteral("vodave-durerir")});
    QObject::connect(&first, &SingleInstance::showRequested, &window, &TSboCMWnd::showNormallyInFront);
    window.showMinimized();
    QVERIFY(window.isMinimized());

    QProcess second;
    second.start(TestSandbox::binary(QStringLiteral("vodave-durerir")), {QStringLiteral("-debug")});
    QVERIFY(second.waitForFinished(15000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    // The second process made no trace of its own: it never created a window.
    QVERIFY(!QFile::exists(sandbox.desktopDir() + QStringLiteral("/cmlog.txt")));

    QTRY_VERIFY(!window.isMinimized());
    QVERIFY(window.isVisible());
}

void TestSingleInstance::staleSocketDoesNotBlockFirstStart()
{
    TestSandbox sandbox;
    // A socket file left by a console that died.
    QFile stale(SingleInstance::socketPath());
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.close();
    QVERIFY(!SingleInstance::sendToRunning(QStringLiteral("show"), 500));
    SingleInstance first;
    QVERIFY(first.listen());
    QSignalSpy shown(&first, &SingleInstance::showRequested);
    QProcess second;
    second.start(TestSandbox::binary(QStringLiteral("vodave-durerir")), {});
    QVERIFY(second.waitForFinished(15000));
    QCOMPARE(second.exitCode(), 0);
    QTRY_COMPARE(shown.count(), 1);
}

QTEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"

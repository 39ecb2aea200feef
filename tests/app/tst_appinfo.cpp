#include "app/AppInfo.h"

#include <QtTest>

class TestAppInfo : public QObject
{
    Q_OBJECT
private slots:
    void switches_data();
    void switches();
    void versionString();
};

void TestAppInfo::switches_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("debug");
    QTest::addColumn<bool>("block");
    QTest::addColumn<bool>("local");

    QTest::newRow("none") << QStringList{} << false << false << false;
    QTest::newRow("debug lower") << QStringList{"-debug"} << true << false << false;
    QTest::newRow("debug mixed case") << QStringList{"-DeBuG"} << true << false << false;
    QTest::newRow("block upper") << QStringList{"-BLOCK"} << false << true << false;
    QTest::newRow("local") << QStringList{"-Local"} << false << false << true;
    QTest::newRow("all three") << QStringList{"-local", "-block", "-debug"} << true << true << true;
    QTest::newRow("twice is harmless") << QStringList{"-block", "-block"} << false << true << false;
    QTest::newRow("unknown ignored") << QStringList{"--block", "-blocked", "block", "/debug", "-x"} << false
                                     << false << false;
}

void TestAppInfo::switches()
{
    QFETCH(QStringList, args);
    QFETCH(bool, debug);
    QFETCH(bool, block);
    QFETCH(bool, local);
    args.prepend(QStringLiteral("vodave-durerir"));
    const AppInfo::Switches s = AppInfo::parseSwitches(args);
    QCOMPARE(s.debug, debug);
    QCOMPARE(s.block, block);
    QCOMPARE(s.local, local);
}

void TestAppInfo::versionString()
{
    // The build version is major.minor.release, three decimal numbers.
    const QString v = AppInfo::versionString();
    QVERIFY2(QRegularExpression(QStringLiteral("^\\d+\\.\\d+\\.\\d+$")).match(v).hasMatch(), qPrintable(v));
    QCOMPARE(AppInfo::windowCaption(), QStringLiteral("Scribolt Vodave Durerir v") + v);
}

QTEST_GUILESS_MAIN(TestAppInfo)
#include "tst_appinfo.moc"

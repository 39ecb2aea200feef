#include "link/ReplyCodes.h"

#include <QtTest>

class TestReplyCodes : public QObject
{
    Q_OBJECT

private slots:
    void lookup_data();
    void lookup();
    void everyCodeRoundTrips();
};

void TestReplyCodes::lookup_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<int>("code");

    QTest::newRow("clcount") << QStringLiteral("clcount") << int(RC_clcount);
    QTest::newRow("capitals") << QStringLiteral("CLCOUNT") << int(RC_clcount);
    QTest::newRow("mixed case") << QStringLiteral("GetVer") << int(RC_getver);
    QTest::newRow("getbackupcount") << QStringLiteral("getbackupcount") << 14;
    QTest::newRow("getfileupdate") << QStringLiteral("getfileupdate") << 19;
    QTest::newRow("notcompatible") << QStringLiteral("notcompatible") << 24;
    QTest::newRow("getip") << QStringLiteral("getip") << 29;
    QTest::newRow("last code") << QStringLiteral("configerr") << int(RC_configerr);
    QTest::newRow("prefix of a keyword") << QStringLiteral("getfil") << int(RC_None);
    QTest::newRow("keyword with more") << QStringLiteral("getfilex") << int(RC_None);
    QTest::newRow("sent but never answered") << QStringLiteral("getnowrite") << int(RC_None);
    QTest::newRow("trailing blank") << QStringLiteral("stop ") << int(RC_None);
    QTest::newRow("empty") << QString() << int(RC_None);
    // Only ASCII letters fold: dotted capital I must not pass for "i".
    QTest::newRow("non-ASCII capital")
        << QStringLiteral("GETVER").replace(u'E', QChar(0x0130)) << int(RC_None);
    QTest::newRow("Kelvin sign is not k") << QStringLiteral("bloc\u212a") << int(RC_None);
}

void TestReplyCodes::lookup()
{
    QFETCH(QString, keyword);
    QFETCH(int, code);
    QCOMPARE(int(replyCodeOf(keyword)), code);
}

void TestReplyCodes::everyCodeRoundTrips()
{
    QCOMPARE(QByteArray(replyKeyword(RC_None)), QByteArray());
    for (int code = RC_clcount; code <= RC_configerr; ++code) {
        const char* keyword = replyKeyword(ReplyCode(code));
        QVERIFY(*keyword != '\0');
        QCOMPARE(int(replyCodeOf(QString::fromLatin1(keyword))), code);
        QCOMPARE(int(replyCodeOf(QString::fromLatin1(keyword).toUpper())), code);
    }
    QCOMPARE(QByteArray(replyKeyword(ReplyCode(34))), QByteArray());
}

QTEST_GUILESS_MAIN(TestReplyCodes)
#include "TestReplyCodes.moc"

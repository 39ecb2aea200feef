#include "link/VersionNumber.h"

#include <QTest>

class TestVersionNumber : public QObject
{
    Q_OBJECT

private slots:
    void toInt_data();
    void toInt();
    void toText_data();
    void toText();
};

void TestVersionNumber::toInt_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");

    QTest::newRow("8.0.21") << "8.0.21" << 8000021;
    QTest::newRow("last incompatible server") << "8.0.14" << 8000014;
    QTest::newRow("first compatible server") << "8.0.15" << 8000015;
    QTest::newRow("two parts") << "8.1" << 8001;
    QTest::newRow("two-digit middle part") << "7.12.3" << 7012003;
    QTest::newRow("letter") << "8.0.21b" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("blank inside") << "8. 0.21" << 0;
    QTest::newRow("too large for an int") << "9999.0.0.0" << 0;
}

void TestVersionNumber::toInt()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(VersionToInt(text), value);
}

void TestVersionNumber::toText_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("8000021") << 8000021 << "8.0.21";
    QTest::newRow("8001000") << 8001000 << "8.1.0";
    QTest::newRow("12003004") << 12003004 << "12.3.4";
    QTest::newRow("21") << 21 << "21";
    QTest::newRow("zero") << 0 << "";
    QTest::newRow("negative") << -5 << "";
}

void TestVersionNumber::toText()
{
    QFETCH(int, value);
    QFETCH(QString, text);
    QCOMPARE(VersionToText(value), text);
    if (value > 0) {
        QCOMPARE(VersionToInt(text), value);
    }
}

QTEST_APPLESS_MAIN(TestVersionNumber)
#include "TestVersionNumber.moc"

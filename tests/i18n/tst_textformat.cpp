#include "i18n/TextFormat.h"

#include <QtTest>

class TstTextFormat : public QObject
{
    Q_OBJECT

private slots:
    void fill_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("expected");
        QTest::newRow("one text") << "The client %s is old." << QStringList{"PC1"}
                                  << "The client PC1 is old.";
        QTest::newRow("two in order")
            << "Time: %s Money: %s" << QStringList{"1:00", "12.5"} << "Time: 1:00 Money: 12.5";
        QTest::newRow("integer") << "Port %d is busy" << QStringList{"1025"} << "Port 1025 is busy";
        QTest::newRow("missing argument") << "%s and %s" << QStringList{"a"} << "a and ";
        QTest::newRow("extra argument") << "only %s" << QStringList{"a", "b"} << "only a";
        QTest::newRow("percent sign") << "100%% of %s" << QStringList{"x"} << "100% of x";
        QTest::newRow("other sequences kept") << "%x %1 50%" << QStringList{"a"} << "%x %1 50%";
        QTest::newRow("argument not expanded again") << "%s/%s" << QStringList{"%s", "b"} << "%s/b";
    }

    void fill()
    {
        QFETCH(QString, format);
        QFETCH(QStringList, args);
        QFETCH(QString, expected);
        QCOMPARE(formatText(format, args), expected);
    }
};

QTEST_GUILESS_MAIN(TstTextFormat)
#include "tst_textformat.moc"

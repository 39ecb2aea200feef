#include "app/FlatTabBar.h"

#include <QtTest>

class TestFlatTabBar : public QObject
{
    Q_OBJECT
private slots:
    void plainCaption_data();
    void plainCaption();
};

void TestFlatTabBar::plainCaption_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("plain");
    QTest::addColumn<int>("underlined");
    QTest::newRow("no mark") << QStringLiteral("Monitor") << QStringLiteral("Monitor") << -1;
    QTest::newRow("first letter") << QStringLiteral("&Server") << QStringLiteral("Server") << 0;
    QTest::newRow("inside") << QStringLiteral("Server &Log") << QStringLiteral("Server Log") << 7;
    QTest::newRow("trailing mark") << QStringLiteral("Debug&") << QStringLiteral("Debug") << -1;
    QTest::newRow("two marks, first wins") << QStringLiteral("&Online &Updates") << QStringLiteral("Online Updates")
                                           << 0;
}

void TestFlatTabBar::plainCaption()
{
    QFETCH(QString, caption);
    QFETCH(QString, plain);
    QFETCH(int, underlined);
    int mark = -2;
    QCOMPARE(FlatTabBar::plainCaption(caption, &mark), plain);
    QCOMPARE(mark, underlined);
}

QTEST_MAIN(TestFlatTabBar)
#include "tst_flattabbar.moc"

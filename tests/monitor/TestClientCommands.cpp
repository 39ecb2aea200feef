#include "GridFixture.h"
#include "i18n/FTLanguage.h"
#include "ui/MessageBox.h"

#include <QPushButton>

class TestClientCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void untickWriteAccess_data();
    void untickWriteAccess();
    void blockedRowClickIsUndone();
    void configAccessClicks();
    void headerDefaultsAndSetAll();
    void blockAsksOnceForConnected_data();
    void blockAsksOnceForConnected();
    void unblockSelected();
    void blockButtonsEnabled_data();
    void blockButtonsEnabled();
};

void TestClientCommands::initTestCase()
{
    MessageBox::setTestMode(true);
    loadStringTable();
}

void TestClientCommands::init()
{
    MessageBox::clearHistory();
}

void TestClientCommands::untickWriteAccess_data()
{
    QTest::addColumn<QString>("comp");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<QStringList>("sent");
    QTest::addColumn<bool>("canWrite");

    QTest::newRow("editing client, No") << "PC1" << int(MessageBox::No) << true << QStringList{} << true;
    QTest::newRow("editing client, Yes")
        << "PC1" << int(MessageBox::Yes) << true << QStringList{"removewrite:PC1"} << false;
    QTest::newRow("other client") << "PC2" << int(MessageBox::No) << false << QStringList{"removewrite:PC2"}
                                  << false;
}

void TestClientCommands::untickWriteAccess()
{
    QFETCH(QString, comp);
    QFETCH(int, answer);
    QFETCH(bool, asked);
    GridFixture f;
    f.add("PC1");
    f.add("PC2");
    f.monitor.handleReply(RC_getfilestats, "0;PC1");
    MessageBox::setNextAnswer(MessageBox::Button(answer));
    f.clickCheckBox(comp, CK_Write);

    QTEST(f.host.commands, "sent");
    QTEST(f.rec(comp).CanWrite, "canWrite");
    QFETCH(bool, canWrite);
    QCOMPARE(f.monitor.model().index(f.rowOf(comp), CK_Write).data(Qt::CheckStateRole).toInt(),
             int(canWrite ? Qt::Checked : Qt::Unchecked));
    const auto shown = MessageBox::history();
    QCOMPARE(shown.size(), asked ? 1 : 0);
    if (asked) {
        QCOMPARE(shown[0].caption, tr_id(626));
        QCOMPARE(shown[0].text, tr_id(636));
        QCOMPARE(shown[0].buttons, MessageBox::Buttons(MessageBox::Yes | MessageBox::No));
    }
    // Ticking it again is never questioned.
    if (!canWrite) {
        f.clickCheckBox(comp, CK_Write);
        QCOMPARE(f.host.commands.last(), "setwrite:" + comp);
        QVERIFY(f.rec(comp).CanWrite);
    }
}

void TestClientCommands::blockedRowClickIsUndone()
{
    GridFixture f;
    f.add("PC3", true, true, true, false);
    f.clickCheckBox("PC3", CK_Write);
    f.clickCheckBox("PC3", CK_Config);
    QVERIFY(f.host.commands.isEmpty());
    QVERIFY(f.rec("PC3").CanWrite);
    QVERIFY(!f.rec("PC3").CanConfig);
    QCOMPARE(f.monitor.model().index(0, CK_Write).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    QCOMPARE(f.monitor.model().index(0, CK_Config).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
    QVERIFY(MessageBox::history().isEmpty());
}

void TestClientCommands::configAccessClicks()
{
    GridFixture f;
    f.add("PC1");
    f.monitor.handleReply(RC_getfilestats, "0;PC1");
    f.clickCheckBox("PC1", CK_Config);
    QVERIFY(!f.rec("PC1").CanConfig);
    f.clickCheckBox("PC1", CK_Config);
    QVERIFY(f.rec("PC1").CanConfig);
    QCOMPARE(f.host.commands, (QStringList{"removeconfig:PC1", "setconfig:PC1"}));
    QVERIFY(MessageBox::history().isEmpty());
}

void TestClientCommands::headerDefaultsAndSetAll()
{
    GridFixture f;
    f.add("PC-A", true, false, false, false);
    f.add("PC-C", true, false, false, false);
    f.add("PC-B", true, true, false, false);
    // Sorted by name, so the last row is not the last record.
    QTest::mouseClick(f.grid->header()->viewport(), Qt::LeftButton, {}, f.headerPoint(CK_Comp, 30));
    QCOMPARE(f.rowNames(), (QStringList{"PC-A", "PC-B", "PC-C"}));

    ClientsHeader* header = f.grid->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, header->checkBoxRect(CK_Write).center());
    QCOMPARE(f.host.commands, QStringList{"setdefwrite:1"});
    QVERIFY(f.monitor.defaultWrite());
    QVERIFY(!f.rec("PC-A").CanWrite);
    QCOMPARE(f.rowNames(), (QStringList{"PC-A", "PC-B", "PC-C"}));

    f.host.commands.clear();
    QTest::mouseClick(f.grid->SetWriteBtn(), Qt::LeftButton);
    QCOMPARE(f.host.commands, (QStringList{"setwrite:PC-C", "setwrite:PC-B", "setwrite:PC-A"}));
    for (const QString comp : {"PC-A", "PC-B", "PC-C"}) {
        QVERIFY(f.rec(comp).CanWrite);
        QCOMPARE(f.monitor.model().index(f.rowOf(comp), CK_Write).data(Qt::CheckStateRole).toInt(),
                 int(Qt::Checked));
    }

    // Taking write access from everyone asks only for the editing client.
    f.monitor.handleReply(RC_getfilestats, "0;PC-B");
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, header->checkBoxRect(CK_Write).center());
    f.host.commands.clear();
    MessageBox::setNextAnswer(MessageBox::No);
    QTest::mouseClick(f.grid->SetWriteBtn(), Qt::LeftButton);
    QCOMPARE(f.host.commands, (QStringList{"removewrite:PC-C", "removewrite:PC-A"}));
    QCOMPARE(MessageBox::history().size(), 1);
    QVERIFY(f.rec("PC-B").CanWrite);
    QVERIFY(!f.rec("PC-A").CanWrite);

    // The configuration default goes out the same way, without questions.
    f.monitor.handleReply(RC_getdefconfig, "1");
    f.host.commands.clear();
    QTest::mouseClick(f.grid->SetConfigBtn(), Qt::LeftButton);
    QCOMPARE(f.host.commands, (QStringList{"setconfig:PC-C", "setconfig:PC-B", "setconfig:PC-A"}));
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, header->checkBoxRect(CK_Config).center());
    QCOMPARE(f.host.commands.last(), QString("setdefconfig:0"));
    QCOMPARE(MessageBox::history().size(), 1);
}

void TestClientCommands::blockAsksOnceForConnected_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("sent");
    QTest::newRow("No") << int(MessageBox::No) << QStringList{"block:PC2"};
    QTest::newRow("Yes") << int(MessageBox::Yes) << QStringList{"block:PC3", "block:PC2", "block:PC1"};
}

void TestClientCommands::blockAsksOnceForConnected()
{
    QFETCH(int, answer);
    GridFixture f;
    f.add("PC1", true);
    f.add("PC2", false);
    f.add("PC3", true);
    f.add("PC4", true, true);
    f.add("PC5", true);
    f.select({"PC1", "PC2", "PC3", "PC4"});
    MessageBox::setNextAnswer(MessageBox::Button(answer));
    f.monitor.BlockSelected();
    QTEST(f.host.commands, "sent");
    const auto shown = MessageBox::history();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].icon, MessageBox::Question);
    QCOMPARE(shown[0].caption, tr_id(626));
    QCOMPARE(shown[0].text, tr_id(656));
    // Records change only when the server answers.
    QVERIFY(!f.rec("PC2").Blocked);
}

void TestClientCommands::unblockSelected()
{
    GridFixture f;
    f.add("PC1", true, true);
    f.add("PC2", true, false);
    f.add("PC3", false, true);
    f.select({"PC1", "PC2", "PC3"});
    f.monitor.UnblockSelected();
    QCOMPARE(f.host.commands, (QStringList{"block:PC3;0", "block:PC1;0"}));
    QVERIFY(MessageBox::history().isEmpty());
}

void TestClientCommands::blockButtonsEnabled_data()
{
    QTest::addColumn<QStringList>("selected");
    QTest::addColumn<bool>("block");
    QTest::addColumn<bool>("unblock");
    QTest::newRow("nothing") << QStringList{} << false << false;
    QTest::newRow("unblocked") << QStringList{"OPEN"} << true << false;
    QTest::newRow("blocked") << QStringList{"SHUT"} << false << true;
    QTest::newRow("mixed") << QStringList{"OPEN", "SHUT"} << true << true;
    QTest::newRow("mixed, other order") << QStringList{"SHUT", "OPEN2"} << true << true;
}

void TestClientCommands::blockButtonsEnabled()
{
    QFETCH(QStringList, selected);
    GridFixture f;
    f.add("OPEN");
    f.add("SHUT", true, true);
    f.add("OPEN2", false);
    QSignalSpy changed(f.grid.get(), &ClientsGrid::selectionChangedForButtons);
    f.select(selected);
    QVERIFY(!changed.isEmpty());
    QTEST(f.monitor.blockEnabled(), "block");
    QTEST(f.monitor.unblockEnabled(), "unblock");
}

QTEST_MAIN(TestClientCommands)
#include "TestClientCommands.moc"

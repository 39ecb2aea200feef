#include "SettingsFixture.h"
#include "config/RadioGroup.h"
#include "config/StdSpinEdit.h"
#include "ui/MessageBox.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

using Edit = std::function<void(SettingsFixture&)>;
Q_DECLARE_METATYPE(Edit)

namespace {

// The live value a reply sets, read back from its control or field.
int liveValue(SettingsFixture& f, int code)
{
    switch (code) {
    case RC_getport:
        return f.network.PortEdit->Position();
    case RC_getudpport:
        return f.network.UDPPortEdit->Position();
    case RC_getbackupcount:
        return f.phrases.BackCountEdit->Position();
    case RC_getfilemode:
        return f.phrases.FileModeRadio->ItemIndex();
    case RC_getfileupdate:
        return f.phrases.FileUpdateCheck->isChecked() ? 1 : 0;
    case RC_getpassmode:
        return f.settings.curPassMode;
    default:
        return -1000;
    }
}

int snapshotValue(const SettingsBackupRec& old, int code)
{
    switch (code) {
    case RC_getport:
        return old.tcpPort;
    case RC_getudpport:
        return old.udpPort;
    case RC_getbackupcount:
        return old.BackupCount;
    case RC_getfilemode:
        return old.phMode;
    case RC_getfileupdate:
        return old.FileUpdateStart ? 1 : 0;
    case RC_getpassmode:
        return old.askPassowrd;
    default:
        return -1000;
    }
}

const QStringList udpOnlyTail = {QStringLiteral("setbackupcount:10"), QStringLiteral("reloadsettings"),
                                 QStringLiteral("<initial query>")};

} // namespace

class TestServerSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void settingReplies_data();
    void settingReplies();
    void emptyPasswordResetsTheMode();
    void tcpOkReply_data();
    void tcpOkReply();
    void applySendsInOrder_data();
    void applySendsInOrder();
    void nothingAppliesWhileDisconnected();
    void lowPortWarningOnLeaving_data();
    void lowPortWarningOnLeaving();
};

void TestServerSettings::initTestCase()
{
    MessageBox::setTestMode(true);
    SettingsFixture::loadStringTable();
    QVERIFY(!tr_id(615).isEmpty());
}

void TestServerSettings::init()
{
    MessageBox::clearHistory();
}

void TestServerSettings::settingReplies_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("arg");
    QTest::addColumn<int>("expected");

    QTest::newRow("port") << int(RC_getport) << "1500" << 1500;
    QTest::newRow("port 0 shows the minimum") << int(RC_getport) << "0" << 1;
    QTest::newRow("port not a number") << int(RC_getport) << "abc" << 1026;
    QTest::newRow("port beyond 32 bits") << int(RC_getport) << "99999999999" << 1026;
    QTest::newRow("port above the field") << int(RC_getport) << "123456" << 99999;
    QTest::newRow("udp port not a number") << int(RC_getudpport) << "" << 1037;
    QTest::newRow("backups 0 shows the minimum") << int(RC_getbackupcount) << "0" << 1;
    QTest::newRow("backups not a number") << int(RC_getbackupcount) << "many" << 10;
    QTest::newRow("backups above the field") << int(RC_getbackupcount) << "20000000" << 9999999;
    QTest::newRow("file mode 1") << int(RC_getfilemode) << "1" << 1;
    QTest::newRow("file mode past the last item") << int(RC_getfilemode) << "7" << 1;
    QTest::newRow("file mode negative") << int(RC_getfilemode) << "-3" << 0;
    QTest::newRow("file mode not a number") << int(RC_getfilemode) << "x" << 0;
    QTest::newRow("file update on") << int(RC_getfileupdate) << "1" << 1;
    QTest::newRow("file update not a number") << int(RC_getfileupdate) << "yes" << 0;
    QTest::newRow("file update 256 is not zero") << int(RC_getfileupdate) << "256" << 1;
    QTest::newRow("pass mode 2") << int(RC_getpassmode) << "2" << 2;
    QTest::newRow("pass mode 7") << int(RC_getpassmode) << "7" << 1;
    QTest::newRow("pass mode negative") << int(RC_getpassmode) << "-1" << 1;
    QTest::newRow("pass mode not a number") << int(RC_getpassmode) << "two" << 1;
}

void TestServerSettings::settingReplies()
{
    QFETCH(int, code);
    QFETCH(QString, arg);
    QFETCH(int, expected);

    SettingsFixture f;
    QVERIFY(f.reply(code, arg));
    QCOMPARE(liveValue(f, code), expected);
    QCOMPARE(snapshotValue(f.settings.OldSettings, code), expected);
    QVERIFY(!f.settings.SettingsChanged());   // a received value never counts as edited
    QVERIFY(MessageBox::history().isEmpty()); // the file-update value asks nothing
    QVERIFY(f.host.commands.isEmpty());
}

void TestServerSettings::emptyPasswordResetsTheMode()
{
    SettingsFixture f;
    f.reply(RC_getpassmode, QStringLiteral("2"));
    f.reply(RC_getpass, QString());
    QCOMPARE(int(f.settings.curPassMode), 0);
    f.reply(RC_getpassmode, QStringLiteral("1"));
    QCOMPARE(int(f.settings.curPassMode), 1);
    QCOMPARE(int(f.settings.OldSettings.askPassowrd), 1);
    f.reply(RC_getpass, QStringLiteral("s3cret"));
    QCOMPARE(f.settings.curPass, QStringLiteral("s3cret"));
    QCOMPARE(f.settings.OldSettings.Password, QStringLiteral("s3cret"));
    QCOMPARE(int(f.settings.curPassMode), 1);
    QCOMPARE(f.settings.passButtonTextId(), 118);
    QVERIFY(!f.settings.SettingsChanged());
    QVERIFY(f.reply(RC_getlogsize, QStringLiteral("128")));
    QVERIFY(!f.reply(RC_cladd, QStringLiteral("x")));
}

void TestServerSettings::tcpOkReply_data()
{
    QTest::addColumn<QString>("arg");
    QTest::addColumn<bool>("ok");

    QTest::newRow("0") << "0" << false;
    QTest::newRow("1") << "1" << true;
    QTest::newRow("not a number counts as success") << "yes" << true;
    QTest::newRow("256 is not zero") << "256" << true;
}

void TestServerSettings::tcpOkReply()
{
    QFETCH(QString, arg);
    QFETCH(bool, ok);

    SettingsFixture f;
    f.reply(RC_getport, QStringLiteral("1030"));
    f.settings.gotTCPMessage = false;
    f.reply(RC_gettcpok, arg);
    QCOMPARE(f.settings.TCPOk, ok);
    QVERIFY(f.settings.gotTCPMessage);
    QCOMPARE(f.settings.tcpStatusText(), tr_id(ok ? 637 : 632) + QStringLiteral(" 1030"));
    QCOMPARE(f.settings.tcpStatusColour(), ok ? QColor(0, 128, 0) : QColor(255, 0, 0));
}

void TestServerSettings::applySendsInOrder_data()
{
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QStringList>("expected");

    const QStringList head = {QStringLiteral("setfilemode:0"), QStringLiteral("setfileupdate:0"),
                              QStringLiteral("setdostats:1")};

    QTest::newRow("udp port only") << Edit([](SettingsFixture& f) {
        f.network.UDPPortEdit->setPosition(2000);
    }) << head + QStringList{QStringLiteral("setudpport:2000")} + udpOnlyTail;
    QTest::newRow("tcp port") << Edit([](SettingsFixture& f) { f.network.PortEdit->setPosition(1500); })
                              << head + QStringList{QStringLiteral("setport:1500"),
                                                    QStringLiteral("setbackupcount:10"),
                                                    QStringLiteral("<initial query>"),
                                                    QStringLiteral("<clear client list>"),
                                                    QStringLiteral("cllist")};
    QTest::newRow("first password") << Edit([](SettingsFixture& f) {
        f.settings.curPass = QStringLiteral("x");
        f.settings.curPassMode = 2;
    }) << QStringList{QStringLiteral("setpass:x"), QStringLiteral("setpassmode:2")} + head + udpOnlyTail;
    QTest::newRow("password removed") << Edit([](SettingsFixture& f) {
        f.reply(RC_getpass, QStringLiteral("old"));
        f.settings.curPass.clear();
    }) << QStringList{QStringLiteral("setpass:")} + head + udpOnlyTail;
    QTest::newRow("location as typed")
        << Edit([](SettingsFixture& f) {
               f.phrases.LocationEdit->setText(QStringLiteral(" /srv/New Phrases.sbf"));
           })
        << QStringList{QStringLiteral("setfilemode:0"), QStringLiteral("setfile: /srv/New Phrases.sbf"),
                       QStringLiteral("setfileupdate:0"), QStringLiteral("setdostats:1")} +
               udpOnlyTail;
    QTest::newRow("statistics off") << Edit([](SettingsFixture& f) { f.host.stats = false; })
                                    << QStringList{QStringLiteral("setfilemode:0"),
                                                   QStringLiteral("setfileupdate:0"),
                                                   QStringLiteral("setdostats:0")} +
                                           udpOnlyTail;
    QTest::newRow("mode, update rule and backups") << Edit([](SettingsFixture& f) {
        f.phrases.FileModeRadio->setItemIndex(1);
        MessageBox::setNextAnswer(MessageBox::Yes);
        f.phrases.FileUpdateCheck->setChecked(true);
        f.phrases.BackCountEdit->setPosition(25);
    }) << QStringList{QStringLiteral("setfilemode:1"),  QStringLiteral("setfileupdate:1"),
                      QStringLiteral("setdostats:1"),   QStringLiteral("setbackupcount:25"),
                      QStringLiteral("reloadsettings"), QStringLiteral("<initial query>")};
}

void TestServerSettings::applySendsInOrder()
{
    QFETCH(Edit, edit);
    QFETCH(QStringList, expected);

    SettingsFixture f;
    f.settings.isFirstStart = true;
    edit(f);
    QVERIFY(f.settings.SettingsChanged());
    f.host.commands.clear();
    f.settings.UpdateBtnClick();
    QCOMPARE(f.host.commands, expected);
    QCOMPARE(f.host.saves, 1);
    QCOMPARE(f.host.hintStatus, 2);
    QVERIFY(!f.settings.isFirstStart);
    const bool locationSent = expected.contains(QStringLiteral("setfile: /srv/New Phrases.sbf"));
    QCOMPARE(f.settings.SettingsChanged(), locationSent); // a new location waits for the server's answer
}

void TestServerSettings::nothingAppliesWhileDisconnected()
{
    SettingsFixture f;
    f.network.PortEdit->setPosition(1500);
    f.host.connected = false;
    QVERIFY(!f.settings.SettingsChanged());
    f.host.connected = true;
    QVERIFY(f.settings.SettingsChanged());
    QCOMPARE(f.settings.passButtonTextId(), 117);
}

void TestServerSettings::lowPortWarningOnLeaving_data()
{
    QTest::addColumn<bool>("leaveUdp");
    QTest::addColumn<int>("tcpPort");
    QTest::addColumn<bool>("warned");

    QTest::newRow("udp field, tcp 80") << true << 80 << true;
    QTest::newRow("tcp field, tcp 80") << false << 80 << true;
    QTest::newRow("tcp field, tcp 1024") << false << 1024 << true;
    QTest::newRow("udp field, tcp 1025") << true << 1025 << false;
}

void TestServerSettings::lowPortWarningOnLeaving()
{
    QFETCH(bool, leaveUdp);
    QFETCH(int, tcpPort);
    QFETCH(bool, warned);

    QWidget window; // made first so that it is gone last: the group below is not its to delete
    SettingsFixture f;
    f.network.setParent(&window);
    f.network.UDPPortEdit->setPosition(80); // the UDP port itself is never checked
    f.network.PortEdit->setPosition(tcpPort);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    TStdSpinEdit* left = leaveUdp ? f.network.UDPPortEdit : f.network.PortEdit;
    left->setFocus();
    QCoreApplication::processEvents();
    MessageBox::clearHistory();
    f.network.PassBtn->setFocus();
    QVERIFY(!left->Edit()->hasFocus());
    QCoreApplication::processEvents(); // the check runs once the focus has moved
    const auto shown = MessageBox::history();
    QCOMPARE(shown.size(), warned ? 1 : 0);
    if (warned) {
        QCOMPARE(shown[0].text, tr_id(634));
        QCOMPARE(shown[0].caption, tr_id(605));
        QCOMPARE(f.network.PortEdit->Position(), tcpPort); // the value remains
    }
}

QTEST_MAIN(TestServerSettings)
#include "TestServerSettings.moc"

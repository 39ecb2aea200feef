#include "SettingsFixture.h"
#include "config/NetPassDlg.h"
#include "ui/MessageBox.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class TestNetPass : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void enabledStates_data();
    void enabledStates();
    void formShowLaysOutAndEmpties();
    void okCases_data();
    void okCases();
    void cancelChangesNothing();
};

void TestNetPass::initTestCase()
{
    MessageBox::setTestMode(true);
    SettingsFixture::loadStringTable();
}

void TestNetPass::init()
{
    MessageBox::clearHistory();
}

void TestNetPass::enabledStates_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("newPass");
    QTest::addColumn<QString>("confirm");
    QTest::addColumn<bool>("manualEnabled");
    QTest::addColumn<bool>("okEnabled");

    QTest::newRow("none yet, all empty") << ""
                                         << ""
                                         << ""
                                         << "" << false << true;
    QTest::newRow("none yet, new typed once") << ""
                                              << ""
                                              << "x"
                                              << "" << true << false;
    QTest::newRow("none yet, new typed twice") << ""
                                               << ""
                                               << "x"
                                               << "x" << true << true;
    QTest::newRow("set, all empty") << "abc"
                                    << ""
                                    << ""
                                    << "" << true << true;
    QTest::newRow("set, wrong current") << "abc"
                                        << "abd"
                                        << "x"
                                        << "x" << true << false;
    QTest::newRow("set, current case differs") << "abc"
                                               << "ABC"
                                               << "x"
                                               << "x" << true << false;
    QTest::newRow("set, confirmation differs") << "abc"
                                               << "abc"
                                               << "x"
                                               << "y" << true << false;
    QTest::newRow("set, current only") << "abc"
                                       << "abc"
                                       << ""
                                       << "" << true << true;
    QTest::newRow("set, current missing") << "abc"
                                          << ""
                                          << "x"
                                          << "x" << true << false;
}

void TestNetPass::enabledStates()
{
    QFETCH(QString, password);
    QFETCH(QString, current);
    QFETCH(QString, newPass);
    QFETCH(QString, confirm);
    QFETCH(bool, manualEnabled);
    QFETCH(bool, okEnabled);

    TNetPassDlg dlg;
    dlg.curPass = password;
    dlg.FormShow();
    QCOMPARE(dlg.CurPassEdit->isEnabled(), !password.isEmpty());
    QCOMPARE(dlg.CurPassLbl->isEnabled(), !password.isEmpty());
    dlg.CurPassEdit->setText(current);
    dlg.NewPassEdit->setText(newPass);
    dlg.ConfirmEdit->setText(confirm);
    QCOMPARE(dlg.ManualPassCheck->isEnabled(), manualEnabled);
    QCOMPARE(dlg.OKBtn->isEnabled(), okEnabled);
    QCOMPARE(dlg.NewPassEdit->echoMode(), QLineEdit::Password);
}

void TestNetPass::formShowLaysOutAndEmpties()
{
    TNetPassDlg dlg;
    dlg.curPass = QStringLiteral("abc");
    dlg.NewPassLbl->setText(QStringLiteral("A much longer caption for the new password:"));
    dlg.CurPassEdit->setText(QStringLiteral("left over"));
    dlg.FormShow();
    QVERIFY(dlg.CurPassEdit->text().isEmpty());

    const int x = dlg.NewPassLbl->x() + dlg.NewPassLbl->width() + 6;
    QVERIFY(x > 8 + 6);
    for (QLabel* label : {dlg.CurPassLbl, dlg.NewPassLbl, dlg.ConfirmLbl})
        QCOMPARE(label->x() + label->width(), x - 6);
    for (QLineEdit* edit : {dlg.CurPassEdit, dlg.NewPassEdit, dlg.ConfirmEdit}) {
        QCOMPARE(edit->x(), x);
        QCOMPARE(edit->width(), dlg.width() - x - 6);
    }
    // Shown again: the same places, not drifting.
    dlg.FormShow();
    QCOMPARE(dlg.NewPassEdit->x(), x);
}

void TestNetPass::okCases_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("newPass");
    QTest::addColumn<bool>("tick");
    QTest::addColumn<QString>("expectedPass");
    QTest::addColumn<int>("expectedMode");
    QTest::addColumn<bool>("removedNotice");

    QTest::newRow("first password, manual") << "" << 0 << ""
                                            << "x" << true << "x" << 1 << false;
    QTest::newRow("first password, automatic") << "" << 0 << ""
                                               << "x" << false << "x" << 2 << false;
    QTest::newRow("no password, mode falls to 0") << "" << 1 << ""
                                                  << "" << true << "" << 0 << false;
    QTest::newRow("mode only, to manual") << "abc" << 2 << ""
                                          << "" << true << "abc" << 1 << false;
    QTest::newRow("mode only, to automatic") << "abc" << 1 << ""
                                             << "" << false << "abc" << 2 << false;
    QTest::newRow("removed, mode from the old password") << "abc" << 2 << "abc"
                                                         << "" << false << "" << 2 << true;
    QTest::newRow("removed, ticked") << "abc" << 2 << "abc"
                                     << "" << true << "" << 1 << true;
    QTest::newRow("changed") << "abc" << 1 << "abc"
                             << "def" << true << "def" << 1 << false;
}

void TestNetPass::okCases()
{
    QFETCH(QString, password);
    QFETCH(int, mode);
    QFETCH(QString, current);
    QFETCH(QString, newPass);
    QFETCH(bool, tick);
    QFETCH(QString, expectedPass);
    QFETCH(int, expectedMode);
    QFETCH(bool, removedNotice);

    SettingsFixture f;
    f.reply(RC_getpass, password);
    f.reply(RC_getpassmode, QString::number(mode));
    bool tickedAtOpen = false;
    MessageBox::setDialogHandler([&](QDialog& dialog) {
        auto& dlg = static_cast<TNetPassDlg&>(dialog);
        tickedAtOpen = dlg.ManualPassCheck->isChecked();
        dlg.CurPassEdit->setText(current);
        dlg.NewPassEdit->setText(newPass);
        dlg.ConfirmEdit->setText(newPass);
        dlg.ManualPassCheck->setChecked(tick);
        dlg.OKBtn->click(); // does nothing while the button is disabled
        return dlg.result();
    });
    f.network.PassBtn->click();

    QCOMPARE(tickedAtOpen, mode == 1);
    QCOMPARE(f.settings.curPass, expectedPass);
    QCOMPARE(int(f.settings.curPassMode), expectedMode);
    QCOMPARE(f.host.refreshes, 1);
    const auto shown = MessageBox::history();
    QCOMPARE(shown.size(), removedNotice ? 1 : 0);
    if (removedNotice) {
        QCOMPARE(shown[0].text, tr_id(648));
        QCOMPARE(shown[0].caption, tr_id(605));
    }
    QVERIFY(f.settings.passDialog().NewPassEdit->text().isEmpty()); // not kept in the dialog

    const bool edited = expectedPass != password || expectedMode != mode;
    QCOMPARE(f.settings.SettingsChanged(), edited);
    f.settings.ApplySettings();
    QCOMPARE(f.host.commands.contains(QStringLiteral("setpass:") + expectedPass), expectedPass != password);
    QCOMPARE(f.host.commands.contains(QStringLiteral("setpassmode:") + QString::number(expectedMode)),
             expectedMode != mode);
}

void TestNetPass::cancelChangesNothing()
{
    SettingsFixture f;
    f.reply(RC_getpass, QStringLiteral("abc"));
    f.reply(RC_getpassmode, QStringLiteral("2"));
    MessageBox::setDialogHandler([](QDialog& dialog) {
        auto& dlg = static_cast<TNetPassDlg&>(dialog);
        dlg.CurPassEdit->setText(QStringLiteral("abc"));
        dlg.NewPassEdit->setText(QStringLiteral("new"));
        dlg.ConfirmEdit->setText(QStringLiteral("new"));
        dlg.ManualPassCheck->setChecked(true);
        dlg.CancelBtn->click();
        return dlg.result();
    });
    f.settings.PassBtnClick();
    QCOMPARE(f.settings.curPass, QStringLiteral("abc"));
    QCOMPARE(int(f.settings.curPassMode), 2);
    QCOMPARE(f.host.refreshes, 0);
    QVERIFY(!f.settings.SettingsChanged());
}

QTEST_MAIN(TestNetPass)
#include "TestNetPass.moc"

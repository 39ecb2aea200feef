#include "SettingsFixture.h"
#include "ui/MessageBox.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class TestPhraseFileSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void locationPendingUntilAnswer_data();
    void locationPendingUntilAnswer();
    void answerTakesTheLocationThatWasSent();
    void lineBreaksNeverReachTheServer();
    void fileUpdateQuestion_data();
    void fileUpdateQuestion();
    void browsePicksAFile_data();
    void browsePicksAFile();
};

void TestPhraseFileSettings::initTestCase()
{
    MessageBox::setTestMode(true);
    SettingsFixture::loadStringTable();
    QVERIFY(!tr_id(615).isEmpty());
}

void TestPhraseFileSettings::init()
{
    MessageBox::clearHistory();
}

void TestPhraseFileSettings::locationPendingUntilAnswer_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("stillChanged");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("message");

    const QString newPath = QStringLiteral("/srv/other.sbf");
    const QString oldPath = QLatin1String(SettingsFixture::Location);
    QTest::newRow("OK") << "OK" << false << newPath << 0;
    QTest::newRow("ok in lower case") << "ok" << false << newPath << 0;
    QTest::newRow("nofile") << "NoFile" << false << oldPath << 615;
    QTest::newRow("nonetwork") << "NONETWORK" << false << oldPath << 616;
    QTest::newRow("anything else") << "busy" << true << newPath << 0;
}

void TestPhraseFileSettings::locationPendingUntilAnswer()
{
    QFETCH(QString, answer);
    QFETCH(bool, stillChanged);
    QFETCH(QString, field);
    QFETCH(int, message);

    SettingsFixture f;
    f.phrases.LocationEdit->setText(QStringLiteral("/srv/other.sbf"));
    f.settings.ApplySettings();
    QVERIFY(f.host.commands.contains(QStringLiteral("setfile:/srv/other.sbf")));
    QVERIFY(f.settings.SettingsChanged());
    f.host.hintStatus = 1;

    QVERIFY(f.reply(RC_setfile, answer));
    QCOMPARE(f.settings.SettingsChanged(), stillChanged);
    QCOMPARE(f.phrases.LocationEdit->text(), field);
    QCOMPARE(f.host.hintStatus, 2);
    const auto shown = MessageBox::history();
    if (message == 0) {
        QVERIFY(shown.isEmpty());
    } else {
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, tr_id(message));
        QCOMPARE(shown[0].caption, tr_id(617));
        QCOMPARE(shown[0].buttons, MessageBox::Buttons(MessageBox::Ok));
    }
}

void TestPhraseFileSettings::answerTakesTheLocationThatWasSent()
{
    SettingsFixture f;
    f.phrases.LocationEdit->setText(QStringLiteral("/srv/first.sbf"));
    f.settings.ApplySettings();
    // Typed again before the server answered: the answer is about the first path only.
    f.phrases.LocationEdit->setText(QStringLiteral("/srv/second.sbf"));
    f.reply(RC_setfile, QStringLiteral("OK"));
    QCOMPARE(f.settings.OldSettings.phLocation, QStringLiteral("/srv/first.sbf"));
    QVERIFY(f.settings.SettingsChanged());
    f.host.commands.clear();
    f.settings.ApplySettings();
    QVERIFY(f.host.commands.contains(QStringLiteral("setfile:/srv/second.sbf")));
}

void TestPhraseFileSettings::lineBreaksNeverReachTheServer()
{
    SettingsFixture f;
    f.phrases.LocationEdit->setText(QStringLiteral("/srv/a.sbf\nsetpass:"));
    f.settings.curPass = QStringLiteral("pw\r\nreloadsettings");
    f.settings.ApplySettings();
    for (const QString& cmd : std::as_const(f.host.commands)) {
        QVERIFY2(!cmd.contains(u'\n') && !cmd.contains(u'\r'), qPrintable(cmd));
        QVERIFY(!cmd.startsWith(QLatin1String("setfile:")) && !cmd.startsWith(QLatin1String("setpass:")));
    }
    QVERIFY(f.settings.SettingsChanged()); // still pending, nothing lost

    // Typing cannot put a line break into the location in the first place.
    f.phrases.LocationEdit->clear();
    f.phrases.LocationEdit->insert(QStringLiteral("/srv/b\n.sbf"));
    QVERIFY(!f.phrases.LocationEdit->text().contains(u'\n'));
}

void TestPhraseFileSettings::fileUpdateQuestion_data()
{
    QTest::addColumn<int>("answer"); // 0: none queued, the default button decides
    QTest::addColumn<bool>("ticked");

    QTest::newRow("yes") << int(MessageBox::Yes) << true;
    QTest::newRow("no") << int(MessageBox::No) << false;
    QTest::newRow("default is no") << 0 << false;
}

void TestPhraseFileSettings::fileUpdateQuestion()
{
    QFETCH(int, answer);
    QFETCH(bool, ticked);

    SettingsFixture f;
    if (answer != 0)
        MessageBox::setNextAnswer(MessageBox::Button(answer));
    f.phrases.FileUpdateCheck->setChecked(true);
    QCOMPARE(f.phrases.FileUpdateCheck->isChecked(), ticked);
    QCOMPARE(f.settings.SettingsChanged(), ticked);
    const auto shown = MessageBox::history();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, tr_id(655));
    QCOMPARE(shown[0].caption, tr_id(626));
    QCOMPARE(shown[0].buttons, MessageBox::Buttons(MessageBox::Yes | MessageBox::No));
    QCOMPARE(shown[0].icon, MessageBox::Question);

    // Unticking asks nothing; the same value from the server ticks it without a question.
    MessageBox::clearHistory();
    f.phrases.FileUpdateCheck->setChecked(false);
    f.reply(RC_getfileupdate, QStringLiteral("1"));
    QVERIFY(f.phrases.FileUpdateCheck->isChecked());
    QVERIFY(MessageBox::history().isEmpty());
    QVERIFY(!f.settings.SkipDlg);
}

void TestPhraseFileSettings::browsePicksAFile_data()
{
    QTest::addColumn<bool>("accept");
    QTest::newRow("file picked") << true;
    QTest::newRow("cancelled") << false;
}

void TestPhraseFileSettings::browsePicksAFile()
{
    QFETCH(bool, accept);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("team.sbf"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    SettingsFixture f;
    QStringList filters;
    MessageBox::setDialogHandler([&](QDialog& dialog) {
        auto* open = qobject_cast<QFileDialog*>(&dialog);
        if (!open)
            return int(QDialog::Rejected);
        filters = open->nameFilters();
        if (open->defaultSuffix() != QLatin1String("sbf") || open->fileMode() != QFileDialog::ExistingFile)
            return int(QDialog::Rejected);
        open->selectFile(path);
        return int(accept ? QDialog::Accepted : QDialog::Rejected);
    });
    f.phrases.BrowseBtn->click();
    QCOMPARE(filters, QStringList{QStringLiteral("Scribolt Files (*.sbf *.sb3)")});
    QCOMPARE(f.phrases.LocationEdit->text(), accept ? path : QLatin1String(SettingsFixture::Location));
    QCOMPARE(f.settings.SettingsChanged(), accept);
}

QTEST_MAIN(TestPhraseFileSettings)
#include "TestPhraseFileSettings.moc"

#include "config/NetworkGroup.h"
#include "config/PhrasesPage.h"
#include "config/RadioGroup.h"
#include "config/StdSpinEdit.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

int bottomOf(const QWidget* w)
{
    return w->y() + w->height();
}

int rightOf(const QWidget* w)
{
    return w->x() + w->width();
}

} // namespace

class TestPhrasesPage : public QObject
{
    Q_OBJECT

private slots:
    void relayout_data();
    void relayout();
    void narrowerPageWrapsTheHint();
    void fieldsFollowTheirCaptions();
    void designedFields();
};

void TestPhrasesPage::relayout_data()
{
    QTest::addColumn<int>("pageWidth");
    QTest::addColumn<bool>("local");

    QTest::newRow("designed width") << 564 << false;
    QTest::newRow("designed width, -local") << 564 << true;
    QTest::newRow("wide") << 900 << false;
    QTest::newRow("narrow, -local") << 300 << true;
}

void TestPhrasesPage::relayout()
{
    QFETCH(int, pageWidth);
    QFETCH(bool, local);

    PhrasesPage page;
    page.setLocalMode(local);
    page.resize(pageWidth, 400);
    page.relayout(); // the window runs it on every resize

    const int groupWidth = pageWidth - 6;
    QCOMPARE(page.LocationGroup->geometry(), QRect(3, 3, groupWidth, page.LocationGroup->height()));
    QCOMPARE(page.BackupGroup->width(), groupWidth);
    QCOMPARE(page.FileHintLbl->width(), groupWidth - 20);
    QCOMPARE(page.FileHintLbl->height(), page.FileHintLbl->heightForWidth(groupWidth - 20));

    const int hintBottom = bottomOf(page.FileHintLbl);
    QCOMPARE(page.LocationEdit->y(), hintBottom + 15);
    QCOMPARE(page.LocationEdit->width(), groupWidth - page.BrowseBtn->width() - 26);
    QCOMPARE(page.BrowseBtn->y(), hintBottom + 13);
    QCOMPARE(page.BrowseBtn->x(), rightOf(page.LocationEdit) + 6);

    QCOMPARE(page.FileModeRadio->isHidden(), !local);
    const int radioHeight = page.FileModeRadio->height();
    if (local) {
        QCOMPARE(page.FileModeRadio->y(), bottomOf(page.LocationEdit) + 6);
        QCOMPARE(page.FileUpdateCheck->y(), bottomOf(page.FileModeRadio) + 6);
        QCOMPARE(page.LocationGroup->height(), page.FileHintLbl->height() + 120 + radioHeight + 8);
    } else {
        QCOMPARE(page.FileUpdateCheck->y(), bottomOf(page.LocationEdit) + 6);
        QCOMPARE(page.LocationGroup->height(), page.FileHintLbl->height() + 120);
    }
    QCOMPARE(page.stFileStatLbl->y(), bottomOf(page.FileUpdateCheck) + 13);
    QCOMPARE(page.FileStatLbl->y(), page.stFileStatLbl->y());
    QCOMPARE(page.BackupGroup->y(), bottomOf(page.LocationGroup) + 6);
}

void TestPhrasesPage::narrowerPageWrapsTheHint()
{
    PhrasesPage page;
    page.resize(900, 400);
    page.relayout();
    const int wideHint = page.FileHintLbl->height();
    const int wideBackupTop = page.BackupGroup->y();
    page.resize(250, 400);
    page.relayout();
    QVERIFY(page.FileHintLbl->height() > wideHint);
    QCOMPARE(page.BackupGroup->y() - wideBackupTop, page.FileHintLbl->height() - wideHint);
}

void TestPhrasesPage::fieldsFollowTheirCaptions()
{
    NetworkGroup network;
    PhrasesPage page;
    const QString longCaption = QStringLiteral("Ein recht langer übersetzter Beschriftungstext:");
    network.PortLbl->setText(longCaption);
    network.UDPPortLbl->setText(QStringLiteral("UDP:"));
    page.mnbLbl->setText(longCaption);
    network.alignCaptions();
    page.alignCaptions();

    QCOMPARE(network.PortEdit->x(), rightOf(network.PortLbl) + 6);
    QCOMPARE(network.UDPPortEdit->x(), rightOf(network.UDPPortLbl) + 6);
    QVERIFY(network.PortEdit->x() > network.UDPPortEdit->x());
    QCOMPARE(page.BackCountEdit->x(), rightOf(page.mnbLbl) + 6);
    QCOMPARE(network.PortLbl->width(), network.PortLbl->sizeHint().width());
}

void TestPhrasesPage::designedFields()
{
    NetworkGroup network;
    PhrasesPage page;
    for (TStdSpinEdit* port : {network.PortEdit, network.UDPPortEdit}) {
        QCOMPARE(port->Min(), 1);
        QCOMPARE(port->Max(), 99999);
        QCOMPARE(port->DefaultValue(), 1);
        QCOMPARE(port->Position(), 1025);
    }
    QCOMPARE(page.BackCountEdit->Min(), 1);
    QCOMPARE(page.BackCountEdit->Max(), 9999999);
    QCOMPARE(page.BackCountEdit->Position(), 1);
    QCOMPARE(page.FileModeRadio->ItemIndex(), 0);
    QCOMPARE(page.FileModeRadio->count(), 2);
    QVERIFY(page.FileModeRadio->property("radioGroup").toBool());
    QVERIFY(page.FileHintLbl->wordWrap());
    // The window and the translation find the parts by name and tag.
    QCOMPARE(page.findChild<QLineEdit*>(QStringLiteral("LocationEdit")), page.LocationEdit);
    QCOMPARE(network.findChild<QPushButton*>(QStringLiteral("PassBtn")), network.PassBtn);
    QCOMPARE(page.BackupGroup->property("tag").toInt(), 60);
    QCOMPARE(page.FileModeRadio->item(1)->property("tag").toInt(), 56);

    // Entering the location by Tab does not select the path.
    page.LocationEdit->setText(QStringLiteral("/srv/team.sbf"));
    QFocusEvent tabIn(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(page.LocationEdit, &tabIn);
    QVERIFY(!page.LocationEdit->hasSelectedText());
}

QTEST_MAIN(TestPhrasesPage)
#include "TestPhrasesPage.moc"

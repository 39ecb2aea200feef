#include "config/PhrasesPage.h"

#include "config/RadioGroup.h"
#include "config/StdSpinEdit.h"
#include "i18n/FTLanguage.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>

namespace {

template <typename W> W* named(W* widget, const char* name, int tag = 0)
{
    widget->setObjectName(QLatin1String(name));
    if (tag != 0)
        TFTLanguage::setTag(widget, tag);
    return widget;
}

int bottomOf(const QWidget* w)
{
    return w->y() + w->height();
}

int rightOf(const QWidget* w)
{
    return w->x() + w->width();
}

// A path is edited in place: entering the field by Tab keeps the text unselected.
class NoAutoSelectEdit : public QLineEdit
{
public:
    using QLineEdit::QLineEdit;

protected:
    void focusInEvent(QFocusEvent* event) override
    {
        QLineEdit::focusInEvent(event);
        deselect();
    }
};

constexpr int GroupMargin = 3;
constexpr int InnerLeft = 10;

} // namespace

PhrasesPage::PhrasesPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PhrasesPage"));
    resize(564, 400);

    LocationGroup = named(new QGroupBox(QStringLiteral("Phrases location:"), this), "LocationGroup", 50);
    FileHintLbl =
        named(new QLabel(QStringLiteral("The phrase file must lie locally on the central computer on "
                                        "which the server service runs."),
                         LocationGroup),
              "FileHintLbl", 53);
    FileHintLbl->setWordWrap(true);
    FileHintLbl->move(InnerLeft, 20);
    LocationEdit = named<QLineEdit>(new NoAutoSelectEdit(LocationGroup), "LocationEdit");
    LocationEdit->resize(300, LocationEdit->sizeHint().height());
    // A line break would split the "setfile:" command that carries the path.
    LocationEdit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^\\r\\n\\x00]*")), LocationEdit));
    BrowseBtn = named(new QPushButton(QStringLiteral("Browse"), LocationGroup), "BrowseBtn", 51);
    BrowseBtn->resize(75, 25);

    FileModeRadio = named(new RadioGroup(LocationGroup), "FileModeRadio", 54);
    FileModeRadio->setTitle(QStringLiteral("File Mode"));
    named(FileModeRadio->addItem(QStringLiteral("Use sentral phrase file on server pc"), 55),
          "FileModeItem0");
    named(FileModeRadio->addItem(QStringLiteral("Use local phrase file"), 56), "FileModeItem1");
    FileModeRadio->setItemIndex(0);
    FileModeRadio->resize(300, 65);
    FileModeRadio->hide();

    FileUpdateCheck = named(new QCheckBox(QStringLiteral("Let workstations take over changes of the phrase "
                                                         "file only when they start"),
                                          LocationGroup),
                            "FileUpdateCheck", 52);
    FileUpdateCheck->move(InnerLeft, 0);
    FileUpdateCheck->adjustSize();
    stFileStatLbl = named(new QLabel(QStringLiteral("Status:"), LocationGroup), "stFileStatLbl", 640);
    stFileStatLbl->adjustSize();
    stFileStatLbl->move(InnerLeft, 0);
    FileStatLbl = named(new QLabel(QStringLiteral("OK"), LocationGroup), "FileStatLbl");

    BackupGroup = named(new QGroupBox(QStringLiteral("Backup"), this), "BackupGroup", 60);
    mnbLbl =
        named(new QLabel(QStringLiteral("Maximum number of backups to keep:"), BackupGroup), "mnbLbl", 62);
    mnbLbl->move(12, 25);
    BackCountEdit = named(new TStdSpinEdit(BackupGroup), "BackCountEdit");
    BackCountEdit->setMax(9999999);
    BackCountEdit->setMin(1);
    BackCountEdit->setDefaultValue(1);
    BackCountEdit->setPosition(1);
    BackCountEdit->setGeometry(0, 22, 80, BackCountEdit->sizeHint().height());

    alignCaptions();
    relayout();
}

void PhrasesPage::setLocalMode(bool on)
{
    FileModeRadio->setVisible(on);
    relayout();
}

void PhrasesPage::alignCaptions()
{
    mnbLbl->adjustSize();
    BackCountEdit->move(rightOf(mnbLbl) + 6, BackCountEdit->y());
}

void PhrasesPage::relayout()
{
    const int groupWidth = width() - 2 * GroupMargin;
    LocationGroup->move(GroupMargin, GroupMargin);
    LocationGroup->resize(groupWidth, LocationGroup->height());
    BackupGroup->resize(groupWidth, BackupGroupHeight);

    const int hintWidth = groupWidth - 20;
    FileHintLbl->resize(hintWidth, FileHintLbl->heightForWidth(hintWidth));
    const int hintBottom = bottomOf(FileHintLbl);

    LocationEdit->setGeometry(InnerLeft, hintBottom + 15, groupWidth - BrowseBtn->width() - 26,
                              LocationEdit->height());
    BrowseBtn->move(rightOf(LocationEdit) + 6, hintBottom + 13);
    int groupHeight = FileHintLbl->height() + 120;

    const bool radioShown = !FileModeRadio->isHidden();
    FileModeRadio->setGeometry(InnerLeft, bottomOf(LocationEdit) + 6, groupWidth - 20,
                               FileModeRadio->height());
    const int checkTop = radioShown ? bottomOf(FileModeRadio) + 6 : bottomOf(LocationEdit) + 6;
    // The translated caption may be longer than the designed one.
    FileUpdateCheck->setGeometry(InnerLeft, checkTop, groupWidth - 20, FileUpdateCheck->sizeHint().height());
    stFileStatLbl->move(stFileStatLbl->x(), bottomOf(FileUpdateCheck) + 13);
    FileStatLbl->setGeometry(rightOf(stFileStatLbl) + 6, stFileStatLbl->y(),
                             qMax(groupWidth - rightOf(stFileStatLbl) - 16, 10), stFileStatLbl->height());
    if (radioShown)
        groupHeight += FileModeRadio->height() + 8;
    LocationGroup->resize(groupWidth, groupHeight);

    BackupGroup->move(GroupMargin, bottomOf(LocationGroup) + 6);
}

void PhrasesPage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    relayout();
}

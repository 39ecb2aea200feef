#include "config/NetPassDlg.h"

#include "i18n/FTLanguage.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace {

constexpr int RowTop = 12;
constexpr int RowStep = 28;

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, int tag, int row)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    TFTLanguage::setTag(label, tag);
    label->move(8, RowTop + 3 + row * RowStep);
    return label;
}

QLineEdit* makeEdit(QWidget* parent, const char* name, int row)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setEchoMode(QLineEdit::Password);
    // A line break inside a password would split the command line that carries it.
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^\\r\\n\\x00]*")), edit));
    edit->move(120, RowTop + row * RowStep);
    return edit;
}

} // namespace

TNetPassDlg::TNetPassDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("NetPassDlg"));
    setWindowTitle(QStringLiteral("Set or change password"));
    TFTLanguage::setTag(this, 300);
    setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    setFixedSize(340, 160);

    CurPassLbl = makeLabel(this, "CurPassLbl", QStringLiteral("Current password:"), 301, 0);
    CurPassEdit = makeEdit(this, "CurPassEdit", 0);
    NewPassLbl = makeLabel(this, "NewPassLbl", QStringLiteral("New password:"), 302, 1);
    NewPassEdit = makeEdit(this, "NewPassEdit", 1);
    ConfirmLbl = makeLabel(this, "ConfirmLbl", QStringLiteral("Confirmation:"), 303, 2);
    ConfirmEdit = makeEdit(this, "ConfirmEdit", 2);

    ManualPassCheck = new QCheckBox(QStringLiteral("Users must enter password manually"), this);
    ManualPassCheck->setObjectName(QStringLiteral("ManualPassCheck"));
    TFTLanguage::setTag(ManualPassCheck, 304);
    ManualPassCheck->move(8, RowTop + 3 * RowStep);

    OKBtn = new QPushButton(QStringLiteral("&OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    TFTLanguage::setTag(OKBtn, 305);
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("&Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    TFTLanguage::setTag(CancelBtn, 306);
    OKBtn->setGeometry(width() - 2 * 80 - 14, height() - 33, 80, 25);
    CancelBtn->setGeometry(width() - 80 - 8, height() - 33, 80, 25);

    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    for (QLineEdit* edit : {CurPassEdit, NewPassEdit, ConfirmEdit})
        connect(edit, &QLineEdit::textChanged, this, &TNetPassDlg::UpdateButtons);
}

void TNetPassDlg::FormShow()
{
    CurPassEdit->clear();
    NewPassEdit->clear();
    ConfirmEdit->clear();

    const bool needCurrent = !curPass.isEmpty();
    CurPassEdit->setEnabled(needCurrent);
    CurPassLbl->setEnabled(needCurrent);

    int x = 0;
    for (QLabel* label : {CurPassLbl, NewPassLbl, ConfirmLbl}) {
        label->move(8, label->y()); // from the designed spot, so repeated showings do not drift
        label->adjustSize();
        x = qMax(x, label->x() + label->width() + 6);
    }
    for (QLabel* label : {CurPassLbl, NewPassLbl, ConfirmLbl})
        label->move(x - 6 - label->width(), label->y());
    for (QLineEdit* edit : {CurPassEdit, NewPassEdit, ConfirmEdit})
        edit->setGeometry(x, edit->y(), width() - x - 6, edit->sizeHint().height());
    ManualPassCheck->adjustSize();

    UpdateButtons();
}

void TNetPassDlg::UpdateButtons()
{
    ManualPassCheck->setEnabled(!NewPassEdit->text().isEmpty() || !curPass.isEmpty());
    const bool typedCorrectly = CurPassEdit->text() == curPass && NewPassEdit->text() == ConfirmEdit->text();
    const bool allEmpty =
        CurPassEdit->text().isEmpty() && NewPassEdit->text().isEmpty() && ConfirmEdit->text().isEmpty();
    OKBtn->setEnabled(typedCorrectly || allEmpty);
}

#include "config/NetPassDlg.h"
#include "config/NetworkGroup.h"
#include "config/PhrasesPage.h"
#include "config/RadioGroup.h"
#include "config/ServerSettings.h"
#include "config/SettingsHost.h"
#include "config/SingleLine.h"
#include "config/StdSpinEdit.h"
#include "i18n/FTLanguage.h"
#include "ui/MessageBox.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>

void ServerSettings::PortEditChange()
{
    refreshUnlessLoading();
}

void ServerSettings::PortEditExit()
{
    if (m_network.PortEdit->Position() < 1025)
        MessageBox::show(m_host.dialogParent(), MessageBox::Warning, tr_id(605), tr_id(634));
}

void ServerSettings::LocationEditChange()
{
    refreshUnlessLoading();
}

void ServerSettings::BackCountEditChange()
{
    refreshUnlessLoading();
}

void ServerSettings::PassBtnClick()
{
    TNetPassDlg& dlg = *m_passDlg;
    dlg.curPass = curPass;
    dlg.ManualPassCheck->setChecked(curPassMode == 1);
    TFTLanguage::instance().Translate(&dlg);
    dlg.FormShow();
    const bool accepted = MessageBox::exec(dlg) == QDialog::Accepted;
    const QString typedCurrent = dlg.CurPassEdit->text();
    const QString newPass = dlg.NewPassEdit->text();
    // The dialog is kept for the next showing; it need not hold the passwords until then.
    dlg.CurPassEdit->clear();
    dlg.NewPassEdit->clear();
    dlg.ConfirmEdit->clear();
    if (!accepted)
        return;

    // The mode follows the password as it was before this change.
    const bool somePassword = !newPass.isEmpty() || !curPass.isEmpty();
    if (dlg.ManualPassCheck->isChecked())
        curPassMode = somePassword ? 1 : 0;
    else
        curPassMode = somePassword ? 2 : 0;

    if (newPass != curPass && typedCurrent == curPass) {
        curPass = newPass;
        if (newPass.isEmpty())
            MessageBox::show(m_host.dialogParent(), MessageBox::Information, tr_id(605), tr_id(648));
    }
    m_host.RefreshWindowState();
}

void ServerSettings::BrowseBtnClick()
{
    QFileDialog dialog(m_host.dialogParent());
    dialog.setObjectName(QStringLiteral("OpenDialog"));
    dialog.setNameFilter(QStringLiteral("Scribolt Files (*.sbf *.sb3)"));
    dialog.setDefaultSuffix(QStringLiteral("sbf"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (MessageBox::exec(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
    if (path.isEmpty())
        return;
    if (!isSingleLine(path)) {
        // The server could never be told such a name.
        MessageBox::show(m_host.dialogParent(), MessageBox::Warning, tr_id(617), tr_id(615));
        return;
    }
    m_phrases.LocationEdit->setText(path);
    m_host.RefreshWindowState();
}

void ServerSettings::FileUpdateCheckClick()
{
    if (SkipDlg || !m_phrases.FileUpdateCheck->isChecked()) {
        refreshUnlessLoading();
        return;
    }
    const MessageBox::Button answer =
        MessageBox::show(m_host.dialogParent(), MessageBox::Question, tr_id(626), tr_id(655),
                         MessageBox::Yes | MessageBox::No, MessageBox::No);
    if (answer == MessageBox::Yes)
        refreshUnlessLoading();
    else
        m_phrases.FileUpdateCheck->setChecked(false);
}

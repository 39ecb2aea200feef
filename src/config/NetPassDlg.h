#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Asks for the current password (when one is set), a new one twice, and
// whether users must type it. Created once and shown again and again.
class TNetPassDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TNetPassDlg(QWidget* parent = nullptr);
    TNetPassDlg(const TNetPassDlg&) = delete;
    TNetPassDlg& operator=(const TNetPassDlg&) = delete;
    TNetPassDlg(TNetPassDlg&&) = delete;
    TNetPassDlg& operator=(TNetPassDlg&&) = delete;

    // Prepares the dialog for one showing: empty fields, layout, buttons.
    void FormShow();
    void UpdateButtons();

    QString curPass; // the password in force, set by the caller before showing

    QLabel* CurPassLbl = nullptr;
    QLineEdit* CurPassEdit = nullptr;
    QLabel* NewPassLbl = nullptr;
    QLineEdit* NewPassEdit = nullptr;
    QLabel* ConfirmLbl = nullptr;
    QLineEdit* ConfirmEdit = nullptr;
    QCheckBox* ManualPassCheck = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
};

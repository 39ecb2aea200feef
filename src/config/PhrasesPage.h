#pragma once

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class RadioGroup;
class TStdSpinEdit;

// The Phrases tab: where the shared phrase file lies, its mode, the
// file-update rule, its status, and the number of backups.
class PhrasesPage : public QWidget
{
    Q_OBJECT

public:
    static constexpr int BackupGroupHeight = 56;

    explicit PhrasesPage(QWidget* parent = nullptr);
    PhrasesPage(const PhrasesPage&) = delete;
    PhrasesPage& operator=(const PhrasesPage&) = delete;
    PhrasesPage(PhrasesPage&&) = delete;
    PhrasesPage& operator=(PhrasesPage&&) = delete;

    // The file-mode choice is offered only with the "-local" switch.
    void setLocalMode(bool on);
    // Re-flows the tab for its current width (run on every resize of the window).
    void relayout();
    // Places BackCountEdit 6 pixels right of its caption, after translation.
    void alignCaptions();

    QGroupBox* LocationGroup = nullptr;
    QLabel* FileHintLbl = nullptr;
    QLineEdit* LocationEdit = nullptr;
    QPushButton* BrowseBtn = nullptr;
    RadioGroup* FileModeRadio = nullptr;
    QCheckBox* FileUpdateCheck = nullptr;
    QLabel* stFileStatLbl = nullptr;
    QLabel* FileStatLbl = nullptr;
    QGroupBox* BackupGroup = nullptr;
    QLabel* mnbLbl = nullptr;
    TStdSpinEdit* BackCountEdit = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;
};

#pragma once

#include <QDialog>

class QLabel;

// The notice shown while a connection is being opened: borderless, silver,
// always on top, centred on the main window, one bold line.
class TWaitDlg : public QDialog
{
    Q_OBJECT
public:
    explicit TWaitDlg(QWidget* mainWindow);
    TWaitDlg(const TWaitDlg&) = delete;
    TWaitDlg& operator=(const TWaitDlg&) = delete;

    QLabel* label() const { return m_label; }

private:
    QLabel* m_label;
};

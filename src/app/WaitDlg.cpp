#include "app/WaitDlg.h"

#include "i18n/FTLanguage.h"

#include <QLabel>
#include <QVBoxLayout>

TWaitDlg::TWaitDlg(QWidget* mainWindow)
    : QDialog(mainWindow, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool)
    , m_label(new QLabel(QStringLiteral("Trying to connect to the Server, please wait...")))
{
    setObjectName(QStringLiteral("TWaitDlg"));
    setFixedSize(391, 57);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(p);
    m_label->setObjectName(QStringLiteral("WaitLbl"));
    TFTLanguage::setTag(m_label, 250);
    QFont f = m_label->font();
    f.setBold(true);
    f.setPointSize(10);
    m_label->setFont(f);
    m_label->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    if (mainWindow) {
        const QRect r = mainWindow->geometry();
        move(r.center() - QPoint(width() / 2, height() / 2));
    }
}

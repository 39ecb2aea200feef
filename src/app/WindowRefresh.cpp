#include "app/WindowRefresh.h"

#include "app/MainWindowUi.h"
#include "i18n/FTLanguage.h"
#include "link/PipeLocation.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace {

const QColor Green(0, 128, 0);
const QColor Red(255, 0, 0);

void setColour(QLabel* label, const QColor& colour)
{
    if (!label) {
        return;
    }
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
}

void copyLabel(QLabel* from, QLabel* to)
{
    if (!from || !to) {
        return;
    }
    to->setText(from->text());
    to->setPalette(from->palette());
}

template <typename T>
T* child(QWidget* window, const char* name)
{
    return window ? window->findChild<T*>(QLatin1String(name)) : nullptr;
}

void setEnabledIf(QWidget* w, bool on)
{
    if (w) {
        w->setEnabled(on);
    }
}

} // namespace

QString clientCountText(bool connected, int fclCount)
{
    return connected ? QString::number(fclCount) : tr_id(630);
}

bool browseAllowed(const WindowStateInputs& in)
{
    if (in.connected) {
        return in.fCurServer == QLatin1String(".")
               || in.fCurServer.compare(in.localCompName, Qt::CaseInsensitive) == 0;
    }
    return in.serverEditText == QLatin1String(".")
           || PipeLocation::StripBackslashes(in.serverEditText).compare(in.localCompName, Qt::CaseInsensitive) == 0;
}

void applyHint(const WindowStateInputs& in, const MainWindowUi& ui)
{
    QString text;
    QColor colour = Red;
    if (in.isStartFinished) {
        if (in.hintStatus == 1 && ui.UpdateBtn->isEnabled()) {
            text = tr_id(611);
        } else if (in.hintStatus == 2) {
            text = tr_id(612);
            colour = Green;
        }
    }
    ui.HintLbl->setText(text);
    ui.HintLbl->setStyleSheet(QStringLiteral("color: %1;").arg(colour.name()));
}

int applyWindowState(const WindowStateInputs& in, const MainWindowUi& ui, QWidget* window)
{
    int hintStatus = in.hintStatus;
    auto* fileStatLbl = child<QLabel>(window, "FileStatLbl");
    auto* tcpStatLbl = child<QLabel>(window, "TCPStatLbl");

    setEnabledIf(child<QWidget>(window, "SetWriteBtn"), in.fclCount > 0);
    setEnabledIf(child<QWidget>(window, "SetConfigBtn"), in.fclCount > 0);

    if (!in.connected) {
        if (fileStatLbl) {
            fileStatLbl->setText(tr_id(630));
        }
        if (tcpStatLbl) {
            tcpStatLbl->setText(tr_id(630));
        }
        ui.ConStatLbl->setText(tr_id(610));
        ui.PageControl->setCurrentIndex(MainWindowUi::ServerTab);
    } else if (fileStatLbl) {
        fileStatLbl->setText(in.fileStatusText);
    }
    ui.ClCountLbl->setText(clientCountText(in.connected, in.fclCount));

    for (QWidget* w : {static_cast<QWidget*>(ui.ClCountLbl), static_cast<QWidget*>(fileStatLbl),
                       static_cast<QWidget*>(tcpStatLbl), child<QWidget>(window, "NetworkGroup"),
                       child<QWidget>(window, "PortLbl"), child<QWidget>(window, "PortEdit")}) {
        setEnabledIf(w, in.connected);
    }

    for (int tab : {MainWindowUi::MonitorTab, MainWindowUi::PhrasesTab, MainWindowUi::UpdatesTab,
                    MainWindowUi::ServerLogTab}) {
        ui.PageControl->setTabVisible(tab, in.connected);
    }

    if (in.connected) {
        const QString host = in.fCurServer == QLatin1String(".") ? in.localCompName : in.fCurServer;
        ui.ConStatLbl->setText(tr_id(609) + QStringLiteral(" v") + in.fServVer + QLatin1Char(' ') + tr_id(631)
                               + QLatin1Char(' ') + host + QStringLiteral(" [") + in.fServerIP
                               + QLatin1Char(']'));
    }
    setColour(ui.ConStatLbl, in.connected ? Green : Red);
    copyLabel(ui.ConStatLbl, ui.ConStatGenLbl);

    setColour(fileStatLbl, Green);
    copyLabel(fileStatLbl, ui.FileStatGenLbl);

    if (in.connected && tcpStatLbl) {
        const int id = in.TCPOk ? 637 : 632;
        tcpStatLbl->setText(tr_id(id) + QLatin1Char(' ') + QString::number(in.tcpPort));
        setColour(tcpStatLbl, in.TCPOk ? Green : Red);
    }
    copyLabel(tcpStatLbl, ui.TCPStatGenLbl);
    setColour(ui.ClCountLbl, Green);

    ui.ReconBtn->setEnabled(PipeLocation::StripBackslashes(in.serverEditText).compare(in.fCurServer, Qt::CaseInsensitive) != 0);
    ui.AutoSearchBtn->setEnabled(!in.connected);

    ui.UpdateBtn->setEnabled(in.settingsChanged);
    if (in.settingsChanged) {
        hintStatus = 1;
    }
    setEnabledIf(child<QWidget>(window, "BrowseBtn"), browseAllowed(in));

    WindowStateInputs hint = in;
    hint.hintStatus = hintStatus;
    applyHint(hint, ui);

    const bool totals = in.fclCount > 1 && in.fDoStats;
    ui.blockRow->setVisible(in.doBlock);
    ui.StatLbl->setVisible(totals);

    if (auto* pass = child<QAbstractButton>(window, "PassBtn")) {
        pass->setText(tr_id(in.hasPassword ? 118 : 117));
    }
    ui.ActBtn2->setEnabled(in.blockEnabled);
    ui.ActBtn3->setEnabled(in.unblockEnabled);
    return hintStatus;
}

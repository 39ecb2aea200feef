#include "ui/MessageBox.h"

#include <QDialog>
#include <QMessageBox>
#include <QQueue>

namespace MessageBox {
namespace {

struct State
{
    bool testMode = false;
    QQueue<Button> answers;
    QList<Shown> history;
    std::function<int(QDialog&)> dialogHandler;
    std::function<void(const Shown&)> showHook;
};

State& state()
{
    static State s;
    return s;
}

Button firstButton(Buttons buttons)
{
    for (Button b : {Ok, Yes, No, Cancel}) {
        if (buttons & b) {
            return b;
        }
    }
    return Ok;
}

QMessageBox::Icon toQt(Icon icon)
{
    switch (icon) {
    case Information:
        return QMessageBox::Information;
    case Warning:
        return QMessageBox::Warning;
    case Critical:
        return QMessageBox::Critical;
    case Question:
        return QMessageBox::Question;
    case NoIcon:
        break;
    }
    return QMessageBox::NoIcon;
}

Button fromQt(int standardButton)
{
    switch (standardButton) {
    case QMessageBox::Ok:
        return Ok;
    case QMessageBox::Cancel:
        return Cancel;
    case QMessageBox::Yes:
        return Yes;
    case QMessageBox::No:
        return No;
    default:
        return NoButton;
    }
}

QMessageBox::StandardButtons toQtButtons(Buttons buttons)
{
    QMessageBox::StandardButtons result;
    if (buttons & Ok)
        result |= QMessageBox::Ok;
    if (buttons & Cancel)
        result |= QMessageBox::Cancel;
    if (buttons & Yes)
        result |= QMessageBox::Yes;
    if (buttons & No)
        result |= QMessageBox::No;
    return result;
}

} // namespace

Button show(QWidget* parent, Icon icon, const QString& caption, const QString& text, Buttons buttons,
            Button defaultButton)
{
    State& s = state();
    Shown shown{icon, caption, text, buttons, NoButton};
    if (s.testMode) {
        if (s.showHook) {
            s.showHook(shown);
        }
        if (!s.answers.isEmpty()) {
            shown.answer = s.answers.dequeue();
        } else {
            shown.answer = defaultButton != NoButton ? defaultButton : firstButton(buttons);
        }
        s.history.append(shown);
        return shown.answer;
    }
    QMessageBox box(toQt(icon), caption, text, toQtButtons(buttons), parent);
    if (defaultButton != NoButton) {
        box.setDefaultButton(static_cast<QMessageBox::StandardButton>(toQtButtons(defaultButton).toInt()));
    }
    shown.answer = fromQt(box.exec());
    if (shown.answer == NoButton) {
        // Closed with Escape or the close box: the dialog's cancel choice.
        shown.answer = (buttons & Cancel) ? Cancel : (buttons & No) ? No : firstButton(buttons);
    }
    return shown.answer;
}

int exec(QDialog& dialog)
{
    State& s = state();
    if (s.testMode) {
        return s.dialogHandler ? s.dialogHandler(dialog) : int(QDialog::Rejected);
    }
    return dialog.exec();
}

void showUncaughtError(QWidget* parent, const QString& message)
{
    QString text = message;
    if (!text.isEmpty() && text.back() > QLatin1Char('.')) {
        text += QLatin1Char('.');
    }
    show(parent, Critical, QStringLiteral("Scribolt Vodave Durerir"), text, Ok);
}

void setTestMode(bool on)
{
    state().testMode = on;
}

bool testMode()
{
    return state().testMode;
}

void setNextAnswer(Button answer)
{
    state().answers.enqueue(answer);
}

void setDialogHandler(std::function<int(QDialog&)> handler)
{
    state().dialogHandler = std::move(handler);
}

void setShowHook(std::function<void(const Shown&)> hook)
{
    state().showHook = std::move(hook);
}

QList<Shown> history()
{
    return state().history;
}

void clearHistory()
{
    State& s = state();
    s.history.clear();
    s.answers.clear();
    s.dialogHandler = nullptr;
    s.showHook = nullptr;
}

} // namespace MessageBox

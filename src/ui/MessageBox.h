#pragma once

#include <QList>
#include <QString>
#include <functional>

class QDialog;
class QWidget;

// Every question, notice and modal dialog of the console goes through here, so
// that tests can answer them by script and nothing ever waits for a person.
namespace MessageBox {

enum Button {
    NoButton = 0,
    Ok = 0x1,
    Cancel = 0x2,
    Yes = 0x4,
    No = 0x8,
};
using Buttons = int;

enum Icon { NoIcon, Information, Warning, Critical, Question };

struct Shown
{
    Icon icon = NoIcon;
    QString caption;
    QString text;
    Buttons buttons = Ok;
    Button answer = NoButton;
};

// Shows a box and returns the button pressed. In test mode the answer is the
// next queued one (setNextAnswer), else the default button, else the first
// button of the set.
Button show(QWidget* parent, Icon icon, const QString& caption, const QString& text, Buttons buttons = Ok,
            Button defaultButton = NoButton);

// Runs a modal dialog. In test mode the dialog handler decides its result; with
// no handler installed the dialog is rejected without being shown.
int exec(QDialog& dialog);

// The toolkit's standard box for an error that escaped a handler: the program
// title as caption, a full stop appended where the text lacks one, stop icon.
void showUncaughtError(QWidget* parent, const QString& message);

// --- for tests ---
void setTestMode(bool on);
bool testMode();
void setNextAnswer(Button answer);
void setDialogHandler(std::function<int(QDialog&)> handler);
// Runs while a box is "open" in test mode, before it is answered: what a
// person could trigger meanwhile (replies arriving, timers) can run here.
void setShowHook(std::function<void(const Shown&)> hook);
QList<Shown> history();
void clearHistory();  // also drops queued answers, the dialog handler and the show hook

} // namespace MessageBox

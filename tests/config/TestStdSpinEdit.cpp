#include "config/StdSpinEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

// A shown window with a port-like field and a second field to move the focus to.
struct SpinWindow
{
    QWidget window;
    TStdSpinEdit* spin = new TStdSpinEdit(&window);
    QLineEdit* other = new QLineEdit(&window);

    SpinWindow()
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(spin);
        layout->addWidget(other);
        spin->setMax(99999);
        spin->setMin(1);
        spin->setDefaultValue(1);
        spin->setPosition(1025);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
    QLineEdit* edit() const { return spin->Edit(); }
};

class TestStdSpinEdit : public QObject
{
    Q_OBJECT

private slots:
    void typing_data();
    void typing();
    void emptyingPutsDefaultAtOnce();
    void pasteIsRefused();
    void clampOnLeaving_data();
    void clampOnLeaving();
    void stepping_data();
    void stepping();
    void pageKeysJumpToLimits();
    void stepNearIntegerLimitDoesNotWrap();
    void limitWriteRules();
    void enablingAndFocusReachTheParts();
};

void TestStdSpinEdit::typing_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("backspaces");
    QTest::addColumn<QString>("expected");

    QTest::newRow("digits are taken") << "10" << 2 << "25" << 0 << "1025";
    QTest::newRow("letters and signs are dropped") << "10" << 2 << "a+.x 3" << 0 << "103";
    QTest::newRow("minus after the first digit is refused") << "1025" << 1 << "-" << 0 << "1025";
    QTest::newRow("minus at the end is refused") << "1025" << 4 << "-" << 0 << "1025";
    QTest::newRow("minus at the start is taken") << "1025" << 0 << "-" << 0 << "-1025";
    QTest::newRow("backspace removes a digit") << "1025" << 4 << "" << 1 << "102";
}

void TestStdSpinEdit::typing()
{
    QFETCH(QString, start);
    QFETCH(int, caret);
    QFETCH(QString, typed);
    QFETCH(int, backspaces);
    QFETCH(QString, expected);

    SpinWindow w;
    w.edit()->setText(start);
    w.edit()->setCursorPosition(caret);
    QTest::keyClicks(w.edit(), typed);
    for (int i = 0; i < backspaces; ++i)
        QTest::keyClick(w.edit(), Qt::Key_Backspace);
    QCOMPARE(w.edit()->text(), expected);
}

void TestStdSpinEdit::emptyingPutsDefaultAtOnce()
{
    SpinWindow w;
    QStringList seen;
    QObject::connect(w.spin, &TStdSpinEdit::changed, [&] { seen.append(w.edit()->text()); });
    w.edit()->setText(QStringLiteral("7"));
    w.edit()->setCursorPosition(1);
    QTest::keyClick(w.edit(), Qt::Key_Backspace);
    QCOMPARE(w.edit()->text(), QStringLiteral("1"));
    QCOMPARE(seen, QStringList({QStringLiteral("7"), QStringLiteral("1")}));

    // With the whole text selected a leading minus replaces it.
    w.edit()->selectAll();
    QTest::keyClick(w.edit(), Qt::Key_Minus, Qt::NoModifier);
    QCOMPARE(w.edit()->text(), QStringLiteral("-"));
}

void TestStdSpinEdit::pasteIsRefused()
{
    SpinWindow w;
    QGuiApplication::clipboard()->setText(QStringLiteral("abc"));
    w.edit()->setCursorPosition(4);
    QTest::keyClick(w.edit(), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(w.edit(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w.edit()->text(), QStringLiteral("1025"));
}

void TestStdSpinEdit::clampOnLeaving_data()
{
    QTest::addColumn<int>("defaultValue");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");

    QTest::newRow("negative becomes the minimum") << 1 << "-5"
                                                  << "1";
    QTest::newRow("zero becomes the minimum") << 1 << "0"
                                              << "1";
    QTest::newRow("above the maximum") << 1 << "123456"
                                       << "99999";
    QTest::newRow("70000 is within the field's range") << 1 << "70000"
                                                       << "70000";
    QTest::newRow("a lone minus is no number") << 1 << "-"
                                               << "1";
    QTest::newRow("no number takes the default") << 500 << "-"
                                                 << "500";
    QTest::newRow("beyond 32 bits is no number") << 500 << "99999999999"
                                                 << "500";
}

void TestStdSpinEdit::clampOnLeaving()
{
    QFETCH(int, defaultValue);
    QFETCH(QString, typed);
    QFETCH(QString, expected);

    SpinWindow w;
    w.spin->setDefaultValue(defaultValue);
    QSignalSpy exited(w.spin, &TStdSpinEdit::exited);
    w.spin->setFocus();
    QVERIFY(w.edit()->hasFocus());
    w.edit()->setText(typed);
    QCOMPARE(w.edit()->text(), typed); // nothing is clamped while typing
    w.other->setFocus();
    QCOMPARE(w.edit()->text(), expected);
    QCOMPARE(exited.count(), 1);
}

void TestStdSpinEdit::stepping_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<int>("delta"); // wheel: angle delta; others: +1 up, -1 down
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("expected");

    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    const Qt::KeyboardModifiers both = Qt::ControlModifier | Qt::ShiftModifier;

    QTest::newRow("key up") << "key" << 1 << none << 5001;
    QTest::newRow("key ctrl+up") << "key" << 1 << ctrl << 5010;
    QTest::newRow("key shift+up") << "key" << 1 << shift << 5100;
    QTest::newRow("key ctrl+shift+up") << "key" << 1 << both << 6000;
    QTest::newRow("key ctrl+down") << "key" << -1 << ctrl << 4990;
    QTest::newRow("key alt+up plays no part") << "key" << 1 << Qt::KeyboardModifiers(Qt::AltModifier) << 5001;
    QTest::newRow("button up") << "button" << 1 << none << 5001;
    QTest::newRow("button ctrl+up") << "button" << 1 << ctrl << 5010;
    QTest::newRow("button shift+down") << "button" << -1 << shift << 4900;
    QTest::newRow("button ctrl+shift+up") << "button" << 1 << both << 6000;
    QTest::newRow("wheel up") << "wheel" << 120 << none << 5001;
    QTest::newRow("wheel down ctrl") << "wheel" << -120 << ctrl << 4990;
    QTest::newRow("wheel up shift") << "wheel" << 120 << shift << 5100;
    QTest::newRow("wheel down shift") << "wheel" << -120 << shift << 4900;
    QTest::newRow("wheel shift turned horizontal") << "hwheel" << 120 << shift << 5100;
}

void TestStdSpinEdit::stepping()
{
    QFETCH(QString, source);
    QFETCH(int, delta);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, expected);

    SpinWindow w;
    w.spin->setPosition(5000);
    QSignalSpy changed(w.spin, &TStdSpinEdit::changed);
    if (source == QLatin1String("key")) {
        QTest::keyClick(w.edit(), delta > 0 ? Qt::Key_Up : Qt::Key_Down, modifiers);
    } else if (source == QLatin1String("button")) {
        QTest::mouseClick(delta > 0 ? w.spin->upButton() : w.spin->downButton(), Qt::LeftButton, modifiers);
    } else {
        const QPoint angle = source == QLatin1String("wheel") ? QPoint(0, delta) : QPoint(delta, 0);
        const QPointF at(w.edit()->rect().center());
        QWheelEvent wheel(at, w.edit()->mapToGlobal(at), QPoint(), angle, Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(w.edit(), &wheel);
    }
    QCOMPARE(w.spin->Position(), expected);
    QCOMPARE(changed.count(), 1);
}

void TestStdSpinEdit::pageKeysJumpToLimits()
{
    SpinWindow w;
    QTest::keyClick(w.edit(), Qt::Key_PageUp);
    QCOMPARE(w.edit()->text(), QStringLiteral("99999"));
    QTest::keyClick(w.edit(), Qt::Key_PageDown);
    QCOMPARE(w.edit()->text(), QStringLiteral("1"));

    // A step at the limit stays there and still reports the step.
    QSignalSpy changed(w.spin, &TStdSpinEdit::changed);
    QTest::keyClick(w.edit(), Qt::Key_Down);
    QCOMPARE(w.spin->Position(), 1);
    QCOMPARE(changed.count(), 1);
}

void TestStdSpinEdit::stepNearIntegerLimitDoesNotWrap()
{
    TStdSpinEdit spin; // range of its own: the full 32-bit positive range
    spin.setPosition(2147483000);
    spin.stepBy(true, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(spin.Position(), 2147483647);
    spin.stepBy(true, Qt::ShiftModifier);
    QCOMPARE(spin.Position(), 2147483647);
    QCOMPARE(spin.Edit()->text(), QStringLiteral("2147483647"));
}

void TestStdSpinEdit::limitWriteRules()
{
    TStdSpinEdit spin;
    QCOMPARE(spin.Edit()->text(), QStringLiteral("0")); // created empty: the default value
    spin.setMax(100);
    spin.setPosition(50);

    spin.setMin(200); // above Max: ignored
    QCOMPARE(spin.Min(), 0);
    spin.setMin(60); // raises the position and the default
    QCOMPARE(spin.Edit()->text(), QStringLiteral("60"));
    QCOMPARE(spin.DefaultValue(), 60);
    spin.setMax(10); // below Min: ignored
    QCOMPARE(spin.Max(), 100);
    spin.setDefaultValue(101); // outside the range: ignored
    QCOMPARE(spin.DefaultValue(), 60);
    spin.setPosition(70);
    spin.setMax(65); // lowers the position
    QCOMPARE(spin.Edit()->text(), QStringLiteral("65"));
    spin.setPosition(-5);
    QCOMPARE(spin.Edit()->text(), QStringLiteral("60"));
    spin.Edit()->setText(QStringLiteral("abc"));
    QCOMPARE(spin.Position(), 60); // a text that is no number reads as the default
}

void TestStdSpinEdit::enablingAndFocusReachTheParts()
{
    SpinWindow w;
    w.spin->setEnabled(false);
    QVERIFY(!w.edit()->isEnabled());
    QVERIFY(!w.spin->upButton()->isEnabled());
    QVERIFY(!w.spin->downButton()->isEnabled());
    w.spin->setEnabled(true);
    w.spin->setFocus();
    QVERIFY(w.edit()->hasFocus());
    w.spin->setEditColor(QColor(1, 2, 3));
    QCOMPARE(w.spin->EditColor(), QColor(1, 2, 3));
}

QTEST_MAIN(TestStdSpinEdit)
#include "TestStdSpinEdit.moc"

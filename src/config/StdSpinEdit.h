#pragma once

#include <QColor>
#include <QWidget>

class QLineEdit;
class QToolButton;

// Numeric field: a line edit holding the value as decimal text and a pair of
// step buttons. Steps grow with Ctrl (x10), Shift (x100) and both (x1000).
class TStdSpinEdit : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int Position READ Position WRITE setPosition)
    Q_PROPERTY(int Min READ Min WRITE setMin)
    Q_PROPERTY(int Max READ Max WRITE setMax)
    Q_PROPERTY(int DefaultValue READ DefaultValue WRITE setDefaultValue)
    Q_PROPERTY(QColor EditColor READ EditColor WRITE setEditColor)

public:
    explicit TStdSpinEdit(QWidget* parent = nullptr);
    TStdSpinEdit(const TStdSpinEdit&) = delete;
    TStdSpinEdit& operator=(const TStdSpinEdit&) = delete;
    TStdSpinEdit(TStdSpinEdit&&) = delete;
    TStdSpinEdit& operator=(TStdSpinEdit&&) = delete;

    int Position() const;
    void setPosition(qint64 value);
    int Min() const { return fMin; }
    void setMin(int value);
    int Max() const { return fMax; }
    void setMax(int value);
    int DefaultValue() const { return fDef; }
    void setDefaultValue(int value);
    int Increment() const { return fInc; }
    void setIncrement(int value) { fInc = value; }
    int SpeedIncrement() const { return fSpeedInc; }
    void setSpeedIncrement(int value) { fSpeedInc = value; }
    int ExtraSpeedIncrement() const { return fExtraSpeedInc; }
    void setExtraSpeedIncrement(int value) { fExtraSpeedInc = value; }
    int SuperSpeedIncrement() const { return fSuperSpeedInc; }
    void setSuperSpeedIncrement(int value) { fSuperSpeedInc = value; }
    QColor EditColor() const;
    void setEditColor(const QColor& colour);

    QLineEdit* Edit() const { return m_edit; }
    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

    // One step up or down as the given modifier keys choose it.
    void stepBy(bool up, Qt::KeyboardModifiers modifiers);

signals:
    void changed(); // every change of the text
    void exited();  // the text field lost the focus (after clamping)

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool filterKey(QKeyEvent* event);
    void clampOnExit();
    void wheelStep(QWheelEvent* event);
    void buttonClicked(bool up);
    qint64 clamp(qint64 value) const;

    QLineEdit* m_edit = nullptr;
    QWidget* m_ud = nullptr;
    QToolButton* m_up = nullptr;
    QToolButton* m_down = nullptr;
    Qt::KeyboardModifiers m_clickModifiers;
    bool m_haveClickModifiers = false;

    int AddInc = 0;
    int fMin = 0;
    int fMax = 2147483647;
    int fDef = 0;
    int fInc = 1;
    int fSpeedInc = 10;
    int fExtraSpeedInc = 100;
    int fSuperSpeedInc = 1000;
};

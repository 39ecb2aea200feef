#include "config/StdSpinEdit.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <cstdlib>
#include <optional>

namespace {

std::optional<qint64> readNumber(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

QToolButton* makeStepButton(QWidget* parent, Qt::ArrowType arrow, const char* name)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    button->setFixedWidth(17);
    return button;
}

} // namespace

TStdSpinEdit::TStdSpinEdit(QWidget* parent) : QWidget(parent)
{
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("Edit"));
    m_ud = new QWidget(this);
    m_ud->setObjectName(QStringLiteral("UD"));
    m_up = makeStepButton(m_ud, Qt::UpArrow, "UpBtn");
    m_down = makeStepButton(m_ud, Qt::DownArrow, "DownBtn");

    auto* udLayout = new QVBoxLayout(m_ud);
    udLayout->setContentsMargins(0, 0, 0, 0);
    udLayout->setSpacing(0);
    udLayout->addWidget(m_up);
    udLayout->addWidget(m_down);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_ud);
    m_ud->setFixedHeight(m_edit->sizeHint().height());
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    setFocusProxy(m_edit);
    m_edit->installEventFilter(this);
    m_up->installEventFilter(this);
    m_down->installEventFilter(this);

    connect(m_edit, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text.isEmpty()) {
            m_edit->setText(QString::number(fDef));
            return;
        }
        emit changed();
    });
    connect(m_up, &QToolButton::clicked, this, [this] { buttonClicked(true); });
    connect(m_down, &QToolButton::clicked, this, [this] { buttonClicked(false); });

    m_edit->setText(QString::number(fDef));
}

int TStdSpinEdit::Position() const
{
    return int(clamp(readNumber(m_edit->text()).value_or(fDef)));
}

void TStdSpinEdit::setPosition(qint64 value)
{
    m_edit->setText(QString::number(clamp(value)));
}

qint64 TStdSpinEdit::clamp(qint64 value) const
{
    if (value < fMin)
        return fMin;
    if (value > fMax)
        return fMax;
    return value;
}

void TStdSpinEdit::setMin(int value)
{
    if (value > fMax)
        return;
    fMin = value;
    if (fDef < value)
        fDef = value;
    const auto current = readNumber(m_edit->text());
    if (current && *current < value)
        setPosition(value);
}

void TStdSpinEdit::setMax(int value)
{
    if (value < fMin)
        return;
    fMax = value;
    if (fDef > value)
        fDef = value;
    const auto current = readNumber(m_edit->text());
    if (current && *current > value)
        setPosition(value);
}

void TStdSpinEdit::setDefaultValue(int value)
{
    if (value < fMin || value > fMax)
        return;
    fDef = value;
}

QColor TStdSpinEdit::EditColor() const
{
    return m_edit->palette().color(QPalette::Base);
}

void TStdSpinEdit::setEditColor(const QColor& colour)
{
    QPalette palette = m_edit->palette();
    palette.setColor(QPalette::Base, colour);
    m_edit->setPalette(palette);
}

void TStdSpinEdit::stepBy(bool up, Qt::KeyboardModifiers modifiers)
{
    const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
    const bool shift = modifiers.testFlag(Qt::ShiftModifier);
    if (ctrl && shift)
        AddInc = std::abs(fSuperSpeedInc - fInc);
    else if (shift)
        AddInc = std::abs(fExtraSpeedInc - fInc);
    else if (ctrl)
        AddInc = std::abs(fSpeedInc - fInc);
    else
        AddInc = 0;
    // 64-bit so that a step next to the integer limits cannot wrap around.
    const qint64 delta = qint64(fInc) + AddInc;
    const QString before = m_edit->text();
    setPosition(up ? qint64(Position()) + delta : qint64(Position()) - delta);
    AddInc = 0;
    if (m_edit->text() == before)
        emit changed();
}

void TStdSpinEdit::buttonClicked(bool up)
{
    Qt::KeyboardModifiers modifiers = QGuiApplication::queryKeyboardModifiers();
    if (m_haveClickModifiers)
        modifiers |= m_clickModifiers;
    m_haveClickModifiers = false;
    stepBy(up, modifiers);
}

void TStdSpinEdit::clampOnExit()
{
    const auto value = readNumber(m_edit->text());
    const qint64 wanted = clamp(value.value_or(fDef));
    if (!value || *value != wanted)
        m_edit->setText(QString::number(wanted));
}

bool TStdSpinEdit::filterKey(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        stepBy(event->key() == Qt::Key_Up, event->modifiers());
        return true;
    case Qt::Key_PageUp:
        setPosition(fMax);
        return true;
    case Qt::Key_PageDown:
        setPosition(fMin);
        return true;
    case Qt::Key_Backspace:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return false;
    default:
        break;
    }
    // Clipboard and undo shortcuts could bring in any text; the field takes typed digits only.
    if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut) ||
        event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo))
        return true;
    const QString text = event->text();
    if (text.isEmpty())
        return false; // caret movement, Delete and the like
    if (text.size() != 1)
        return true;
    const QChar c = text.front();
    if (c >= u'0' && c <= u'9')
        return false;
    if (c == u'-') {
        const int caret = m_edit->hasSelectedText() ? m_edit->selectionStart() : m_edit->cursorPosition();
        return caret != 0;
    }
    return true;
}

bool TStdSpinEdit::eventFilter(QObject* watched, QEvent* event)
{
    // The parts cover the whole control, so each wheel event is seen here once;
    // it then goes on to its ordinary handling.
    if (event->type() == QEvent::Wheel && (watched == m_edit || watched == m_up || watched == m_down)) {
        wheelStep(static_cast<QWheelEvent*>(event));
        return false;
    }
    if (watched == m_edit) {
        if (event->type() == QEvent::KeyPress)
            return filterKey(static_cast<QKeyEvent*>(event));
        if (event->type() == QEvent::FocusOut) {
            // Switching to another window or a pop-up keeps the focus inside the form.
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
                return false;
            clampOnExit();
            emit exited();
        }
        return false;
    }
    if ((watched == m_up || watched == m_down) && event->type() == QEvent::MouseButtonRelease) {
        m_clickModifiers = static_cast<QMouseEvent*>(event)->modifiers();
        m_haveClickModifiers = true;
    }
    return QWidget::eventFilter(watched, event);
}

void TStdSpinEdit::wheelStep(QWheelEvent* event)
{
    // Shift+wheel often arrives turned into horizontal scrolling.
    const QPoint delta = event->angleDelta();
    const int amount = delta.y() != 0 ? delta.y() : delta.x();
    if (amount != 0 && isEnabled())
        stepBy(amount > 0, event->modifiers());
}

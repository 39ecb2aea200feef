#include "ClientsHeader.h"

#include "ColumnLayout.h"
#include "i18n/FTLanguage.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QToolTip>

ClientsHeader::ClientsHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
{
    setObjectName(QStringLiteral("ClientsHeader"));
    setSectionsMovable(true);
    setSectionsClickable(true);
    setSortIndicatorShown(true);
    setHighlightSections(false);
    setMouseTracking(true);
}

QRect ClientsHeader::checkBoxRectIn(const QRect& sectionRect) const
{
    QStyleOptionButton option;
    const QSize size = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this).size();
    return QRect(sectionRect.left() + 4, sectionRect.top() + (sectionRect.height() - size.height()) / 2,
                 size.width(), size.height());
}

QRect ClientsHeader::checkBoxRect(int logical) const
{
    if (!m_checkState || m_checkState(logical) < 0 || isSectionHidden(logical))
        return {};
    const QRect section(sectionViewportPosition(logical), 0, sectionSize(logical), viewport()->height());
    return checkBoxRectIn(section);
}

int ClientsHeader::checkBoxAt(const QPoint& pos) const
{
    const int logical = logicalIndexAt(pos);
    return logical >= 0 && checkBoxRect(logical).contains(pos) ? logical : -1;
}

QString ClientsHeader::hintAt(const QPoint& pos) const
{
    if (pos.y() < 0 || pos.y() >= height())
        return QString();
    switch (logicalIndexAt(pos)) {
    case CK_Write:
        return tr_id(28);
    case CK_Config:
        return tr_id(29);
    default:
        return QString();
    }
}

void ClientsHeader::paintSection(QPainter* painter, const QRect& rect, int logical) const
{
    painter->save();
    QHeaderView::paintSection(painter, rect, logical);
    painter->restore();
    const int state = m_checkState ? m_checkState(logical) : -1;
    if (state < 0)
        return;
    QStyleOptionButton option;
    option.rect = checkBoxRectIn(rect);
    option.state = QStyle::State_Enabled | (state ? QStyle::State_On : QStyle::State_Off);
    style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, painter, this);
}

void ClientsHeader::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressedCheck = checkBoxAt(event->position().toPoint());
        if (m_pressedCheck >= 0) {
            event->accept();
            return;
        }
    }
    QHeaderView::mousePressEvent(event);
}

void ClientsHeader::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton && m_pressedCheck >= 0) {
        const int logical = m_pressedCheck;
        m_pressedCheck = -1;
        if (checkBoxAt(pos) == logical)
            emit checkToggled(logical, m_checkState(logical) == 0);
        event->accept();
        return;
    }
    if (event->button() == Qt::RightButton) {
        QHeaderView::mouseReleaseEvent(event);
        emit popupRequested(event->globalPosition().toPoint());
        return;
    }
    // The rights columns are not sorted: their click leaves the indicator where it was.
    const int sortSection = sortIndicatorSection();
    const Qt::SortOrder sortOrder = sortIndicatorOrder();
    QHeaderView::mouseReleaseEvent(event);
    if (sortIndicatorSection() != sortSection || sortIndicatorOrder() != sortOrder) {
        if (ColumnLayout::isRights(sortIndicatorSection())) {
            const QSignalBlocker blocker(this);
            setSortIndicator(sortSection, sortOrder);
        }
    }
}

bool ClientsHeader::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString hint = hintAt(help->pos());
        if (hint.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), hint, viewport());
        return true;
    }
    return QHeaderView::viewportEvent(event);
}

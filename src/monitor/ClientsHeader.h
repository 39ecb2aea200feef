#pragma once

#include <QHeaderView>
#include <functional>

// The clients grid's header: check boxes drawn in the two rights cells, hints
// over them, a right-button release that asks for the column popup, and no
// sorting on the rights columns.
class ClientsHeader : public QHeaderView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ClientsHeader)

public:
    // -1: the section has no check box; otherwise the box's state.
    using CheckState = std::function<int(int logical)>;

    explicit ClientsHeader(QWidget* parent = nullptr);

    void setCheckState(CheckState checkState) { m_checkState = std::move(checkState); }
    // Where a section's check box is drawn, in viewport coordinates.
    QRect checkBoxRect(int logical) const;
    // The hint shown at a point of the viewport.
    QString hintAt(const QPoint& pos) const;

signals:
    void checkToggled(int logical, bool checked);
    void popupRequested(const QPoint& globalPos);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logical) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    QRect checkBoxRectIn(const QRect& sectionRect) const;
    int checkBoxAt(const QPoint& pos) const;

    CheckState m_checkState;
    int m_pressedCheck = -1;
};

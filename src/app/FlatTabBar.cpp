#include "app/FlatTabBar.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

FlatTabBar::FlatTabBar(QWidget* parent)
    : QTabBar(parent)
{
    setDrawBase(false);
    setExpanding(false);
}

QString FlatTabBar::plainCaption(const QString& caption, int* underlined)
{
    QString plain;
    int mark = -1;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&')) {
            if (i + 1 < caption.size() && mark < 0) {
                mark = int(plain.size());
            }
            continue;
        }
        plain += caption.at(i);
    }
    if (mark >= plain.size()) {
        mark = -1;
    }
    if (underlined) {
        *underlined = mark;
    }
    return plain;
}

void FlatTabBar::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    for (int i = 0; i < count(); ++i) {
        if (!isTabVisible(i)) {
            continue;
        }
        const QRect r = tabRect(i);
        QStyleOptionButton button;
        button.initFrom(this);
        button.rect = r.adjusted(1, 1, -1, -1);
        button.state = QStyle::State_Enabled | (i == currentIndex() ? QStyle::State_Sunken : QStyle::State_Raised);
        button.features = QStyleOptionButton::Flat;
        painter.drawControl(QStyle::CE_PushButtonBevel, button);

        int underlined = -1;
        const QString text = plainCaption(tabText(i), &underlined);
        const QFontMetrics fm(font());
        const int x = r.left() + (r.width() - fm.horizontalAdvance(text)) / 2;
        int y = r.top() + (r.height() - fm.height()) / 2 + fm.ascent();
        if (i != currentIndex()) {
            y += 2;
        }
        const bool black = isTabEnabled(i) || i == m_alwaysBlack;
        painter.setPen(black ? QColor(Qt::black) : QColor(128, 128, 128));
        int cx = x;
        for (int c = 0; c < text.size(); ++c) {
            QFont f = font();
            f.setUnderline(c == underlined);
            painter.setFont(f);
            painter.drawText(cx, y, QString(text.at(c)));
            cx += QFontMetrics(f).horizontalAdvance(text.at(c));
        }
    }
}

#pragma once

#include <QTabBar>
#include <QTabWidget>

// Tab headers drawn as flat buttons: the caption without "&", centred, the
// active tab's text centred vertically and the others 2 pixels lower, the
// character after "&" underlined; grey only for a disabled page other than
// the server page.
class FlatTabBar : public QTabBar
{
    Q_OBJECT
public:
    explicit FlatTabBar(QWidget* parent = nullptr);
    FlatTabBar(const FlatTabBar&) = delete;
    FlatTabBar& operator=(const FlatTabBar&) = delete;

    void setAlwaysBlackTab(int index) { m_alwaysBlack = index; }

    // The caption without its "&" characters, and the index in it of the
    // underlined character (-1 for none).
    static QString plainCaption(const QString& caption, int* underlined);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_alwaysBlack = -1;
};

// A page control whose tab headers are a FlatTabBar.
class FlatTabWidget : public QTabWidget
{
    Q_OBJECT
public:
    explicit FlatTabWidget(QWidget* parent = nullptr)
        : QTabWidget(parent)
        , m_bar(new FlatTabBar)
    {
        setTabBar(m_bar);
    }
    FlatTabWidget(const FlatTabWidget&) = delete;
    FlatTabWidget& operator=(const FlatTabWidget&) = delete;

    FlatTabBar* flatTabBar() const { return m_bar; }

private:
    FlatTabBar* m_bar;
};

#pragma once

#include <QGroupBox>
#include <QList>

class QRadioButton;

// A captioned group of radio buttons addressed by item index, -1 for none.
class RadioGroup : public QGroupBox
{
    Q_OBJECT

public:
    explicit RadioGroup(QWidget* parent = nullptr);
    RadioGroup(const RadioGroup&) = delete;
    RadioGroup& operator=(const RadioGroup&) = delete;
    RadioGroup(RadioGroup&&) = delete;
    RadioGroup& operator=(RadioGroup&&) = delete;

    QRadioButton* addItem(const QString& text, int tag);
    int count() const { return int(m_items.size()); }
    QRadioButton* item(int index) const { return m_items.value(index); }
    int ItemIndex() const;
    void setItemIndex(int index);

signals:
    void itemClicked(); // the user picked an item

private:
    QList<QRadioButton*> m_items;
};

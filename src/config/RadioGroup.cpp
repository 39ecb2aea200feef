#include "config/RadioGroup.h"

#include "i18n/FTLanguage.h"

#include <QRadioButton>
#include <QVBoxLayout>

RadioGroup::RadioGroup(QWidget* parent) : QGroupBox(parent)
{
    setProperty("radioGroup", true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->setSpacing(2);
}

QRadioButton* RadioGroup::addItem(const QString& text, int tag)
{
    auto* button = new QRadioButton(text, this);
    TFTLanguage::setTag(button, tag);
    layout()->addWidget(button);
    m_items.append(button);
    connect(button, &QRadioButton::clicked, this, &RadioGroup::itemClicked);
    return button;
}

int RadioGroup::ItemIndex() const
{
    for (int i = 0; i < m_items.size(); ++i) {
        if (m_items[i]->isChecked())
            return i;
    }
    return -1;
}

void RadioGroup::setItemIndex(int index)
{
    for (int i = 0; i < m_items.size(); ++i) {
        // Exclusivity would keep one button checked; clear them one by one instead.
        m_items[i]->setAutoExclusive(false);
        m_items[i]->setChecked(i == index);
        m_items[i]->setAutoExclusive(true);
    }
}

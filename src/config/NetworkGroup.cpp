#include "config/NetworkGroup.h"

#include "config/StdSpinEdit.h"
#include "i18n/FTLanguage.h"

#include <QLabel>
#include <QPalette>
#include <QPushButton>

namespace {

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, int tag, int x, int y)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    if (tag != 0)
        TFTLanguage::setTag(label, tag);
    label->move(x, y);
    label->adjustSize();
    return label;
}

TStdSpinEdit* makePortEdit(QWidget* parent, const char* name, int y)
{
    auto* edit = new TStdSpinEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMax(99999);
    edit->setMin(1);
    edit->setDefaultValue(1);
    edit->setPosition(1025);
    edit->setGeometry(120, y, 80, edit->sizeHint().height());
    return edit;
}

} // namespace

NetworkGroup::NetworkGroup(QWidget* parent) : QGroupBox(parent)
{
    setObjectName(QStringLiteral("NetworkGroup"));
    setTitle(QStringLiteral("Network settings:"));
    TFTLanguage::setTag(this, 90);
    resize(400, DesignedHeight);

    PortLbl = makeLabel(this, "PortLbl", QStringLiteral("TCP port to use:"), 91, 12, 27);
    PortEdit = makePortEdit(this, "PortEdit", 24);
    UDPPortLbl = makeLabel(this, "UDPPortLbl", QStringLiteral("UDP port to use:"), 94, 12, 55);
    UDPPortEdit = makePortEdit(this, "UDPPortEdit", 52);
    UDPPortEdit->setEditColor(palette().color(QPalette::Inactive, QPalette::Window));
    TCPStatCaptionLbl = makeLabel(this, "TCPStatCaptionLbl", QStringLiteral("TCP Status:"), 640, 12, 84);
    TCPStatLbl = makeLabel(this, "TCPStatLbl", QString(), 0, 100, 84);

    PassBtn = new QPushButton(QStringLiteral("Set or change password"), this);
    PassBtn->setObjectName(QStringLiteral("PassBtn"));
    placePassButton();
    alignCaptions();
}

void NetworkGroup::alignCaptions()
{
    const auto placeAfter = [](QLabel* caption, QWidget* field) {
        caption->adjustSize();
        field->move(caption->x() + caption->width() + 6, field->y());
    };
    placeAfter(PortLbl, PortEdit);
    placeAfter(UDPPortLbl, UDPPortEdit);
    placeAfter(TCPStatCaptionLbl, TCPStatLbl);
    placePassButton();
}

void NetworkGroup::placePassButton()
{
    // The status text is written by the window's refresh; give it the rest of the line.
    TCPStatLbl->resize(qMax(width() - TCPStatLbl->x() - 12, 50), TCPStatCaptionLbl->height());
    PassBtn->resize(qMax(PassBtn->sizeHint().width(), 150), PassBtn->sizeHint().height());
    PassBtn->move(qMax(width() - PassBtn->width() - 12, UDPPortEdit->x() + UDPPortEdit->width() + 12), 50);
}

void NetworkGroup::resizeEvent(QResizeEvent* event)
{
    QGroupBox::resizeEvent(event);
    placePassButton();
}

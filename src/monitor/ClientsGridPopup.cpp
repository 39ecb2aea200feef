// The column popup of the clients grid: one item per column kind, opened by
// a right click in the header.
#include "ClientsGrid.h"

#include "MonitorHost.h"
#include "i18n/FTLanguage.h"

#include <QMenu>
#include <algorithm>

namespace {

const char* const kMenuNames[ColumnKindCount] = {"WAMenu",  "CAMenu", "IPMenu", "CNMenu",
                                                 "VerMenu", "TSMenu", "MSMenu", "StatMenu"};

} // namespace

void ClientsGrid::buildPopup()
{
    m_colPopup = new QMenu(this);
    m_colPopup->setObjectName(QStringLiteral("ColPopup"));
    for (int kind = 0; kind < ColumnKindCount; ++kind) {
        QAction* item =
            m_colPopup->addAction(kind == CK_Status ? tr_id(33) : tr_id(ColumnLayout::headerTextId(kind)));
        item->setObjectName(QLatin1String(kMenuNames[kind]));
        item->setCheckable(true);
        item->setVisible(kind == CK_IP || kind == CK_Ver || ColumnLayout::isStatistics(kind));
        connect(item, &QAction::triggered, this, [this, item] { columnChooserClicked(item); });
    }
    connect(m_colPopup, &QMenu::aboutToShow, this, &ClientsGrid::preparePopup);
}

void ClientsGrid::preparePopup()
{
    const bool connected = m_host.isConnected();
    for (QAction* item : m_colPopup->actions()) {
        const int kind = int(m_colPopup->actions().indexOf(item));
        item->setChecked(m_layout.ColVisAr[size_t(kind)]);
        if (ColumnLayout::isStatistics(kind))
            item->setEnabled(connected);
    }
}

void ClientsGrid::columnChooserClicked(QObject* item)
{
    auto* action = qobject_cast<QAction*>(item);
    if (!action)
        return;
    const auto* begin = std::begin(kMenuNames);
    const auto* found = std::find_if(begin, std::end(kMenuNames), [&](const char* name) {
        return action->objectName() == QLatin1String(name);
    });
    if (found == std::end(kMenuNames))
        return;
    const int kind = int(found - begin);
    // Showing or hiding these switches the server's statistics.
    if (!(ColumnLayout::isStatistics(kind) && !m_host.isConnected()))
        ToggleColumnKind(kind);
    action->setChecked(m_layout.ColVisAr[size_t(kind)]);
}

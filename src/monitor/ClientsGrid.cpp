#include "ClientsGrid.h"

#include "ClientMonitor.h"
#include "ClientsHeader.h"
#include "MonitorHost.h"
#include "i18n/FTLanguage.h"

#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>

namespace {

constexpr int ButtonWidth = 30;
constexpr int ButtonHeight = 15;
constexpr int ButtonMargin = 4;
constexpr int RowHeight = 21;

// Programmatic header changes must not run the handlers meant for the user's.
struct Adjusting
{
    explicit Adjusting(int& depth) : m_depth(depth) { ++m_depth; }
    ~Adjusting() { --m_depth; }
    Adjusting(const Adjusting&) = delete;
    Adjusting& operator=(const Adjusting&) = delete;
    int& m_depth;
};

} // namespace

void ClientsDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const QVariant foreground = index.data(Qt::ForegroundRole);
    if (!foreground.isValid())
        return;
    const QColor colour = foreground.value<QColor>();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        option->palette.setColor(group, QPalette::Text, colour);
        option->palette.setColor(group, QPalette::HighlightedText, colour);
    }
}

ClientsGrid::ClientsGrid(ClientMonitor& monitor, MonitorHost& host, QWidget* parent)
    : QTableView(parent), m_monitor(monitor), m_host(host)
{
    setObjectName(QStringLiteral("ClientsList"));
    m_header = new ClientsHeader(this);
    setHorizontalHeader(m_header);
    setModel(&monitor.model());
    setItemDelegate(new ClientsDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(RowHeight);
    QFont bold = m_header->font();
    bold.setBold(true);
    m_header->setFont(bold);
    m_header->setMinimumSectionSize(0);
    m_header->setCheckState([this](int logical) {
        if (logical == CK_Write)
            return int(m_monitor.defaultWrite());
        if (logical == CK_Config)
            return int(m_monitor.defaultConfig());
        return -1;
    });

    m_setWriteBtn = new QPushButton(m_header->viewport());
    m_setWriteBtn->setObjectName(QStringLiteral("SetWriteBtn"));
    m_setConfigBtn = new QPushButton(m_header->viewport());
    m_setConfigBtn->setObjectName(QStringLiteral("SetConfigBtn"));
    for (QPushButton* button : {m_setWriteBtn, m_setConfigBtn}) {
        button->setFixedSize(ButtonWidth, ButtonHeight);
        button->setText(tr_id(22));
        button->setFocusPolicy(Qt::NoFocus);
    }
    connect(m_setWriteBtn, &QPushButton::clicked, &m_monitor, &ClientMonitor::SetAllWrite);
    connect(m_setConfigBtn, &QPushButton::clicked, &m_monitor, &ClientMonitor::SetAllConfig);

    connect(m_header, &ClientsHeader::checkToggled, &m_monitor, &ClientMonitor::headerCheckClicked);
    connect(m_header, &ClientsHeader::popupRequested, this,
            [this](const QPoint& pos) { m_colPopup->popup(pos); });
    connect(m_header, &QHeaderView::sectionResized, this, &ClientsGrid::columnResized);
    connect(m_header, &QHeaderView::sectionMoved, this, &ClientsGrid::columnMoved);
    connect(m_header, &QHeaderView::sectionClicked, this, &ClientsGrid::sectionClicked);
    connect(m_header, &QHeaderView::geometriesChanged, this, &ClientsGrid::placeHeaderButtons);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &ClientsGrid::placeHeaderButtons);
    connect(&m_monitor, &ClientMonitor::defaultsChanged, m_header->viewport(), qOverload<>(&QWidget::update));
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ClientsGrid::selectionChangedForButtons);

    buildPopup();
    m_monitor.setGrid(this);
}

ClientsGrid::~ClientsGrid()
{
    // The header and the scroll bar outlive this part of the object while the
    // base class hides them; their signals must not reach it any more.
    m_header->disconnect(this);
    horizontalScrollBar()->disconnect(this);
    m_monitor.disconnect(this);
    m_monitor.setGrid(nullptr);
}

void ClientsGrid::SetupClientsGrid(const ColumnLayout& layout)
{
    m_layout = layout;
    m_layout.normalize();
    {
        const Adjusting guard(m_adjusting);
        for (int pos = 0; pos < ColumnKindCount; ++pos) {
            const int kind = m_layout.ColTypesAr[size_t(pos)];
            m_header->moveSection(m_header->visualIndex(kind), pos);
        }
        for (int kind = 0; kind < ColumnKindCount; ++kind) {
            if (ColumnLayout::isRights(kind)) {
                m_header->setSectionResizeMode(kind, QHeaderView::Fixed);
                setKindWidth(kind, RightsColumnWidth);
                m_layout.ColVisAr[size_t(kind)] = true;
            } else if (m_layout.ColVisAr[size_t(kind)]) {
                setKindWidth(kind, m_layout.ColSizesAr[size_t(kind)]);
            } else {
                m_header->setSectionHidden(kind, true);
            }
        }
        m_header->setSortIndicator(m_layout.ColTypesAr[size_t(m_layout.sortPosition)],
                                   m_layout.sortAscending ? Qt::AscendingOrder : Qt::DescendingOrder);
    }
    m_monitor.initDoStats(m_layout.statisticsVisible());
    ApplyColumnLayout();
}

ColumnLayout ClientsGrid::columnLayout() const
{
    ColumnLayout layout = m_layout;
    const int sortSection = m_header->sortIndicatorSection();
    layout.sortPosition =
        sortSection >= 0 && sortSection < ColumnKindCount ? m_header->visualIndex(sortSection) : 2;
    layout.sortAscending = m_header->sortIndicatorOrder() == Qt::AscendingOrder;
    return layout;
}

void ClientsGrid::setKindWidth(int kind, int width)
{
    const Adjusting guard(m_adjusting);
    m_header->setSectionHidden(kind, false);
    m_header->resizeSection(kind, width);
}

int ClientsGrid::ColumnOfKind(int kind) const
{
    if (kind < 0 || kind >= ColumnKindCount)
        return -1;
    return m_header->visualIndex(kind);
}

int ClientsGrid::widthAt(int position) const
{
    const int kind = m_header->logicalIndex(position);
    return kind < 0 || m_header->isSectionHidden(kind) ? 0 : m_header->sectionSize(kind);
}

int ClientsGrid::ClientIndexOfRow(int row) const
{
    return m_monitor.model().recordOfRow(row);
}

void ClientsGrid::RefreshClientRow(int row)
{
    m_monitor.model().recordChanged(ClientIndexOfRow(row));
}

void ClientsGrid::ApplyColumnLayout()
{
    for (int pos = 0; pos < ColumnKindCount; ++pos)
        m_layout.ColTypesAr[size_t(pos)] = m_header->logicalIndex(pos);
    // The computer-name column takes the width that is left.
    for (int kind = 0; kind < ColumnKindCount; ++kind) {
        if (!ColumnLayout::isRights(kind))
            m_header->setSectionResizeMode(kind,
                                           kind == CK_Comp ? QHeaderView::Stretch : QHeaderView::Interactive);
    }
    m_header->viewport()->update();
    placeHeaderButtons();
}

void ClientsGrid::MoveColumnKind(int from, int to)
{
    if (from != to) {
        const Adjusting guard(m_adjusting);
        m_header->moveSection(from, to);
    }
    ApplyColumnLayout();
}

void ClientsGrid::columnMoved(int, int, int)
{
    if (m_adjusting)
        return;
    ApplyColumnLayout();
}

void ClientsGrid::columnResized(int logical, int, int newSize)
{
    if (m_adjusting || m_header->isSectionHidden(logical)) {
        placeHeaderButtons();
        return;
    }
    if (ColumnLayout::isRights(logical)) {
        if (newSize != RightsColumnWidth)
            setKindWidth(logical, RightsColumnWidth);
    } else if (logical != CK_Comp) {
        if (newSize < MinColumnWidth)
            setKindWidth(logical, MinColumnWidth);
        m_layout.ColSizesAr[size_t(logical)] = std::max(newSize, MinColumnWidth);
    }
    placeHeaderButtons();
}

void ClientsGrid::setKindVisible(int kind, bool visible)
{
    if (visible) {
        setKindWidth(kind, ColumnLayout::defaultWidth(kind));
        m_layout.ColSizesAr[size_t(kind)] = ColumnLayout::defaultWidth(kind);
    } else {
        const Adjusting guard(m_adjusting);
        m_header->setSectionHidden(kind, true);
    }
    m_layout.ColVisAr[size_t(kind)] = visible;
}

void ClientsGrid::ToggleColumnKind(int kind)
{
    if (kind < 0 || kind >= ColumnKindCount)
        return;
    setKindVisible(kind, !m_layout.ColVisAr[size_t(kind)]);
    ApplyColumnLayout();
    if (ColumnLayout::isStatistics(kind))
        m_monitor.SetDoStats(m_layout.statisticsVisible());
}

void ClientsGrid::hideStatisticsColumns()
{
    for (int kind : {int(CK_TimeSaved), int(CK_MoneySaved)}) {
        if (m_layout.ColVisAr[size_t(kind)])
            setKindVisible(kind, false);
    }
    ApplyColumnLayout();
}

void ClientsGrid::sectionClicked(int logical)
{
    if (ColumnLayout::isRights(logical))
        return;
    m_monitor.model().sort(logical, m_header->sortIndicatorOrder());
}

void ClientsGrid::placeButton(QPushButton* button, int kind)
{
    if (m_header->isSectionHidden(kind) || m_header->visualIndex(kind) < 0) {
        button->hide();
        return;
    }
    const int left = m_header->sectionViewportPosition(kind);
    const int width = m_header->sectionSize(kind);
    const int x = left + width - ButtonWidth - ButtonMargin;
    button->move(x, (m_header->height() - ButtonHeight) / 2 - 2);
    button->setVisible(left >= 0 && x < m_header->viewport()->width());
}

void ClientsGrid::placeHeaderButtons()
{
    placeButton(m_setWriteBtn, CK_Write);
    placeButton(m_setConfigBtn, CK_Config);
}

void ClientsGrid::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    placeHeaderButtons();
}

void ClientsGrid::showEvent(QShowEvent* event)
{
    QTableView::showEvent(event);
    placeHeaderButtons();
}

void ClientsGrid::selectFirstRowIfNone()
{
    if (model()->rowCount() > 0 && !selectionModel()->hasSelection())
        selectRow(0);
}

std::vector<int> ClientsGrid::selectedRecordsBottomUp() const
{
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end(), std::greater<>());
    std::vector<int> records;
    records.reserve(rows.size());
    for (int row : rows)
        records.push_back(ClientIndexOfRow(row));
    return records;
}

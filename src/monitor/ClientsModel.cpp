#include "ClientsModel.h"

#include "ClientParsing.h"
#include "ColumnLayout.h"
#include "i18n/FTLanguage.h"

#include <QColor>
#include <algorithm>

ClientsModel::ClientsModel(const ClientList& list, StatusText statusText, QObject* parent)
    : QAbstractTableModel(parent), m_list(list), m_statusText(std::move(statusText))
{
}

int ClientsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_order.size());
}

int ClientsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnKindCount;
}

QColor ClientsModel::greyColor()
{
    return QColor(128, 128, 128);
}

QString ClientsModel::cellText(int recordIndex, int kind) const
{
    const ClientRec& rec = m_list.at(recordIndex);
    switch (kind) {
    case CK_IP:
        return rec.IP;
    case CK_Comp:
        return rec.Comp;
    case CK_Ver:
        return rec.Ver;
    case CK_TimeSaved:
        return ClientParsing::SecondsToText(ClientParsing::intOr(rec.TimeSaved, 0));
    case CK_MoneySaved:
        return rec.MoneySaved;
    case CK_Status:
        return m_statusText ? m_statusText(recordIndex) : QString();
    default:
        return QString();
    }
}

QVariant ClientsModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const int recordIndex = m_order[size_t(index.row())];
    const int kind = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return ColumnLayout::isRights(kind) ? QVariant() : QVariant(cellText(recordIndex, kind));
    case Qt::CheckStateRole:
        if (kind == CK_Write)
            return m_list.at(recordIndex).CanWrite ? Qt::Checked : Qt::Unchecked;
        if (kind == CK_Config)
            return m_list.at(recordIndex).CanConfig ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::ForegroundRole:
        return m_list.at(recordIndex).Connected ? QColor(Qt::black) : greyColor();
    default:
        return {};
    }
}

QVariant ClientsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnKindCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return tr_id(ColumnLayout::headerTextId(section));
    return {};
}

Qt::ItemFlags ClientsModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (ColumnLayout::isRights(index.column()))
        f |= Qt::ItemIsUserCheckable;
    return f;
}

bool ClientsModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole || !checkIndex(index, CheckIndexOption::IndexIsValid) ||
        !ColumnLayout::isRights(index.column()))
        return false;
    const bool checked = value.toInt() == Qt::Checked;
    emit checkClicked(m_order[size_t(index.row())], index.column(), checked);
    return true;
}

void ClientsModel::recordsAppended()
{
    const int first = int(m_order.size());
    const int last = m_list.size() - 1;
    if (last < first)
        return;
    beginInsertRows(QModelIndex(), first, last);
    for (int i = first; i <= last; ++i) {
        m_order.push_back(i);
        m_rowOf.push_back(i);
    }
    endInsertRows();
}

void ClientsModel::recordChanged(int recordIndex)
{
    const int row = rowOfRecord(recordIndex);
    if (row >= 0)
        emit dataChanged(index(row, 0), index(row, ColumnKindCount - 1));
}

void ClientsModel::allRecordsChanged()
{
    if (!m_order.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnKindCount - 1));
}

void ClientsModel::listCleared()
{
    beginResetModel();
    m_order.clear();
    m_rowOf.clear();
    endResetModel();
}

int ClientsModel::recordOfRow(int row) const
{
    return row >= 0 && row < rowCount() ? m_order[size_t(row)] : -1;
}

int ClientsModel::rowOfRecord(int recordIndex) const
{
    return recordIndex >= 0 && recordIndex < int(m_rowOf.size()) ? m_rowOf[size_t(recordIndex)] : -1;
}

void ClientsModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= ColumnKindCount || ColumnLayout::isRights(column))
        return;
    // Sort keys once per record rather than once per comparison.
    const size_t n = size_t(m_list.size());
    const bool numeric = column == CK_TimeSaved || column == CK_MoneySaved;
    std::vector<QString> texts(numeric ? 0 : n);
    std::vector<double> numbers(numeric ? n : 0);
    std::vector<bool> empty(n);
    for (size_t r = 0; r < n; ++r) {
        const ClientRec& rec = m_list.at(int(r));
        if (column == CK_TimeSaved) {
            numbers[r] = double(ClientParsing::intOr(rec.TimeSaved, 0));
        } else if (column == CK_MoneySaved) {
            numbers[r] = ClientParsing::moneyValue(rec.MoneySaved).value_or(0.0);
            empty[r] = rec.MoneySaved.isEmpty();
        } else {
            texts[r] = cellText(int(r), column);
            empty[r] = texts[r].isEmpty();
        }
    }

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList persistent = persistentIndexList();
    std::vector<int> persistentRecords;
    persistentRecords.reserve(size_t(persistent.size()));
    for (const QModelIndex& idx : persistent)
        persistentRecords.push_back(m_order[size_t(idx.row())]);

    const bool ascending = order == Qt::AscendingOrder;
    std::stable_sort(m_order.begin(), m_order.end(), [&](int a, int b) {
        // Empty cells go last in both directions.
        if (empty[size_t(a)] != empty[size_t(b)])
            return !empty[size_t(a)];
        int c = 0;
        if (numeric)
            c = numbers[size_t(a)] < numbers[size_t(b)]   ? -1
                : numbers[size_t(a)] > numbers[size_t(b)] ? 1
                                                          : 0;
        else
            c = texts[size_t(a)].compare(texts[size_t(b)], Qt::CaseInsensitive);
        return ascending ? c < 0 : c > 0;
    });
    for (size_t row = 0; row < m_order.size(); ++row)
        m_rowOf[size_t(m_order[row])] = int(row);

    QModelIndexList moved;
    moved.reserve(persistent.size());
    for (qsizetype i = 0; i < persistent.size(); ++i)
        moved.append(index(m_rowOf[size_t(persistentRecords[size_t(i)])], persistent[i].column()));
    changePersistentIndexList(persistent, moved);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

#pragma once

#include "ClientList.h"

#include <QAbstractTableModel>
#include <functional>
#include <vector>

// The clients grid's rows: one per record, one column per ColumnKind (the
// header view's visual order gives the positions). Rows keep the order of
// arrival until sort() is asked for; new records are appended at the bottom.
class ClientsModel : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ClientsModel)

public:
    using StatusText = std::function<QString(int recordIndex)>;

    ClientsModel(const ClientList& list, StatusText statusText, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // A click on a rights check box: reported by checkClicked; the record,
    // not the model, decides what the box shows.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // Records appended to the list since the last call become rows.
    void recordsAppended();
    void recordChanged(int recordIndex);
    void allRecordsChanged();
    void listCleared();

    int recordOfRow(int row) const;
    int rowOfRecord(int recordIndex) const;

    static QColor greyColor();

signals:
    void checkClicked(int recordIndex, int kind, bool checked);

private:
    QString cellText(int recordIndex, int kind) const;

    const ClientList& m_list;
    StatusText m_statusText;
    std::vector<int> m_order; // row -> record
    std::vector<int> m_rowOf; // record -> row
};

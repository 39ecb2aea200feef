#pragma once

#include "ColumnLayout.h"

#include <QStyledItemDelegate>
#include <QTableView>
#include <vector>

class ClientMonitor;
class ClientsHeader;
class MonitorHost;
class QMenu;
class QPushButton;

// Draws a disconnected client's row grey, the selected row too.
class ClientsDelegate : public QStyledItemDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ClientsDelegate)

public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

// The clients grid "ClientsList": one row per record, one column per kind,
// the header's visual order being the positions of ColTypesAr.
class ClientsGrid : public QTableView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ClientsGrid)

public:
    ClientsGrid(ClientMonitor& monitor, MonitorHost& host, QWidget* parent = nullptr);
    ~ClientsGrid() override;

    // Builds the columns from a loaded layout (the default when none was loaded).
    void SetupClientsGrid(const ColumnLayout& layout = ColumnLayout());
    // The layout as it stands, for the settings file.
    ColumnLayout columnLayout() const;

    int ColumnOfKind(int kind) const;
    // The record shown in a client row (rows counted from 0); -1 if none.
    int ClientIndexOfRow(int row) const;
    void RefreshClientRow(int row);
    void ApplyColumnLayout();
    void MoveColumnKind(int from, int to);
    void ToggleColumnKind(int kind);
    void hideStatisticsColumns();
    // A column popup item was chosen.
    void columnChooserClicked(QObject* item);

    void selectFirstRowIfNone();
    // The selected records, the bottom row first.
    std::vector<int> selectedRecordsBottomUp() const;

    ClientsHeader* header() const { return m_header; }
    QPushButton* SetWriteBtn() const { return m_setWriteBtn; }
    QPushButton* SetConfigBtn() const { return m_setConfigBtn; }
    QMenu* ColPopup() const { return m_colPopup; }
    // Width of the column at a position; 0 when hidden.
    int widthAt(int position) const;

signals:
    void selectionChangedForButtons();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void columnResized(int logical, int oldSize, int newSize);
    void columnMoved(int logical, int from, int to);
    void sectionClicked(int logical);
    void placeHeaderButtons();
    void placeButton(QPushButton* button, int kind);
    void setKindWidth(int kind, int width);
    void buildPopup();
    void preparePopup();
    void setKindVisible(int kind, bool visible);

    ClientMonitor& m_monitor;
    MonitorHost& m_host;
    ClientsHeader* m_header = nullptr;
    QPushButton* m_setWriteBtn = nullptr;
    QPushButton* m_setConfigBtn = nullptr;
    QMenu* m_colPopup = nullptr;
    ColumnLayout m_layout;
    int m_adjusting = 0;
};

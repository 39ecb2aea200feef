#pragma once

#include "ClientList.h"
#include "ClientsModel.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

class ClientsGrid;
class MonitorHost;

// The console's model of the client workstations: the records built from the
// server's replies, the phrase-file editing state, the defaults for new
// clients, the statistics switch, and the commands that change rights and
// blocking. Lives on the window's thread.
class ClientMonitor : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ClientMonitor)

public:
    explicit ClientMonitor(MonitorHost& host, QObject* parent = nullptr);
    ~ClientMonitor() override;

    // Applies one reply. True when it was one of ours and the window refresh
    // should follow. A "block" reply with a bad flag throws std::runtime_error.
    bool handleReply(int code, const QString& arg);

    const ClientList& cList() const { return m_list; }
    // The grid's model, with every record received so far as a row.
    ClientsModel& model();
    int fclCount() const { return m_clCount; }
    bool fIsReadOnly() const { return m_isReadOnly; }
    const QString& fEditingBy() const { return m_editingBy; }
    bool fDoStats() const { return m_doStats; }
    const QStringList& NC_List() const { return m_ncList; }
    bool defaultWrite() const { return m_defWrite; }
    bool defaultConfig() const { return m_defConfig; }

    void AddOrUpdateClient(const ClientRec& rec);
    void MarkClientDisconnected(const QString& comp);
    void SetClientBlocked(const QString& comp, bool flag);
    void SetClientStats(const QString& comp, const QString& seconds, const QString& money);
    void ClearClientList();
    void SetClientCount(int n);
    void SetEditingBy(const QString& name);

    QString ClientStatusText(int index) const;
    QString TotalTimeSaved() const;
    QString TotalMoneySaved() const;
    QString LowestClientVersion();
    // The phrase-file status label's text.
    QString fileStatusText() const;
    // The totals line under the grid.
    QString totalsText() const;

    // Commands started from the grid and the buttons.
    void SetAllWrite();
    void SetAllConfig();
    void BlockSelected();
    void UnblockSelected();
    bool blockEnabled() const;
    bool unblockEnabled() const;
    void SetDoStats(bool on);
    // The state the loaded column layout implies, before any server talk.
    void initDoStats(bool on) { m_doStats = on; }
    void checkBoxClicked(int recordIndex, int kind, bool checked);
    void headerCheckClicked(int kind, bool checked);

    // The grid registers itself; the monitor works without one.
    void setGrid(ClientsGrid* grid);

signals:
    void defaultsChanged();

private:
    void rowChanged(int index);
    void flushRows();
    bool askRemoveWriteFromEditor();
    void setAllRights(int kind);
    std::vector<int> selectedRecords() const;

    MonitorHost& m_host;
    ClientList m_list;
    ClientsModel m_model;
    ClientsGrid* m_grid = nullptr;
    int m_clCount = 0;
    QStringList m_ncList;
    bool m_isReadOnly = false;
    QString m_editingBy;
    bool m_doStats = true;
    bool m_defWrite = false;
    bool m_defConfig = false;
    QTimer m_totalsTimer;
    QTimer m_rowsTimer;
};

// The commands the administrator starts from the clients grid: rights,
// defaults for new clients, blocking and the statistics switch.
#include "ClientMonitor.h"
#include "ClientsGrid.h"
#include "ColumnLayout.h"
#include "MonitorHost.h"
#include "i18n/FTLanguage.h"
#include "ui/MessageBox.h"

namespace {

QString flagText(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

bool ClientMonitor::askRemoveWriteFromEditor()
{
    return MessageBox::show(m_host.dialogParent(), MessageBox::Question, tr_id(626), tr_id(636),
                            MessageBox::Yes | MessageBox::No) == MessageBox::Yes;
}

void ClientMonitor::checkBoxClicked(int recordIndex, int kind, bool checked)
{
    if (recordIndex < 0 || recordIndex >= m_list.size())
        return;
    const ClientRec& rec = m_list.at(recordIndex);
    const QString comp = rec.Comp;
    bool canWrite = rec.CanWrite;
    bool canConfig = rec.CanConfig;
    // A blocked client's boxes cannot be changed; the row keeps showing the record.
    if (!rec.Blocked) {
        if (kind == CK_Write) {
            if (checked) {
                m_host.SendCommand(QStringLiteral("setwrite:") + comp);
                canWrite = true;
            } else if (comp != m_editingBy || askRemoveWriteFromEditor()) {
                m_host.SendCommand(QStringLiteral("removewrite:") + comp);
                canWrite = false;
            }
        } else if (kind == CK_Config) {
            m_host.SendCommand((checked ? QStringLiteral("setconfig:") : QStringLiteral("removeconfig:")) +
                               comp);
            canConfig = checked;
        }
        m_list.setRights(recordIndex, canWrite, canConfig);
    }
    m_model.recordChanged(recordIndex);
}

void ClientMonitor::headerCheckClicked(int kind, bool checked)
{
    if (kind == CK_Write) {
        m_defWrite = checked;
        m_host.SendCommand(QStringLiteral("setdefwrite:") + flagText(checked));
    } else if (kind == CK_Config) {
        m_defConfig = checked;
        m_host.SendCommand(QStringLiteral("setdefconfig:") + flagText(checked));
    } else {
        return;
    }
    emit defaultsChanged();
}

void ClientMonitor::setAllRights(int kind)
{
    const bool state = kind == CK_Write ? m_defWrite : m_defConfig;
    flushRows();
    for (int row = m_model.rowCount() - 1; row >= 0; --row) {
        const int index = m_model.recordOfRow(row);
        const ClientRec& rec = m_list.at(index);
        const QString comp = rec.Comp;
        bool canWrite = rec.CanWrite;
        bool canConfig = rec.CanConfig;
        if (kind == CK_Config) {
            m_host.SendCommand((state ? QStringLiteral("setconfig:") : QStringLiteral("removeconfig:")) +
                               comp);
            canConfig = state;
        } else if (state) {
            m_host.SendCommand(QStringLiteral("setwrite:") + comp);
            canWrite = true;
        } else if (comp != m_editingBy || askRemoveWriteFromEditor()) {
            m_host.SendCommand(QStringLiteral("removewrite:") + comp);
            canWrite = false;
        } else {
            canWrite = true;
        }
        m_list.setRights(index, canWrite, canConfig);
    }
    m_model.allRecordsChanged();
    if (m_grid)
        m_grid->setFocus();
}

void ClientMonitor::SetAllWrite()
{
    setAllRights(CK_Write);
}

void ClientMonitor::SetAllConfig()
{
    setAllRights(CK_Config);
}

std::vector<int> ClientMonitor::selectedRecords() const
{
    return m_grid ? m_grid->selectedRecordsBottomUp() : std::vector<int>();
}

void ClientMonitor::BlockSelected()
{
    QStringList names;
    bool asked = false;
    bool blockConnected = false;
    for (int index : selectedRecords()) {
        const ClientRec& rec = m_list.at(index);
        if (rec.Blocked)
            continue;
        if (rec.Connected) {
            if (!asked) {
                asked = true;
                blockConnected =
                    MessageBox::show(m_host.dialogParent(), MessageBox::Question, tr_id(626), tr_id(656),
                                     MessageBox::Yes | MessageBox::No) == MessageBox::Yes;
            }
            if (!blockConnected)
                continue;
        }
        names.append(rec.Comp);
    }
    for (const QString& name : names)
        m_host.SendCommand(QStringLiteral("block:") + name);
}

void ClientMonitor::UnblockSelected()
{
    QStringList names;
    for (int index : selectedRecords()) {
        if (m_list.at(index).Blocked)
            names.append(m_list.at(index).Comp);
    }
    for (const QString& name : names)
        m_host.SendCommand(QStringLiteral("block:") + name + QStringLiteral(";0"));
}

bool ClientMonitor::blockEnabled() const
{
    for (int index : selectedRecords()) {
        if (!m_list.at(index).Blocked)
            return true;
    }
    return false;
}

bool ClientMonitor::unblockEnabled() const
{
    for (int index : selectedRecords()) {
        if (m_list.at(index).Blocked)
            return true;
    }
    return false;
}

void ClientMonitor::SetDoStats(bool on)
{
    if (on == m_doStats)
        return;
    m_doStats = on;
    if (!on && m_grid)
        m_grid->hideStatisticsColumns();
    m_host.SendCommand(QStringLiteral("setdostats:") + flagText(on));
    m_host.onDoStatsSet(on);
    m_host.RefreshWindowState();
}

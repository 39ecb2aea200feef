#include "ClientMonitor.h"

#include "ClientParsing.h"
#include "ClientsGrid.h"
#include "MonitorHost.h"
#include "i18n/FTLanguage.h"
#include "i18n/TextFormat.h"
#include "link/ReplyCodes.h"
#include "ui/MessageBox.h"

#include <algorithm>
#include <climits>

ClientMonitor::ClientMonitor(MonitorHost& host, QObject* parent)
    : QObject(parent), m_host(host), m_model(m_list, [this](int i) { return ClientStatusText(i); })
{
    connect(&m_model, &ClientsModel::checkClicked, this, &ClientMonitor::checkBoxClicked);
    // The totals line is written once after a burst of row changes, not per row.
    m_totalsTimer.setSingleShot(true);
    m_totalsTimer.setInterval(0);
    connect(&m_totalsTimer, &QTimer::timeout, this, [this] { m_host.SetTotalsText(totalsText()); });
    // New records become rows together after a burst of "cladd" replies.
    m_rowsTimer.setSingleShot(true);
    m_rowsTimer.setInterval(0);
    connect(&m_rowsTimer, &QTimer::timeout, this, &ClientMonitor::flushRows);
}

ClientsModel& ClientMonitor::model()
{
    flushRows();
    return m_model;
}

void ClientMonitor::flushRows()
{
    m_rowsTimer.stop();
    if (m_model.rowCount() == m_list.size())
        return;
    m_model.recordsAppended();
    if (m_grid)
        m_grid->selectFirstRowIfNone();
}

ClientMonitor::~ClientMonitor() = default;

void ClientMonitor::setGrid(ClientsGrid* grid)
{
    m_grid = grid;
}

bool ClientMonitor::handleReply(int code, const QString& arg)
{
    switch (code) {
    case RC_clcount:
        SetClientCount(int(std::clamp<qint64>(ClientParsing::intOr(arg, 0), INT_MIN, INT_MAX)));
        return true;
    case RC_cladd:
        AddOrUpdateClient(ClientParsing::parseClAdd(arg));
        return true;
    case RC_cldel:
        MarkClientDisconnected(arg);
        return true;
    case RC_block: {
        const auto reply = ClientParsing::parseBlock(arg);
        SetClientBlocked(reply.comp, reply.flag);
        return true;
    }
    case RC_stats: {
        const auto stats = ClientParsing::parseStats(arg);
        if (!stats)
            return false;
        SetClientStats(stats->comp, stats->seconds, stats->money);
        return true;
    }
    case RC_ncclient:
        if (!m_ncList.contains(arg, Qt::CaseInsensitive)) {
            m_ncList.append(arg);
            MessageBox::show(m_host.dialogParent(), MessageBox::Information, tr_id(617),
                             formatText(tr_id(646), {arg}), MessageBox::Ok);
        }
        return true;
    case RC_getfilestats: {
        const auto stats = ClientParsing::parseFileStats(arg);
        m_isReadOnly = stats.readOnly;
        SetEditingBy(stats.editingBy);
        m_host.UpdateFileStatus();
        return true;
    }
    case RC_getdefwrite:
        m_defWrite = ClientParsing::byteFlag(arg);
        emit defaultsChanged();
        return true;
    case RC_getdefconfig:
        m_defConfig = ClientParsing::byteFlag(arg);
        emit defaultsChanged();
        return true;
    case RC_getdostats:
        SetDoStats(ClientParsing::byteFlag(arg));
        m_host.onDoStatsSet(m_doStats);
        return true;
    default:
        return false;
    }
}

void ClientMonitor::rowChanged(int index)
{
    m_model.recordChanged(index);
    if (!m_totalsTimer.isActive())
        m_totalsTimer.start();
}

void ClientMonitor::AddOrUpdateClient(const ClientRec& rec)
{
    int index = m_list.indexOfName(rec.Comp);
    if (index >= 0) {
        const bool wasBlocked = m_list.at(index).Blocked;
        m_list.update(index, rec);
        rowChanged(index);
        if (wasBlocked && !rec.Blocked)
            SetClientCount(m_clCount + 1);
        else if (!wasBlocked && rec.Blocked)
            SetClientCount(m_clCount - 1);
        return;
    }
    index = m_list.append(rec);
    if (!m_rowsTimer.isActive())
        m_rowsTimer.start();
    rowChanged(index);
    if (rec.Blocked)
        m_host.RefreshWindowState();
    else
        SetClientCount(m_clCount + 1);
}

void ClientMonitor::MarkClientDisconnected(const QString& comp)
{
    const int index = m_list.indexOfExactName(comp);
    if (index < 0)
        return;
    m_list.setConnected(index, false);
    rowChanged(index);
}

void ClientMonitor::SetClientBlocked(const QString& comp, bool flag)
{
    const int index = m_list.indexOfExactName(comp);
    if (index < 0)
        return;
    m_list.setBlocked(index, flag);
    rowChanged(index);
}

void ClientMonitor::SetClientStats(const QString& comp, const QString& seconds, const QString& money)
{
    const int index = m_list.indexOfName(comp);
    if (index < 0)
        return;
    m_list.setStats(index, seconds, money);
    rowChanged(index);
}

void ClientMonitor::ClearClientList()
{
    SetClientCount(0);
    m_rowsTimer.stop();
    m_list.clear();
    m_model.listCleared();
    if (!m_totalsTimer.isActive())
        m_totalsTimer.start();
}

void ClientMonitor::SetClientCount(int n)
{
    if (n < 0)
        return;
    m_clCount = n;
    m_host.UpdateClientCountLabel();
    m_host.RefreshWindowState();
}

void ClientMonitor::SetEditingBy(const QString& name)
{
    if (name == m_editingBy)
        return;
    const int oldIndex = m_editingBy.isEmpty() ? -1 : m_list.indexOfExactName(m_editingBy);
    m_editingBy = name;
    if (oldIndex >= 0)
        m_model.recordChanged(oldIndex);
    const int newIndex = name.isEmpty() ? -1 : m_list.indexOfExactName(name);
    if (newIndex >= 0)
        m_model.recordChanged(newIndex);
    m_host.UpdateFileStatus();
}

QString ClientMonitor::ClientStatusText(int index) const
{
    if (index < 0 || index >= m_list.size())
        return QString();
    const ClientRec& rec = m_list.at(index);
    if (rec.Blocked)
        return tr_id(43);
    if (!rec.Connected)
        return tr_id(41);
    if (rec.Comp == m_editingBy)
        return tr_id(42);
    return tr_id(40);
}

QString ClientMonitor::TotalTimeSaved() const
{
    return ClientParsing::SecondsToText(m_list.totalSeconds());
}

QString ClientMonitor::TotalMoneySaved() const
{
    return ClientParsing::moneyText(m_list.totalMoney(), QLocale());
}

QString ClientMonitor::LowestClientVersion()
{
    const QString result = m_list.lowestVersion();
    m_host.DoLog(QStringLiteral("MinVer: ") + result);
    return result;
}

QString ClientMonitor::fileStatusText() const
{
    if (m_isReadOnly)
        return tr_id(606);
    if (m_editingBy.isEmpty())
        return tr_id(607);
    const int index = m_list.indexOfExactName(m_editingBy);
    const QString ip = index >= 0 ? m_list.at(index).IP : QString();
    return tr_id(608) + QLatin1Char(' ') + m_editingBy + QStringLiteral(" (") + ip + QLatin1Char(')');
}

QString ClientMonitor::totalsText() const
{
    return formatText(tr_id(647), {TotalTimeSaved(), TotalMoneySaved()});
}

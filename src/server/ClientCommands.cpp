#include "server/ScriboltServer.h"
#include "server/WorkstationSession.h"

namespace {

QString flag(bool b)
{
    return b ? QStringLiteral("1") : QStringLiteral("0");
}

// The flag after "block:NAME;": a number (not zero blocks) or true/false.
bool readBlockFlag(const QString& text, bool* ok)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) {
        *ok = true;
        return true;
    }
    if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) {
        *ok = true;
        return false;
    }
    const double v = t.toDouble(ok);
    return v != 0;
}

} // namespace

bool ScriboltServer::applyClientCommand(ConsoleSession* console, const QString& keyword, const QString& arg)
{
    Q_UNUSED(console)
    if (keyword == QLatin1String("setwrite") || keyword == QLatin1String("removewrite")) {
        changeRight(arg.trimmed(), true, keyword.startsWith(QLatin1String("set")));
    } else if (keyword == QLatin1String("setconfig") || keyword == QLatin1String("removeconfig")) {
        changeRight(arg.trimmed(), false, keyword.startsWith(QLatin1String("set")));
    } else if (keyword == QLatin1String("block")) {
        setBlocked(arg);
    } else {
        return false;
    }
    return true;
}

void ScriboltServer::changeRight(const QString& comp, bool write, bool on)
{
    Workstation* w = m_clients.find(comp);
    if (!w) {
        m_log.add(QStringLiteral("Rights change for unknown workstation %1 ignored").arg(comp.left(64)));
        return;
    }
    bool& right = write ? w->canWrite : w->canConfig;
    if (right != on) {
        right = on;
        m_log.add(QStringLiteral("%1 access %2 for %3")
                      .arg(write ? QStringLiteral("Write") : QStringLiteral("Configuration"),
                           on ? QStringLiteral("granted") : QStringLiteral("removed"), w->comp));
        saveClients();
        if (WorkstationSession* s = m_sessions.value(w->comp.toLower())) {
            s->send({QStringLiteral("rights"), flag(w->canWrite), flag(w->canConfig)});
        }
    }
    const Workstation copy = *w;
    if (write && !on && m_editingBy.compare(copy.comp, Qt::CaseInsensitive) == 0) {
        endEditing(copy.comp);
    }
    pushClient(copy);
}

void ScriboltServer::setBlocked(const QString& arg)
{
    const qsizetype semi = arg.indexOf(QLatin1Char(';'));
    const QString comp = (semi < 0 ? arg : arg.left(semi)).trimmed();
    bool ok = true;
    const bool block = semi < 0 ? true : readBlockFlag(arg.mid(semi + 1), &ok);
    Workstation* w = m_clients.find(comp);
    if (!ok || !w) {
        m_log.add(QStringLiteral("Block command %1 ignored").arg(arg.left(80)));
        return;
    }
    if (w->blocked != block) {
        w->blocked = block;
        m_log.add(QStringLiteral("%1 %2").arg(w->comp, block ? QStringLiteral("blocked")
                                                             : QStringLiteral("unblocked")));
        if (block) {
            if (WorkstationSession* s = m_sessions.take(w->comp.toLower())) {
                w->connected = false;
                if (m_editingBy.compare(w->comp, Qt::CaseInsensitive) == 0) {
                    m_editingBy.clear();
                    pushFileStats();
                }
                s->closeWith({QStringLiteral("blocked")});
            }
        }
        saveClients();
    }
    const Workstation copy = *w;
    broadcast(QStringLiteral("block:%1;%2").arg(copy.comp, flag(copy.blocked)));
    pushClient(copy);
    pushCount();
}

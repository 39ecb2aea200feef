#include "server/PhraseFile.h"
#include "server/ScriboltServer.h"
#include "server/Version.h"
#include "server/WorkstationSession.h"

#include <QTcpSocket>

namespace {

QString flag(bool b)
{
    return b ? QStringLiteral("1") : QStringLiteral("0");
}

QString field(const QStringList& fields, int i)
{
    return i < fields.size() ? fields.at(i) : QString();
}

} // namespace

void ScriboltServer::addWorkstation(QTcpSocket* socket)
{
    auto* session = new WorkstationSession(socket, this);
    connect(session, &WorkstationSession::lineReceived, this, &ScriboltServer::onWorkstationLine);
    connect(session, &WorkstationSession::closed, this, &ScriboltServer::onWorkstationClosed);
}

void ScriboltServer::onWorkstationLine(WorkstationSession* session, const QStringList& fields)
{
    const QString keyword = fields.first().trimmed().toLower();
    if (session->name().isEmpty()) {
        if (keyword == QLatin1String("hello")) {
            onHello(session, fields);
        } else {
            session->closeWith({QStringLiteral("refused"), QStringLiteral("protocol")});
        }
        return;
    }
    if (keyword == QLatin1String("stats")) {
        onStats(session, fields);
    } else if (keyword == QLatin1String("editing")) {
        onEditing(session, field(fields, 1).trimmed() == QLatin1String("1"));
    } else if (keyword == QLatin1String("ping")) {
        session->send({QStringLiteral("pong")});
    } else if (keyword == QLatin1String("bye")) {
        session->closeWith({QStringLiteral("bye")});
    }
    // Anything else comes from a newer workstation and is ignored.
}

void ScriboltServer::onHello(WorkstationSession* session, const QStringList& fields)
{
    const QString comp = field(fields, 1);
    const QString ver = field(fields, 2).trimmed();
    const QString ip = session->peerAddress();
    const auto refuse = [session](const char* reason) {
        session->closeWith({QStringLiteral("refused"), QLatin1String(reason)});
    };
    if (!ClientRegistry::validName(comp)) {
        m_log.add(QStringLiteral("Workstation at %1 refused: unusable name").arg(ip));
        refuse("name");
        return;
    }
    if (Version::toInt(ver) < Version::MinimumPeer) {
        reportOnce(comp.toLower() + QStringLiteral("/version"),
                   QStringLiteral("%1 (%2): client version %3 is too old").arg(comp, ip, ver.left(20)));
        refuse("version");
        return;
    }
    if (m_settings.passMode != 0 && !m_settings.password.isEmpty() &&
        field(fields, 3) != m_settings.password) {
        reportOnce(comp.toLower() + QStringLiteral("/password"),
                   QStringLiteral("%1 (%2): wrong network password").arg(comp, ip));
        refuse("password");
        return;
    }
    Workstation* w = m_clients.find(comp);
    if (w && w->blocked) {
        m_log.add(QStringLiteral("Blocked workstation %1 (%2) refused").arg(w->comp, ip));
        refuse("blocked");
        return;
    }
    if (m_sessions.contains(comp.toLower())) {
        reportOnce(comp.toLower() + QStringLiteral("/duplicate"),
                   QStringLiteral("%1 (%2): another workstation of that name is connected").arg(comp, ip));
        refuse("duplicate");
        return;
    }
    if (!w) {
        w = &m_clients.add(comp, m_settings.defWrite, m_settings.defConfig);
    }
    w->ip = ip;
    w->ver = ver;
    w->connected = true;
    const Workstation copy = *w;
    session->accept(copy.comp);
    m_sessions.insert(copy.comp.toLower(), session);
    saveClients();
    m_log.add(QStringLiteral("Workstation %1 (%2, version %3) connected").arg(copy.comp, ip, ver));
    session->send(
        {QStringLiteral("welcome"), flag(copy.canWrite), flag(copy.canConfig), flag(m_settings.doStats)});
    pushClient(copy);
    pushCount();
}

void ScriboltServer::onStats(WorkstationSession* session, const QStringList& fields)
{
    if (!m_settings.doStats) {
        return;
    }
    bool okSeconds = false;
    bool okMoney = false;
    const qint64 seconds = field(fields, 1).trimmed().toLongLong(&okSeconds);
    const double money =
        QString(field(fields, 2)).replace(QLatin1Char(','), QLatin1Char('.')).trimmed().toDouble(&okMoney);
    Workstation* w = m_clients.find(session->name());
    if (!w || !okSeconds || !okMoney || seconds < 0 || money < 0 || !qIsFinite(money)) {
        return;
    }
    w->timeSaved = seconds;
    w->moneySaved = money;
    const Workstation copy = *w;
    scheduleClientSave();
    broadcast(QStringLiteral("stats:%1;%2;%3;").arg(copy.comp).arg(copy.timeSaved).arg(copy.moneyText()));
}

void ScriboltServer::onEditing(WorkstationSession* session, bool on)
{
    const QString comp = session->name();
    const Workstation* w = m_clients.find(comp);
    if (!on) {
        if (m_editingBy.compare(comp, Qt::CaseInsensitive) == 0) {
            m_editingBy.clear();
            pushFileStats();
        }
        session->send({QStringLiteral("editing"), QStringLiteral("0")});
        return;
    }
    const bool free = m_editingBy.isEmpty() || m_editingBy.compare(comp, Qt::CaseInsensitive) == 0;
    if (!w || !w->canWrite || !free || !PhraseFile::writable(m_settings.phraseFile)) {
        session->send({QStringLiteral("editing"), QStringLiteral("denied")});
        return;
    }
    if (m_editingBy != w->comp) {
        m_editingBy = w->comp;
        m_log.add(QStringLiteral("%1 is editing the phrase file").arg(w->comp));
        pushFileStats();
    }
    session->send({QStringLiteral("editing"), QStringLiteral("1")});
}

void ScriboltServer::endEditing(const QString& comp)
{
    m_editingBy.clear();
    if (WorkstationSession* s = m_sessions.value(comp.toLower())) {
        s->send({QStringLiteral("editing"), QStringLiteral("0")});
    }
    pushFileStats();
}

void ScriboltServer::onWorkstationClosed(WorkstationSession* session)
{
    session->deleteLater();
    const QString key = session->name().toLower();
    if (key.isEmpty() || m_sessions.value(key) != session) {
        return;
    }
    m_sessions.remove(key);
    Workstation* w = m_clients.find(key);
    if (!w) {
        return;
    }
    w->connected = false;
    const QString comp = w->comp;
    m_log.add(QStringLiteral("Workstation %1 disconnected").arg(comp));
    if (m_editingBy.compare(comp, Qt::CaseInsensitive) == 0) {
        m_editingBy.clear();
        pushFileStats();
    }
    scheduleClientSave();
    broadcast(QStringLiteral("cldel:") + comp);
    pushCount();
}

void ScriboltServer::reportOnce(const QString& key, const QString& text)
{
    m_log.add(text);
    if (!m_reported.contains(key)) {
        m_reported.insert(key);
        broadcast(QStringLiteral("ncclient:") + text);
    }
}

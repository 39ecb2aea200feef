#include "server/ClientRegistry.h"

#include "server/AtomicFile.h"

#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

QString Workstation::moneyText() const
{
    return QString::number(moneySaved, 'f', 2);
}

QString Workstation::claddArgument() const
{
    const auto flag = [](bool b) { return b ? QStringLiteral("1") : QStringLiteral("0"); };
    return QStringList{ip,          flag(canWrite),  flag(canConfig), comp, ver, QString::number(timeSaved),
                       moneyText(), flag(connected), flag(blocked)}
               .join(QLatin1Char(';')) +
           QLatin1Char(';');
}

ClientRegistry::ClientRegistry(const QString& path) : m_path(path) {}

bool ClientRegistry::validName(const QString& comp)
{
    if (comp.isEmpty() || comp.size() > 64 || comp.trimmed() != comp) {
        return false;
    }
    for (QChar c : comp) {
        if (c.unicode() < 32 || c == QLatin1Char(';') || c.unicode() == 127) {
            return false;
        }
    }
    return true;
}

void ClientRegistry::load(QString* error)
{
    m_list.clear();
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        return;
    }
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll());
    file.close();
    if (!doc.isArray()) {
        const QString aside = m_path + QStringLiteral(".corrupt-") +
                              QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-hhmmss"));
        QFile::rename(m_path, aside);
        if (error) {
            *error = QStringLiteral("client list %1 does not read; kept as %2").arg(m_path, aside);
        }
        return;
    }
    for (const QJsonValue& v : doc.array()) {
        const QJsonObject o = v.toObject();
        Workstation w;
        w.comp = o.value(QStringLiteral("comp")).toString();
        if (!validName(w.comp) || find(w.comp)) {
            continue;
        }
        w.ip = o.value(QStringLiteral("ip")).toString();
        w.ver = o.value(QStringLiteral("ver")).toString();
        w.canWrite = o.value(QStringLiteral("write")).toBool(true);
        w.canConfig = o.value(QStringLiteral("config")).toBool(true);
        w.timeSaved = qint64(o.value(QStringLiteral("timeSaved")).toDouble());
        w.moneySaved = o.value(QStringLiteral("moneySaved")).toDouble();
        w.blocked = o.value(QStringLiteral("blocked")).toBool(false);
        m_list.append(w);
    }
}

bool ClientRegistry::save(QString* error) const
{
    QJsonArray array;
    for (const Workstation& w : m_list) {
        QJsonObject o;
        o.insert(QStringLiteral("comp"), w.comp);
        o.insert(QStringLiteral("ip"), w.ip);
        o.insert(QStringLiteral("ver"), w.ver);
        o.insert(QStringLiteral("write"), w.canWrite);
        o.insert(QStringLiteral("config"), w.canConfig);
        o.insert(QStringLiteral("timeSaved"), double(w.timeSaved));
        o.insert(QStringLiteral("moneySaved"), w.moneySaved);
        o.insert(QStringLiteral("blocked"), w.blocked);
        array.append(o);
    }
    return AtomicFile::write(m_path, QJsonDocument(array).toJson(QJsonDocument::Indented), error);
}

Workstation* ClientRegistry::find(const QString& comp)
{
    for (Workstation& w : m_list) {
        if (w.comp.compare(comp, Qt::CaseInsensitive) == 0) {
            return &w;
        }
    }
    return nullptr;
}

Workstation& ClientRegistry::add(const QString& comp, bool defWrite, bool defConfig)
{
    Workstation w;
    w.comp = comp;
    w.canWrite = defWrite;
    w.canConfig = defConfig;
    m_list.append(w);
    return m_list.last();
}

int ClientRegistry::connectedCount() const
{
    int n = 0;
    for (const Workstation& w : m_list) {
        n += (w.connected && !w.blocked) ? 1 : 0;
    }
    return n;
}

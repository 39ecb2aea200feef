#include "server/ServerSettings.h"

#include "server/AtomicFile.h"

#include <QDateTime>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

int boundedInt(const QJsonObject& o, const char* key, int fallback, int lo, int hi)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (!v.isDouble()) {
        return fallback;
    }
    const double d = v.toDouble();
    return (d >= lo && d <= hi) ? int(d) : fallback;
}

bool boolean(const QJsonObject& o, const char* key, bool fallback)
{
    const QJsonValue v = o.value(QLatin1String(key));
    return v.isBool() ? v.toBool() : fallback;
}

QString text(const QJsonObject& o, const char* key, const QString& fallback)
{
    const QJsonValue v = o.value(QLatin1String(key));
    return v.isString() ? v.toString() : fallback;
}

} // namespace

ServerSettings ServerSettings::load(const QString& path, QString* error)
{
    ServerSettings s;
    QFile file(path);
    if (!file.exists()) {
        return s;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) {
            *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        }
        return s;
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    file.close();
    if (!doc.isObject()) {
        const QString aside = path + QStringLiteral(".corrupt-") +
                              QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-hhmmss"));
        QFile::rename(path, aside);
        if (error) {
            *error = QStringLiteral("settings file %1 does not read (%2); kept as %3, defaults in use")
                         .arg(path, parseError.errorString(), aside);
        }
        return s;
    }
    const QJsonObject o = doc.object();
    const ServerSettings d;
    s.phraseFile = text(o, "phraseFile", d.phraseFile);
    s.fileMode = boundedInt(o, "fileMode", d.fileMode, 0, 2);
    s.fileUpdateStart = boolean(o, "fileUpdateStart", d.fileUpdateStart);
    s.backupCount = boundedInt(o, "backupCount", d.backupCount, 1, 9999999);
    s.doBackup = boolean(o, "doBackup", d.doBackup);
    s.tcpPort = boundedInt(o, "tcpPort", d.tcpPort, 1, 65535);
    s.udpPort = boundedInt(o, "udpPort", d.udpPort, 1, 65535);
    s.password = text(o, "password", d.password);
    s.passMode = boundedInt(o, "passMode", d.passMode, 0, 2);
    s.doStats = boolean(o, "doStats", d.doStats);
    s.defWrite = boolean(o, "defWrite", d.defWrite);
    s.defConfig = boolean(o, "defConfig", d.defConfig);
    s.doLog = boolean(o, "doLog", d.doLog);
    s.logSizeKiB = boundedInt(o, "logSizeKiB", d.logSizeKiB, 1, 1024 * 1024);
    return s;
}

bool ServerSettings::save(const QString& path, QString* error) const
{
    QJsonObject o;
    o.insert(QStringLiteral("phraseFile"), phraseFile);
    o.insert(QStringLiteral("fileMode"), fileMode);
    o.insert(QStringLiteral("fileUpdateStart"), fileUpdateStart);
    o.insert(QStringLiteral("backupCount"), backupCount);
    o.insert(QStringLiteral("doBackup"), doBackup);
    o.insert(QStringLiteral("tcpPort"), tcpPort);
    o.insert(QStringLiteral("udpPort"), udpPort);
    o.insert(QStringLiteral("password"), password);
    o.insert(QStringLiteral("passMode"), passMode);
    o.insert(QStringLiteral("doStats"), doStats);
    o.insert(QStringLiteral("defWrite"), defWrite);
    o.insert(QStringLiteral("defConfig"), defConfig);
    o.insert(QStringLiteral("doLog"), doLog);
    o.insert(QStringLiteral("logSizeKiB"), logSizeKiB);
    return AtomicFile::write(path, QJsonDocument(o).toJson(QJsonDocument::Indented), error);
}

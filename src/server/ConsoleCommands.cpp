#include "server/PhraseFile.h"
#include "server/ScriboltServer.h"
#include "server/Version.h"
#include "server/WorkstationPort.h"
#include "server/WorkstationSession.h"

#include <QHostAddress>
#include <QNetworkInterface>

namespace {

QString flag(bool b)
{
    return b ? QStringLiteral("1") : QStringLiteral("0");
}

// "0"/"1" and other integers, as the console writes Booleans.
bool readFlag(const QString& text, bool* ok)
{
    const int v = text.trimmed().toInt(ok);
    return v != 0;
}

int readInt(const QString& text, bool* ok)
{
    return text.trimmed().toInt(ok);
}

QString ownAddress()
{
    for (const QHostAddress& a : QNetworkInterface::allAddresses()) {
        if (a.protocol() == QAbstractSocket::IPv4Protocol && !a.isLoopback()) {
            return a.toString();
        }
    }
    return QStringLiteral("127.0.0.1");
}

} // namespace

void ScriboltServer::onCommand(ConsoleSession* console, const QString& line)
{
    const qsizetype colon = line.indexOf(QLatin1Char(':'));
    const QString keyword = (colon < 0 ? line : line.left(colon)).trimmed().toLower();
    const QString arg = colon < 0 ? QString() : line.mid(colon + 1);
    if (answerGet(console, keyword, arg) || applySetting(console, keyword, arg) ||
        applyClientCommand(console, keyword, arg)) {
        return;
    }
    m_log.add(
        QStringLiteral("Unknown command from console %1 ignored: %2").arg(console->id()).arg(line.left(80)));
}

bool ScriboltServer::answerGet(ConsoleSession* console, const QString& keyword, const QString& arg)
{
    const ServerSettings& s = m_settings;
    QString value;
    if (keyword == QLatin1String("getcompatible")) {
        const bool ok = Version::toInt(arg) >= Version::MinimumPeer;
        if (!ok) {
            m_log.add(
                QStringLiteral("Console %1 of version %2 is too old").arg(console->id()).arg(arg.left(40)));
        }
        console->send(ok ? QStringLiteral("compatible") : QStringLiteral("notcompatible"));
        return true;
    } else if (keyword == QLatin1String("cllist")) {
        sendClientList(console);
        return true;
    } else if (keyword == QLatin1String("getlog")) {
        const QStringList lines = m_log.lines();
        for (const QString& l : lines) {
            console->send(QStringLiteral("addlog:") + l);
        }
        return true;
    } else if (keyword == QLatin1String("getfilemode")) {
        value = QString::number(s.fileMode);
    } else if (keyword == QLatin1String("getfile")) {
        value = s.phraseFile;
    } else if (keyword == QLatin1String("getnowrite")) {
        value = flag(!PhraseFile::writable(s.phraseFile));
    } else if (keyword == QLatin1String("getbackupcount")) {
        value = QString::number(s.backupCount);
    } else if (keyword == QLatin1String("getdobackup")) {
        value = flag(s.doBackup);
    } else if (keyword == QLatin1String("getport")) {
        value = QString::number(s.tcpPort);
    } else if (keyword == QLatin1String("getudpport")) {
        value = QString::number(s.udpPort);
    } else if (keyword == QLatin1String("getfilestats")) {
        value = fileStats();
    } else if (keyword == QLatin1String("getdolog")) {
        value = flag(s.doLog);
    } else if (keyword == QLatin1String("getlogsize")) {
        value = QString::number(s.logSizeKiB);
    } else if (keyword == QLatin1String("getdefwrite")) {
        value = flag(s.defWrite);
    } else if (keyword == QLatin1String("getdefconfig")) {
        value = flag(s.defConfig);
    } else if (keyword == QLatin1String("getpass")) {
        value = s.password;
    } else if (keyword == QLatin1String("getpassmode")) {
        value = QString::number(s.passMode);
    } else if (keyword == QLatin1String("getfileupdate")) {
        value = flag(s.fileUpdateStart);
    } else if (keyword == QLatin1String("getdostats")) {
        value = flag(s.doStats);
    } else if (keyword == QLatin1String("getrunning")) {
        value = flag(true);
    } else if (keyword == QLatin1String("gettcpok")) {
        value = flag(tcpOk());
    } else if (keyword == QLatin1String("getver")) {
        value = Version::own();
    } else if (keyword == QLatin1String("getip")) {
        value = ownAddress();
    } else if (keyword == QLatin1String("getlogpath")) {
        value = m_log.path();
    } else if (keyword == QLatin1String("getconfigpath")) {
        value = settingsPath();
    } else {
        return false;
    }
    console->send(keyword + QLatin1Char(':') + value);
    return true;
}

void ScriboltServer::sendClientList(ConsoleSession* console)
{
    // The console adds one to its count for every client it has not seen
    // yet, so the true count is sent again once the list is through.
    const QString count = QStringLiteral("clcount:%1").arg(m_clients.connectedCount());
    console->send(count);
    for (const Workstation& w : m_clients.all()) {
        console->send(QStringLiteral("cladd:") + w.claddArgument());
    }
    console->send(count);
}

bool ScriboltServer::applySetting(ConsoleSession* console, const QString& keyword, const QString& arg)
{
    ServerSettings& s = m_settings;
    bool ok = false;
    if (keyword == QLatin1String("setport")) {
        setPort(console, arg);
        return true;
    } else if (keyword == QLatin1String("reloadsettings")) {
        reloadSettings();
        return true;
    } else if (keyword == QLatin1String("setfile")) {
        const PhraseFile::Check result = PhraseFile::check(arg);
        console->send(QStringLiteral("setfile:") + PhraseFile::answer(result));
        m_log.add(QStringLiteral("Phrase file %1: %2").arg(arg.left(200), PhraseFile::answer(result)));
        if (result == PhraseFile::Check::Ok && arg != s.phraseFile) {
            if (!m_editingBy.isEmpty()) {
                endEditing(m_editingBy);
            }
            s.phraseFile = arg;
            saveSettings();
            pushFileStats();
        }
        return true;
    } else if (keyword == QLatin1String("setpass")) {
        s.password = arg;
        m_log.add(arg.isEmpty() ? QStringLiteral("Network password removed")
                                : QStringLiteral("Network password changed"));
    } else if (keyword == QLatin1String("setpassmode")) {
        const int v = readInt(arg, &ok);
        if (!ok || v < 0 || v > 2) {
            m_log.add(QStringLiteral("Password mode %1 refused").arg(arg.left(20)));
            return true;
        }
        s.passMode = v;
    } else if (keyword == QLatin1String("setfilemode")) {
        const int v = readInt(arg, &ok);
        if (!ok || v < 0 || v > 2) {
            m_log.add(QStringLiteral("File mode %1 refused").arg(arg.left(20)));
            return true;
        }
        s.fileMode = v;
    } else if (keyword == QLatin1String("setfileupdate")) {
        s.fileUpdateStart = readFlag(arg, &ok);
    } else if (keyword == QLatin1String("setbackupcount")) {
        const int v = readInt(arg, &ok);
        if (!ok || v < 1 || v > 9999999) {
            m_log.add(QStringLiteral("Backup count %1 refused").arg(arg.left(20)));
            return true;
        }
        s.backupCount = v;
    } else if (keyword == QLatin1String("setudpport")) {
        const int v = readInt(arg, &ok);
        QString error;
        if (!ok || v < 1 || v > 65535 || (v != m_port->udpPort() && !m_port->bindUdp(v, &error))) {
            m_log.add(QStringLiteral("UDP port %1 refused %2").arg(arg.left(20), error));
            return true;
        }
        s.udpPort = v;
        ok = true;
    } else if (keyword == QLatin1String("setdostats")) {
        const bool on = readFlag(arg, &ok);
        if (ok && on != s.doStats) {
            s.doStats = on;
            saveSettings();
            broadcast(QStringLiteral("getdostats:") + flag(on), console);
            for (WorkstationSession* w : std::as_const(m_sessions)) {
                w->send({QStringLiteral("dostats"), flag(on)});
            }
        }
        return true;
    } else if (keyword == QLatin1String("setdefwrite") || keyword == QLatin1String("setdefconfig")) {
        const bool on = readFlag(arg, &ok);
        bool& target = keyword == QLatin1String("setdefwrite") ? s.defWrite : s.defConfig;
        if (ok && on != target) {
            target = on;
            saveSettings();
            broadcast(QStringLiteral("getdef%1:%2").arg(keyword.mid(6), flag(on)), console);
        }
        return true;
    } else {
        return false;
    }
    if (!ok && keyword != QLatin1String("setpass")) {
        m_log.add(QStringLiteral("Unreadable value for %1 ignored").arg(keyword));
        return true;
    }
    saveSettings();
    return true;
}

void ScriboltServer::setPort(ConsoleSession* console, const QString& arg)
{
    bool ok = false;
    const int port = readInt(arg, &ok);
    if (!ok || port < 1 || port > 65535) {
        m_log.add(QStringLiteral("TCP port %1 refused: not a port number").arg(arg.left(20)));
        console->send(QStringLiteral("gettcpok:0"));
        return;
    }
    if (port == m_port->tcpPort() && m_port->isListening()) {
        m_settings.tcpPort = port;
        saveSettings();
        console->send(QStringLiteral("gettcpok:1"));
        return;
    }
    QString error;
    if (!m_port->listenTcp(port, &error)) {
        // The old listener keeps serving; the settings keep the old port.
        m_log.add(error);
        console->send(QStringLiteral("gettcpok:0"));
        return;
    }
    m_settings.tcpPort = port;
    saveSettings();
    m_log.add(QStringLiteral("Listening for workstations on TCP port %1").arg(port));
    console->send(QStringLiteral("gettcpok:1"));
    broadcast(QStringLiteral("getport:%1").arg(port), console);
}

void ScriboltServer::reloadSettings()
{
    QString problem;
    const ServerSettings stored = ServerSettings::load(settingsPath(), &problem);
    if (!problem.isEmpty()) {
        // A file that does not read must not wipe the settings in force.
        m_log.add(problem);
        saveSettings();
        return;
    }
    m_settings = stored;
    m_log.setEnabled(m_settings.doLog);
    m_log.setLimitBytes(qint64(m_settings.logSizeKiB) * 1024);
    // A port that cannot be had keeps the one in use, and says so.
    if (m_settings.tcpPort != m_port->tcpPort() && !m_port->listenTcp(m_settings.tcpPort, &problem)) {
        m_log.add(problem);
        if (m_port->isListening()) {
            m_settings.tcpPort = m_port->tcpPort();
        }
    }
    if (m_settings.udpPort != m_port->udpPort() && !m_port->bindUdp(m_settings.udpPort, &problem)) {
        m_log.add(problem);
        if (m_port->udpPort() > 0) {
            m_settings.udpPort = m_port->udpPort();
        }
    }
    m_log.add(QStringLiteral("Settings reloaded"));
}

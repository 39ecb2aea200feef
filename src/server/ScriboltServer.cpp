#include "server/ScriboltServer.h"

#include "server/ConsoleListener.h"
#include "server/PhraseFile.h"
#include "server/Version.h"
#include "server/WorkstationPort.h"
#include "server/WorkstationSession.h"

#include <QDir>
#include <QFileInfo>
#include <QTcpSocket>
#include <QTimer>

namespace {

QString logPathFor(const ScriboltServer::Options& o)
{
    return o.logFile.isEmpty() ? QDir(o.stateDir).filePath(QStringLiteral("server.log"))
                               : QFileInfo(o.logFile).absoluteFilePath();
}

} // namespace

ScriboltServer::ScriboltServer(const Options& options, QObject* parent)
    : QObject(parent), m_options(options), m_log(logPathFor(options)),
      m_clients(QDir(options.stateDir).filePath(QStringLiteral("clients.json"))),
      m_listener(new ConsoleListener(this)), m_port(new WorkstationPort(this)),
      m_clientSaveTimer(new QTimer(this))
{
    m_log.setEcho(options.echoLog);
    m_clientSaveTimer->setSingleShot(true);
    m_clientSaveTimer->setInterval(1000);
    connect(m_clientSaveTimer, &QTimer::timeout, this, &ScriboltServer::saveClients);
    connect(m_listener, &ConsoleListener::newConsole, this, &ScriboltServer::addConsole);
    connect(m_port, &WorkstationPort::newWorkstation, this, &ScriboltServer::addWorkstation);
}

ScriboltServer::~ScriboltServer()
{
    if (m_clientSaveTimer->isActive()) {
        saveClients();
    }
}

QString ScriboltServer::settingsPath() const
{
    return QDir(m_options.stateDir).filePath(QStringLiteral("settings.json"));
}

int ScriboltServer::workstationPort() const
{
    return m_port->tcpPort();
}

bool ScriboltServer::start(QString* error)
{
    // A second server on the same socket must leave the first one's state alone.
    if (!m_listener->listenLocal(error)) {
        return false;
    }
    if (!QDir().mkpath(m_options.stateDir)) {
        *error = QStringLiteral("cannot create the state folder %1").arg(m_options.stateDir);
        return false;
    }
    QString problem;
    m_settings = ServerSettings::load(settingsPath(), &problem);
    m_log.setEnabled(m_settings.doLog);
    m_log.setLimitBytes(qint64(m_settings.logSizeKiB) * 1024);
    m_log.add(QStringLiteral("Server %1 starting, state in %2").arg(Version::own(), m_options.stateDir));
    if (!problem.isEmpty()) {
        m_log.add(problem);
    }
    problem.clear();
    m_clients.load(&problem);
    if (!problem.isEmpty()) {
        m_log.add(problem);
    }
    if (m_settings.phraseFile.isEmpty()) {
        const QString path = QDir(m_options.stateDir).absoluteFilePath(QStringLiteral("phrases.sbf"));
        if (PhraseFile::check(path) == PhraseFile::Check::Ok) {
            m_settings.phraseFile = path;
        }
    }
    if (m_options.tcpPort >= 0) {
        m_settings.tcpPort = m_options.tcpPort;
    }
    if (m_options.udpPort >= 0) {
        m_settings.udpPort = m_options.udpPort;
    }
    if (m_port->listenTcp(m_settings.tcpPort, &problem)) {
        m_settings.tcpPort = m_port->tcpPort();
        m_log.add(QStringLiteral("Listening for workstations on TCP port %1").arg(m_settings.tcpPort));
    } else {
        m_log.add(problem);
    }
    if (m_port->bindUdp(m_settings.udpPort, &problem)) {
        m_settings.udpPort = m_port->udpPort();
    } else {
        m_log.add(problem);
    }
    saveSettings();
    if (m_options.adminTcpPort >= 0 &&
        !m_listener->listenTcp(m_options.adminAddress, quint16(m_options.adminTcpPort), error)) {
        m_log.add(*error);
        return false;
    }
    m_log.add(QStringLiteral("Serving consoles on %1").arg(ConsoleListener::pipePath()));
    return true;
}

void ScriboltServer::addConsole(QIODevice* socket, const QString& peer)
{
    auto* console = new ConsoleSession(socket, m_nextConsoleId++, m_options.limits, this);
    m_consoles.append(console);
    m_log.add(QStringLiteral("Console %1 connected (%2)").arg(console->id()).arg(peer));
    connect(console, &ConsoleSession::commandReceived, this, &ScriboltServer::onCommand);
    connect(console, &ConsoleSession::problem, this,
            [this](ConsoleSession*, const QString& what) { m_log.add(what); });
    connect(console, &ConsoleSession::closed, this, [this](ConsoleSession* c) {
        m_consoles.removeOne(c);
        m_log.add(QStringLiteral("Console %1 disconnected").arg(c->id()));
        c->deleteLater();
    });
}

void ScriboltServer::broadcast(const QString& line, ConsoleSession* except)
{
    // A console dropped while sending leaves the list; walk a copy.
    const QList<ConsoleSession*> consoles = m_consoles;
    for (ConsoleSession* c : consoles) {
        if (c != except && m_consoles.contains(c)) {
            c->send(line);
        }
    }
}

void ScriboltServer::pushClient(const Workstation& w)
{
    broadcast(QStringLiteral("cladd:") + w.claddArgument());
}

void ScriboltServer::pushCount()
{
    broadcast(QStringLiteral("clcount:%1").arg(m_clients.connectedCount()));
}

void ScriboltServer::pushFileStats()
{
    broadcast(QStringLiteral("getfilestats:") + fileStats());
}

QString ScriboltServer::fileStats() const
{
    return (PhraseFile::writable(m_settings.phraseFile) ? QStringLiteral("0;") : QStringLiteral("1;")) +
           m_editingBy;
}

bool ScriboltServer::tcpOk() const
{
    return m_port->isListening() && m_port->tcpPort() == m_settings.tcpPort;
}

void ScriboltServer::saveSettings()
{
    QString error;
    if (!m_settings.save(settingsPath(), &error)) {
        m_log.add(QStringLiteral("Settings not saved: ") + error);
    }
}

void ScriboltServer::saveClients()
{
    m_clientSaveTimer->stop();
    QString error;
    if (!m_clients.save(&error)) {
        m_log.add(QStringLiteral("Client list not saved: ") + error);
    }
}

void ScriboltServer::scheduleClientSave()
{
    if (!m_clientSaveTimer->isActive()) {
        m_clientSaveTimer->start();
    }
}

#include "support/ServerProcess.h"

#include "support/AdminConsole.h"
#include "support/TestSandbox.h"

#include <QDeadlineTimer>
#include <QThread>

ServerProcess::ServerProcess(const TestSandbox& sandbox)
    : m_stateDir(sandbox.filePath(QStringLiteral("server-state"))), m_pipeDir(sandbox.pipeDir())
{
}

ServerProcess::~ServerProcess()
{
    for (QProcess* p : std::as_const(m_clients)) {
        p->kill();
        p->waitForFinished(3000);
        delete p;
    }
    kill();
}

QString ServerProcess::socketPath() const
{
    return m_pipeDir + QStringLiteral("/ScriboltPipe");
}

bool ServerProcess::start(const QStringList& extraArgs)
{
    m_lastArgs = extraArgs;
    QStringList args{QStringLiteral("--state-dir"), m_stateDir};
    if (!m_started) {
        args << QStringLiteral("--tcp-port") << QStringLiteral("0") << QStringLiteral("--udp-port")
             << QStringLiteral("0");
    }
    args << extraArgs;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("SCRIBOLT_PIPE_DIR"), m_pipeDir);
    m_server.setProcessEnvironment(env);
    m_server.setProcessChannelMode(QProcess::SeparateChannels);
    m_server.start(TestSandbox::binary(QStringLiteral("scribolt-server")), args);
    if (!m_server.waitForStarted(5000)) {
        m_error = QStringLiteral("scribolt-server did not start: ") + m_server.errorString();
        return false;
    }
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        if (m_server.state() == QProcess::NotRunning) {
            m_error = QStringLiteral("scribolt-server ended: ") +
                      QString::fromLocal8Bit(m_server.readAllStandardError());
            return false;
        }
        AdminConsole probe;
        if (probe.connectTo(socketPath(), 200)) {
            probe.send(QStringLiteral("getport"));
            if (const auto port = probe.waitFor(QStringLiteral("getport"), 3000)) {
                m_tcpPort = port->toInt();
                m_started = true;
                return true;
            }
        }
        QThread::msleep(20);
    }
    m_error = QStringLiteral("scribolt-server did not answer on ") + socketPath();
    return false;
}

bool ServerProcess::stop()
{
    if (m_server.state() == QProcess::NotRunning) {
        return true;
    }
    m_server.terminate();
    if (!m_server.waitForFinished(5000)) {
        kill();
        m_error = QStringLiteral("scribolt-server did not end on SIGTERM");
        return false;
    }
    if (m_server.exitStatus() != QProcess::NormalExit || m_server.exitCode() != 0) {
        m_error = QStringLiteral("scribolt-server ended with code %1: ").arg(m_server.exitCode()) +
                  QString::fromLocal8Bit(m_server.readAllStandardError());
        return false;
    }
    return true;
}

void ServerProcess::kill()
{
    if (m_server.state() != QProcess::NotRunning) {
        m_server.kill();
        m_server.waitForFinished(5000);
    }
}

bool ServerProcess::restart()
{
    const bool clean = stop();
    const QString stopError = m_error;
    if (!start(m_lastArgs)) {
        return false;
    }
    m_error = stopError;
    return clean;
}

QProcess* ServerProcess::startClients(const QStringList& args)
{
    auto* p = new QProcess;
    p->setProcessChannelMode(QProcess::SeparateChannels);
    p->start(TestSandbox::binary(QStringLiteral("scribolt-clients")),
             QStringList{QStringLiteral("--port"), QString::number(m_tcpPort)} + args);
    p->waitForStarted(5000);
    m_clients.append(p);
    return p;
}

#pragma once

#include <QList>
#include <QProcess>
#include <QStringList>

class TestSandbox;

// Runs the real scribolt-server for a test, inside a TestSandbox: state in
// <sandbox>/server-state, socket in the sandbox's pipe folder, workstation
// and UDP ports picked free on the first start. Also starts scribolt-clients
// against it. Everything it started is killed when it goes away.
//
//   TestSandbox sandbox;
//   ServerProcess server(sandbox);
//   QVERIFY2(server.start(), qPrintable(server.errorText()));
//   QProcess* clients = server.startClients({"--count", "3"});
class ServerProcess
{
public:
    explicit ServerProcess(const TestSandbox& sandbox);
    ~ServerProcess();
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    // Starts the server and waits (up to 10 s) until it answers a console on
    // its socket. The first start passes --tcp-port 0 --udp-port 0; later
    // starts keep the stored ports. extraArgs go to the command line as well.
    bool start(const QStringList& extraArgs = {});
    // SIGTERM and wait; the server saves and removes its socket. True when it
    // ended by itself with exit code 0 (a sanitizer report makes it false;
    // errorText() then holds the server's stderr).
    bool stop();
    // SIGKILL and wait: nothing of the server's own shutdown runs.
    void kill();
    // stop() then start() with the same state folder and extra arguments;
    // false when either step failed.
    bool restart();

    bool isRunning() const { return m_server.state() != QProcess::NotRunning; }
    QString socketPath() const;
    QString stateDir() const { return m_stateDir; }
    // The workstation TCP port the server reported when it came up.
    int tcpPort() const { return m_tcpPort; }
    // What went wrong in start(), with the server's stderr.
    QString errorText() const { return m_error; }
    QProcess& process() { return m_server; }

    // Starts scribolt-clients with --port <tcpPort()> plus args; the process
    // belongs to this object. Its stdout has one line per workstation event.
    QProcess* startClients(const QStringList& args);

private:
    QString m_stateDir;
    QString m_pipeDir;
    QStringList m_lastArgs;
    QProcess m_server;
    QList<QProcess*> m_clients;
    int m_tcpPort = 0;
    bool m_started = false;
    QString m_error;
};

#pragma once

#include "server/ClientRegistry.h"
#include "server/ConsoleSession.h"
#include "server/ServerLog.h"
#include "server/ServerSettings.h"

#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QSet>

class ConsoleListener;
class QTcpSocket;
class QTimer;
class WorkstationPort;
class WorkstationSession;

// The server service: keeps the settings and the workstation list, serves
// consoles on the local socket and workstations on its TCP port, and tells
// every console about each change.
class ScriboltServer : public QObject
{
    Q_OBJECT
public:
    struct Options
    {
        QString stateDir;
        QString logFile;  // empty: <stateDir>/server.log
        int tcpPort = -1; // -1: the stored setting; 0: any free port
        int udpPort = -1;
        int adminTcpPort = -1; // -1: no TCP for consoles
        QHostAddress adminAddress = QHostAddress::LocalHost;
        ConsoleSession::Limits limits;
        bool echoLog = false;
    };

    explicit ScriboltServer(const Options& options, QObject* parent = nullptr);
    ~ScriboltServer() override;
    ScriboltServer(const ScriboltServer&) = delete;
    ScriboltServer& operator=(const ScriboltServer&) = delete;
    ScriboltServer(ScriboltServer&&) = delete;
    ScriboltServer& operator=(ScriboltServer&&) = delete;

    // Opens the state, the listeners and the local socket. False (with a
    // reason) when the server cannot serve consoles at all.
    bool start(QString* error);

    QString settingsPath() const;
    int workstationPort() const;

private:
    // Consoles (ScriboltServer.cpp)
    void addConsole(QIODevice* socket, const QString& peer);
    void broadcast(const QString& line, ConsoleSession* except = nullptr);
    void pushClient(const Workstation& w);
    void pushCount();
    void pushFileStats();
    void saveSettings();
    void saveClients();
    void scheduleClientSave();
    QString fileStats() const;
    bool tcpOk() const;

    // Console commands (ConsoleCommands.cpp)
    void onCommand(ConsoleSession* console, const QString& line);
    bool answerGet(ConsoleSession* console, const QString& keyword, const QString& arg);
    bool applySetting(ConsoleSession* console, const QString& keyword, const QString& arg);
    bool applyClientCommand(ConsoleSession* console, const QString& keyword, const QString& arg);
    void sendClientList(ConsoleSession* console);
    void setPort(ConsoleSession* console, const QString& arg);
    void setBlocked(const QString& arg);
    void changeRight(const QString& comp, bool write, bool on);
    void reloadSettings();

    // Workstations (WorkstationEvents.cpp)
    void addWorkstation(QTcpSocket* socket);
    void onWorkstationLine(WorkstationSession* session, const QStringList& fields);
    void onHello(WorkstationSession* session, const QStringList& fields);
    void onStats(WorkstationSession* session, const QStringList& fields);
    void onEditing(WorkstationSession* session, bool on);
    void onWorkstationClosed(WorkstationSession* session);
    void reportOnce(const QString& key, const QString& text);
    void endEditing(const QString& comp);

    Options m_options;
    ServerSettings m_settings;
    ServerLog m_log;
    ClientRegistry m_clients;
    ConsoleListener* m_listener;
    WorkstationPort* m_port;
    QTimer* m_clientSaveTimer;
    QList<ConsoleSession*> m_consoles;
    QHash<QString, WorkstationSession*> m_sessions; // by lower-case name
    QSet<QString> m_reported;
    QString m_editingBy;
    int m_nextConsoleId = 1;
};

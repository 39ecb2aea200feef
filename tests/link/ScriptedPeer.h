#pragma once

#include "link/EncDec.h"

#include <QByteArray>
#include <QList>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTest>

// The server end of the link, played by the test: listens at the console's
// socket path, records every byte the console writes on each connection and
// writes back exactly the bytes the test chooses.
class ScriptedPeer
{
public:
    explicit ScriptedPeer(const QString& socketPath) : m_path(socketPath)
    {
        QObject::connect(&m_server, &QLocalServer::newConnection, [this] {
            while (QLocalSocket* socket = m_server.nextPendingConnection()) {
                m_received.append(QByteArray());
                const qsizetype index = m_received.size() - 1;
                m_current = socket;
                QObject::connect(socket, &QLocalSocket::readyRead, socket,
                                 [this, socket, index] { m_received[index] += socket->readAll(); });
            }
        });
    }

    bool listen()
    {
        QLocalServer::removeServer(m_path);
        return m_server.listen(m_path);
    }
    void stopListening() { m_server.close(); }

    int connectionCount() const { return int(m_received.size()); }
    QByteArray received(int connection) const { return m_received.value(connection); }
    bool connected() const { return m_current && m_current->state() == QLocalSocket::ConnectedState; }

    void send(const QByteArray& bytes)
    {
        QVERIFY(m_current);
        m_current->write(bytes);
        m_current->flush();
    }
    void sendLine(const QString& line) { send(EncDec::frameReply(line)); }
    void closeConnection()
    {
        if (m_current) {
            m_current->disconnectFromServer();
        }
    }

    // The bytes of the console's initial query with a console version.
    static QByteArray initialQuery(const QString& version)
    {
        QByteArray bytes = EncDec::frameLine(QStringLiteral("getcompatible:") + version);
        for (const char* cmd :
             {"cllist",     "getfilemode",  "getfile",       "getnowrite",   "getbackupcount", "getport",
              "getudpport", "getfilestats", "getdolog",      "getlogsize",   "getdefwrite",    "getdefconfig",
              "getpass",    "getpassmode",  "getfileupdate", "getdostats",   "getrunning",     "gettcpok",
              "getver",     "getip",        "getlogpath",    "getconfigpath"}) {
            bytes += EncDec::frameLine(QLatin1String(cmd));
        }
        return bytes;
    }

private:
    QString m_path;
    QLocalServer m_server;
    QList<QByteArray> m_received;
    QPointer<QLocalSocket> m_current;
};

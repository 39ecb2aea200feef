#pragma once

#include <QObject>

class QTcpServer;
class QTcpSocket;
class QUdpSocket;

// The workstations' TCP listener and the UDP socket on which workstations
// find the server. Moving to another TCP port binds the new one first, so a
// failed move leaves the old listener serving.
class WorkstationPort : public QObject
{
    Q_OBJECT
public:
    explicit WorkstationPort(QObject* parent = nullptr);
    WorkstationPort(const WorkstationPort&) = delete;
    WorkstationPort& operator=(const WorkstationPort&) = delete;
    WorkstationPort(WorkstationPort&&) = delete;
    WorkstationPort& operator=(WorkstationPort&&) = delete;

    // Port 0 picks a free port. On failure the current listener (if any)
    // stays and error says why.
    bool listenTcp(int port, QString* error);
    bool isListening() const;
    int tcpPort() const;

    bool bindUdp(int port, QString* error);
    int udpPort() const;

    // Answer to a discovery datagram "scribolt?": "scribolt;<tcp port>;<version>".
    static QByteArray discoveryAnswer(int tcpPort);

signals:
    void newWorkstation(QTcpSocket* socket);

private:
    void answerDatagrams();

    QTcpServer* m_tcp = nullptr;
    QUdpSocket* m_udp = nullptr;
};

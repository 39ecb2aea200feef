#include "server/WorkstationPort.h"

#include "server/Version.h"

#include <QNetworkDatagram>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>

WorkstationPort::WorkstationPort(QObject* parent) : QObject(parent) {}

bool WorkstationPort::listenTcp(int port, QString* error)
{
    if (port < 0 || port > 65535) {
        *error = QStringLiteral("TCP port %1 is outside 1..65535").arg(port);
        return false;
    }
    auto* next = new QTcpServer(this);
    next->setMaxPendingConnections(256);
    if (!next->listen(QHostAddress::Any, quint16(port))) {
        *error = QStringLiteral("cannot listen on TCP port %1: %2").arg(port).arg(next->errorString());
        delete next;
        return false;
    }
    connect(next, &QTcpServer::newConnection, this, [this, next] {
        while (QTcpSocket* s = next->nextPendingConnection()) {
            emit newWorkstation(s);
        }
    });
    delete m_tcp;
    m_tcp = next;
    return true;
}

bool WorkstationPort::isListening() const
{
    return m_tcp && m_tcp->isListening();
}

int WorkstationPort::tcpPort() const
{
    return m_tcp ? m_tcp->serverPort() : 0;
}

bool WorkstationPort::bindUdp(int port, QString* error)
{
    if (port < 0 || port > 65535) {
        *error = QStringLiteral("UDP port %1 is outside 1..65535").arg(port);
        return false;
    }
    auto* next = new QUdpSocket(this);
    if (!next->bind(QHostAddress::Any, quint16(port))) {
        *error = QStringLiteral("cannot bind UDP port %1: %2").arg(port).arg(next->errorString());
        delete next;
        return false;
    }
    connect(next, &QUdpSocket::readyRead, this, &WorkstationPort::answerDatagrams);
    delete m_udp;
    m_udp = next;
    return true;
}

int WorkstationPort::udpPort() const
{
    return m_udp ? m_udp->localPort() : 0;
}

QByteArray WorkstationPort::discoveryAnswer(int tcpPort)
{
    return "scribolt;" + QByteArray::number(tcpPort) + ';' + Version::own().toLatin1();
}

void WorkstationPort::answerDatagrams()
{
    while (m_udp->hasPendingDatagrams()) {
        const QNetworkDatagram d = m_udp->receiveDatagram(512);
        if (d.data().trimmed() == "scribolt?" && isListening()) {
            m_udp->writeDatagram(d.makeReply(discoveryAnswer(tcpPort())));
        }
    }
}

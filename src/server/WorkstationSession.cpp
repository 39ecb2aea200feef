#include "server/WorkstationSession.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <QTimer>

namespace {

QString peerText(const QTcpSocket* socket)
{
    QHostAddress a = socket->peerAddress();
    bool mapped = false;
    const quint32 v4 = a.toIPv4Address(&mapped);
    return mapped ? QHostAddress(v4).toString() : a.toString();
}

} // namespace

WorkstationSession::WorkstationSession(QTcpSocket* socket, QObject* parent)
    : QObject(parent), m_socket(socket), m_helloTimer(new QTimer(this)), m_peer(peerText(socket))
{
    socket->setParent(this);
    connect(socket, &QTcpSocket::readyRead, this, &WorkstationSession::readSome);
    connect(socket, &QTcpSocket::disconnected, this, &WorkstationSession::finish);
    m_helloTimer->setSingleShot(true);
    connect(m_helloTimer, &QTimer::timeout, this, [this] {
        closeWith({QStringLiteral("refused"), QStringLiteral("timeout")});
    });
    m_helloTimer->start(HelloTimeoutMs);
    QTimer::singleShot(0, this, &WorkstationSession::readSome);
}

void WorkstationSession::accept(const QString& name)
{
    m_name = name;
    m_helloTimer->stop();
}

void WorkstationSession::readSome()
{
    while (!m_closed && m_socket->bytesAvailable() > 0) {
        m_buffer += m_socket->read(64 * 1024);
        qsizetype start = 0;
        for (qsizetype nl = m_buffer.indexOf('\n'); nl >= 0 && !m_closed;
             nl = m_buffer.indexOf('\n', start)) {
            QString line = QString::fromUtf8(m_buffer.constData() + start, nl - start);
            start = nl + 1;
            if (line.endsWith(QLatin1Char('\r'))) {
                line.chop(1);
            }
            if (!line.isEmpty()) {
                emit lineReceived(this, line.split(QLatin1Char(';')));
            }
        }
        m_buffer.remove(0, start);
        if (m_buffer.size() > MaxLine) {
            closeWith({QStringLiteral("refused"), QStringLiteral("protocol")});
        }
    }
}

void WorkstationSession::send(const QStringList& fields)
{
    if (m_closed) {
        return;
    }
    m_socket->write(fields.join(QLatin1Char(';')).toUtf8() + '\n');
    if (m_socket->bytesToWrite() > MaxQueue) {
        abort();
    }
}

void WorkstationSession::closeWith(const QStringList& fields)
{
    if (m_closed) {
        return;
    }
    send(fields);
    // The socket outlives the session until its last line is out.
    QTcpSocket* socket = m_socket;
    finish();
    socket->setParent(nullptr);
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    QTimer::singleShot(2000, socket, [socket] {
        socket->abort();
        socket->deleteLater();
    });
    socket->disconnectFromHost();
}

void WorkstationSession::abort()
{
    if (m_closed) {
        return;
    }
    m_socket->abort();
    finish();
}

void WorkstationSession::finish()
{
    if (m_closed) {
        return;
    }
    m_closed = true;
    m_helloTimer->stop();
    disconnect(m_socket, nullptr, this, nullptr);
    emit closed(this);
}

#include "server/ConsoleSession.h"

#include "link/EncDec.h"

#include <QLocalSocket>
#include <QTcpSocket>
#include <QTimer>

ConsoleSession::ConsoleSession(QIODevice* socket, int id, Limits limits, QObject* parent)
    : QObject(parent), m_socket(socket), m_id(id), m_limits(limits), m_reader(limits.maxLine)
{
    socket->setParent(this);
    connect(socket, &QIODevice::readyRead, this, &ConsoleSession::readSome);
    if (auto* local = qobject_cast<QLocalSocket*>(socket)) {
        connect(local, &QLocalSocket::disconnected, this, &ConsoleSession::onDisconnected);
    } else if (auto* tcp = qobject_cast<QTcpSocket*>(socket)) {
        connect(tcp, &QTcpSocket::disconnected, this, &ConsoleSession::onDisconnected);
    }
    // Bytes may have arrived before the signals were connected.
    QTimer::singleShot(0, this, &ConsoleSession::readSome);
}

ConsoleSession::~ConsoleSession() = default;

void ConsoleSession::readSome()
{
    while (!m_closed && m_socket && m_socket->bytesAvailable() > 0) {
        const QByteArray chunk = m_socket->read(64 * 1024);
        QStringList lines;
        const bool ok = m_reader.feed(chunk, &lines);
        for (const QString& line : std::as_const(lines)) {
            const QStringList items = EncDec::splitItems(line);
            for (const QString& item : items) {
                try {
                    const QString command = EncDec::openItem(item);
                    emit commandReceived(this, command);
                } catch (const EncDec::EnvelopeError& e) {
                    emit problem(this, QStringLiteral("unreadable line from console %1 ignored (%2)")
                                           .arg(m_id)
                                           .arg(QString::fromUtf8(e.what())));
                }
                if (m_closed) {
                    return;
                }
            }
        }
        if (!ok) {
            drop(QStringLiteral("line longer than %1 bytes").arg(m_limits.maxLine));
            return;
        }
    }
}

void ConsoleSession::send(const QString& line)
{
    if (m_closed || !m_socket) {
        return;
    }
    QString clean = line;
    clean.remove(QLatin1Char('\r')).remove(QLatin1Char('\n')).remove(QChar(0));
    m_socket->write(EncDec::frameReply(clean));
    if (m_socket->bytesToWrite() > m_limits.maxQueue) {
        drop(QStringLiteral("console does not read its replies (%1 bytes queued)")
                 .arg(m_socket->bytesToWrite()));
    }
}

void ConsoleSession::drop(const QString& reason)
{
    if (m_closed) {
        return;
    }
    m_closed = true;
    emit problem(this, QStringLiteral("console %1 dropped: %2").arg(m_id).arg(reason));
    if (auto* local = qobject_cast<QLocalSocket*>(m_socket.data())) {
        local->abort();
    } else if (auto* tcp = qobject_cast<QTcpSocket*>(m_socket.data())) {
        tcp->abort();
    }
    emit closed(this);
}

void ConsoleSession::onDisconnected()
{
    if (m_closed) {
        return;
    }
    // A line written just before the console went away still counts.
    readSome();
    if (m_closed) {
        return;
    }
    m_closed = true;
    emit closed(this);
}

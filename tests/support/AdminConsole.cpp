#include "support/AdminConsole.h"

#include "link/EncDec.h"

#include <QDeadlineTimer>

bool AdminConsole::connectTo(const QString& socketPath, int timeoutMs)
{
    m_socket.connectToServer(socketPath);
    return m_socket.waitForConnected(timeoutMs);
}

void AdminConsole::send(const QString& command)
{
    sendRaw(EncDec::frameLine(command));
}

void AdminConsole::sendRaw(const QByteArray& bytes)
{
    m_socket.write(bytes);
    m_socket.flush();
}

bool AdminConsole::readMore(int timeoutMs)
{
    if (m_socket.bytesAvailable() == 0 && !m_socket.waitForReadyRead(timeoutMs)) {
        return false;
    }
    const QByteArray chunk = m_socket.readAll();
    if (chunk.contains('\0') || chunk.contains('\r')) {
        m_forbidden = true;
    }
    m_buffer += chunk;
    parse();
    return true;
}

void AdminConsole::parse()
{
    const qsizetype last = m_buffer.lastIndexOf('\n');
    if (last < 0) {
        return;
    }
    const QString text = EncDec::fromAnsi(QByteArrayView(m_buffer).first(last + 1));
    m_buffer.remove(0, last + 1);
    for (const QString& item : EncDec::splitItems(text)) {
        QString line;
        try {
            line = EncDec::openItem(item);
        } catch (const EncDec::EnvelopeError&) {
            line = QStringLiteral("<unreadable>");
        }
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        m_replies.append(
            {(colon < 0 ? line : line.left(colon)).toLower(), colon < 0 ? QString() : line.mid(colon + 1)});
    }
}

std::optional<QString> AdminConsole::waitFor(const QString& keyword, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        for (qsizetype i = 0; i < m_replies.size(); ++i) {
            if (m_replies.at(i).keyword == keyword) {
                return m_replies.takeAt(i).argument;
            }
        }
        if (deadline.hasExpired() || !readMore(int(qMax<qint64>(1, deadline.remainingTime())))) {
            if (deadline.hasExpired() || m_socket.state() != QLocalSocket::ConnectedState) {
                return std::nullopt;
            }
        }
    }
}

QList<AdminConsole::Reply> AdminConsole::takeAll()
{
    parse();
    return std::exchange(m_replies, {});
}

QList<AdminConsole::Reply> AdminConsole::collect(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (!readMore(int(qMax<qint64>(1, deadline.remainingTime()))) &&
            m_socket.state() != QLocalSocket::ConnectedState) {
            break;
        }
    }
    return takeAll();
}

bool AdminConsole::waitForHangUp(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (m_socket.state() == QLocalSocket::ConnectedState && !deadline.hasExpired()) {
        if (m_socket.waitForDisconnected(int(qMax<qint64>(1, deadline.remainingTime())))) {
            break;
        }
        m_socket.readAll();
    }
    return m_socket.state() != QLocalSocket::ConnectedState;
}

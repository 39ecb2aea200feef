#include "server/ConsoleListener.h"

#include "link/PipeLocation.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool prepareFolder(const QString& dir, QString* error)
{
    const QByteArray path = QFile::encodeName(dir);
    QDir().mkpath(dir);
    struct stat st
    {
    };
    if (::lstat(path.constData(), &st) != 0) {
        *error =
            QStringLiteral("cannot create %1: %2").arg(dir, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::getuid()) {
        *error = QStringLiteral("%1 is not a folder owned by this user; refusing to use it").arg(dir);
        return false;
    }
    ::chmod(path.constData(), 0700);
    return true;
}

} // namespace

ConsoleListener::ConsoleListener(QObject* parent) : QObject(parent) {}

ConsoleListener::~ConsoleListener()
{
    if (m_local) {
        m_local->close();
    }
}

QString ConsoleListener::pipeDir()
{
    return PipeLocation::localPipeDir();
}

QString ConsoleListener::pipePath()
{
    return pipeDir() + QStringLiteral("/ScriboltPipe");
}

bool ConsoleListener::listenLocal(QString* error)
{
    if (!prepareFolder(pipeDir(), error)) {
        return false;
    }
    m_socketPath = pipePath();
    if (QFile::exists(m_socketPath)) {
        QLocalSocket probe;
        probe.connectToServer(m_socketPath);
        if (probe.waitForConnected(1000)) {
            probe.abort();
            *error = QStringLiteral("another scribolt-server is already serving %1").arg(m_socketPath);
            return false;
        }
        QLocalServer::removeServer(m_socketPath);
    }
    m_local = new QLocalServer(this);
    m_local->setMaxPendingConnections(256);
    if (!m_local->listen(m_socketPath)) {
        *error = QStringLiteral("cannot listen on %1: %2").arg(m_socketPath, m_local->errorString());
        return false;
    }
    ::chmod(QFile::encodeName(m_socketPath).constData(), 0600);
    connect(m_local, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = m_local->nextPendingConnection()) {
            emit newConsole(s, QStringLiteral("local"));
        }
    });
    return true;
}

bool ConsoleListener::listenTcp(const QHostAddress& address, quint16 port, QString* error)
{
    m_tcp = new QTcpServer(this);
    m_tcp->setMaxPendingConnections(256);
    if (!m_tcp->listen(address, port)) {
        *error = QStringLiteral("cannot listen for consoles on %1:%2: %3")
                     .arg(address.toString())
                     .arg(port)
                     .arg(m_tcp->errorString());
        return false;
    }
    connect(m_tcp, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* s = m_tcp->nextPendingConnection()) {
            emit newConsole(s, s->peerAddress().toString());
        }
    });
    return true;
}

quint16 ConsoleListener::tcpPort() const
{
    return m_tcp ? m_tcp->serverPort() : 0;
}

#include "app/SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <unistd.h>

SingleInstance::SingleInstance(QObject* parent)
    : QObject(parent)
{
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::socketPath()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists()) {
        return runtime + QStringLiteral("/sbocm");
    }
    return QStringLiteral("/tmp/sbocm-%1").arg(getuid());
}

bool SingleInstance::sendToRunning(const QString& request, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(socketPath());
    if (!socket.waitForConnected(timeoutMs)) {
        return false;
    }
    socket.write(request.toUtf8() + '\n');
    if (!socket.waitForBytesWritten(timeoutMs)) {
        return false;
    }
    // The first instance answers once it has taken the request.
    socket.waitForReadyRead(timeoutMs);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::listen()
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket left behind by a console that died is in the way; no live one
    // answered, so it can go.
    QLocalServer::removeServer(socketPath());
    if (!m_server->listen(socketPath())) {
        return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
    return true;
}

void SingleInstance::onNewConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            while (socket->canReadLine()) {
                const QByteArray request = socket->readLine(256).trimmed();
                // Acted on from the event loop, so that a request that opens a
                // connection or a box never runs inside this socket's handler.
                if (request == "show") {
                    QMetaObject::invokeMethod(this, &SingleInstance::showRequested, Qt::QueuedConnection);
                } else if (request == "reconnect") {
                    QMetaObject::invokeMethod(this, &SingleInstance::reconnectRequested, Qt::QueuedConnection);
                }
                socket->write("ok\n");
            }
            if (socket->bytesAvailable() > 256) {
                socket->abort();
            }
        });
    }
}

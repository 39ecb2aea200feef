#pragma once

#include <QHostAddress>
#include <QObject>

class QIODevice;
class QLocalServer;
class QTcpServer;

// Accepts consoles on the local socket <dir>/ScriboltPipe and, when asked,
// on a TCP port for consoles on other machines.
class ConsoleListener : public QObject
{
    Q_OBJECT
public:
    explicit ConsoleListener(QObject* parent = nullptr);
    ~ConsoleListener() override;
    ConsoleListener(const ConsoleListener&) = delete;
    ConsoleListener& operator=(const ConsoleListener&) = delete;
    ConsoleListener(ConsoleListener&&) = delete;
    ConsoleListener& operator=(ConsoleListener&&) = delete;

    // $SCRIBOLT_PIPE_DIR, else $XDG_RUNTIME_DIR/scribolt, else /tmp/scribolt-<uid>.
    static QString pipeDir();
    static QString pipePath();

    // Creates the folder (0700, ours), replaces a stale socket file, refuses
    // when another server answers on it. The socket gets mode 0600.
    bool listenLocal(QString* error);
    bool listenTcp(const QHostAddress& address, quint16 port, QString* error);
    quint16 tcpPort() const;

signals:
    void newConsole(QIODevice* socket, const QString& peer);

private:
    QLocalServer* m_local = nullptr;
    QTcpServer* m_tcp = nullptr;
    QString m_socketPath;
};

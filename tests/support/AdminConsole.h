#pragma once

#include <QLocalSocket>
#include <QString>
#include <QStringList>
#include <optional>

// The console's side of the server protocol, for tests: frames commands as
// the console does (UTF-16LE, one NUL unit, one write each) and opens the
// server's reply lines. Blocking calls with time limits; no event loop needed.
class AdminConsole
{
public:
    struct Reply
    {
        QString keyword; // lower-case
        QString argument;
    };

    AdminConsole() = default;
    AdminConsole(const AdminConsole&) = delete;
    AdminConsole& operator=(const AdminConsole&) = delete;

    bool connectTo(const QString& socketPath, int timeoutMs = 3000);
    bool isConnected() const { return m_socket.state() == QLocalSocket::ConnectedState; }
    void disconnect() { m_socket.abort(); }

    void send(const QString& command);
    void sendRaw(const QByteArray& bytes);

    // Waits for the next reply with this keyword (earlier replies of other
    // keywords stay queued); nullopt on timeout or when the server hangs up.
    std::optional<QString> waitFor(const QString& keyword, int timeoutMs = 3000);
    // All replies received so far and not yet taken, oldest first.
    QList<Reply> takeAll();
    // Reads what arrives for timeoutMs and returns everything queued.
    QList<Reply> collect(int timeoutMs);
    // True once the server closed the connection (waits up to timeoutMs).
    bool waitForHangUp(int timeoutMs = 3000);
    // A CR or zero byte ever seen in the server's bytes.
    bool sawForbiddenByte() const { return m_forbidden; }

    QLocalSocket& socket() { return m_socket; }

private:
    bool readMore(int timeoutMs);
    void parse();

    QLocalSocket m_socket;
    QByteArray m_buffer;
    QList<Reply> m_replies;
    bool m_forbidden = false;
};

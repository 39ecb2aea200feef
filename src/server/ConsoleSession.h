#pragma once

#include "server/Utf16LineReader.h"

#include <QObject>
#include <QPointer>

class QIODevice;

// One connected console (local socket or admin TCP). Opens the framed lines
// it sends and frames the replies; bounds what it may leave unread on either
// side, so a misbehaving console can only lose its own connection.
class ConsoleSession : public QObject
{
    Q_OBJECT
public:
    struct Limits
    {
        qsizetype maxLine = 1024 * 1024;
        qsizetype maxQueue = 16 * 1024 * 1024;
    };

    // Takes ownership of socket (a QLocalSocket or QTcpSocket).
    ConsoleSession(QIODevice* socket, int id, Limits limits, QObject* parent = nullptr);
    ~ConsoleSession() override;
    ConsoleSession(const ConsoleSession&) = delete;
    ConsoleSession& operator=(const ConsoleSession&) = delete;
    ConsoleSession(ConsoleSession&&) = delete;
    ConsoleSession& operator=(ConsoleSession&&) = delete;

    int id() const { return m_id; }
    void send(const QString& line);
    void drop(const QString& reason);

signals:
    void commandReceived(ConsoleSession* session, const QString& line);
    void problem(ConsoleSession* session, const QString& what);
    void closed(ConsoleSession* session);

private:
    void readSome();
    void onDisconnected();

    QPointer<QIODevice> m_socket;
    int m_id;
    Limits m_limits;
    Utf16LineReader m_reader;
    bool m_closed = false;
};

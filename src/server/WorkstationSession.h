#pragma once

#include <QObject>
#include <QStringList>

class QTcpSocket;
class QTimer;

// One workstation connection: UTF-8 text lines ended by LF, fields split at
// ";". Lines and the unread output are bounded; a workstation that does not
// say hello in time is dropped.
class WorkstationSession : public QObject
{
    Q_OBJECT
public:
    static constexpr qsizetype MaxLine = 4096;
    static constexpr qint64 MaxQueue = 1024 * 1024;
    static constexpr int HelloTimeoutMs = 10000;

    // Takes ownership of socket.
    explicit WorkstationSession(QTcpSocket* socket, QObject* parent = nullptr);
    WorkstationSession(const WorkstationSession&) = delete;
    WorkstationSession& operator=(const WorkstationSession&) = delete;
    WorkstationSession(WorkstationSession&&) = delete;
    WorkstationSession& operator=(WorkstationSession&&) = delete;

    QString peerAddress() const { return m_peer; }
    // Set once the hello was accepted.
    QString name() const { return m_name; }
    void accept(const QString& name);

    void send(const QStringList& fields);
    // Sends a last line, then closes.
    void closeWith(const QStringList& fields);
    void abort();

signals:
    void lineReceived(WorkstationSession* session, const QStringList& fields);
    void closed(WorkstationSession* session);

private:
    void readSome();
    void finish();

    QTcpSocket* m_socket;
    QTimer* m_helloTimer;
    QByteArray m_buffer;
    QString m_peer;
    QString m_name;
    bool m_closed = false;
};

#pragma once

#include <QObject>
#include <QString>

class QTcpSocket;
class QTimer;

// One simulated Scribolt workstation: connects, says hello, reports growing
// statistics, optionally edits the phrase file, and reconnects whenever the
// connection ends. Prints one line per event on stdout.
class SimulatedWorkstation : public QObject
{
    Q_OBJECT
public:
    struct Setup
    {
        QString name;
        QString version = QStringLiteral("8.0.21");
        QString password;
        QString host = QStringLiteral("127.0.0.1");
        quint16 port = 1026;
        bool editing = false;
        int statsIntervalMs = 1000;
        int reconnectMs = 1000;
    };

    explicit SimulatedWorkstation(const Setup& setup, QObject* parent = nullptr);
    SimulatedWorkstation(const SimulatedWorkstation&) = delete;
    SimulatedWorkstation& operator=(const SimulatedWorkstation&) = delete;
    SimulatedWorkstation(SimulatedWorkstation&&) = delete;
    SimulatedWorkstation& operator=(SimulatedWorkstation&&) = delete;

    void start();

private:
    void connectNow();
    void onConnected();
    void onLine(const QStringList& fields);
    void onDisconnected();
    void sendStats();
    void send(const QStringList& fields);
    void report(const QString& event);

    Setup m_setup;
    QTcpSocket* m_socket;
    QTimer* m_statsTimer;
    QTimer* m_retryTimer;
    QByteArray m_buffer;
    qint64 m_seconds = 0;
    double m_money = 0;
    bool m_welcomed = false;
};

#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// One console per user. The first start listens on a per-user local socket
// named "sbocm"; a later start sends it a request and exits. Requests:
// "show" (come to the front) and "reconnect" (the reconnect request).
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    explicit SingleInstance(QObject* parent = nullptr);
    ~SingleInstance() override;
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Sends the request to a running first instance; true when one took it.
    static bool sendToRunning(const QString& request, int timeoutMs = 2000);
    // Starts listening as the first instance; false when that fails.
    bool listen();

    static QString socketPath();

signals:
    void showRequested();
    void reconnectRequested();

private:
    void onNewConnection();

    QLocalServer* m_server = nullptr;
};

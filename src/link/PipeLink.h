#pragma once

#include "link/LineAssembler.h"
#include "link/ManualResetEvent.h"

#include <QByteArray>
#include <QEvent>
#include <QObject>
#include <QString>
#include <deque>
#include <functional>
#include <memory>
#include <utility>

class LinkHost;
class MainThreadCall;
class PipeTransport;
class TClientThread;
class TClientWriteThread;
class TConnectPipeThread;

// The console's connection to the server service: opening and dropping it,
// the reader, writer and reconnect threads, the command queue, and the
// dispatch of reply lines. Lives on the GUI thread; its fields are read and
// written there only.
class PipeLink : public QObject
{
    Q_OBJECT

public:
    // Event numbers as the window messages they stand for.
    static constexpr QEvent::Type WM_PIPEREPLY = QEvent::Type(QEvent::User + 0x428);  // WM_USER + 40

    PipeLink(LinkHost& host, const QString& consoleVersion, QObject* parent = nullptr);
    ~PipeLink() override;
    PipeLink(const PipeLink&) = delete;
    PipeLink& operator=(const PipeLink&) = delete;
    PipeLink(PipeLink&&) = delete;
    PipeLink& operator=(PipeLink&&) = delete;

    bool ConnectPipe(bool Silent);
    void DisconnectPipe();
    void ProcError(int E);
    void ProcReply(const QByteArray& Reply);
    QString GetDataToSend();
    void SendCommand(const QString& Cmd);
    void SendInitialQuery();
    void ReconBtnClick();
    bool isConnected() const;
    bool isReconnecting() const;
    // The window's destruction: reconnect thread, connection, writer, reader.
    void shutdown();

    bool IsNetworkPresent() const;
    // Replaces the system's answer; for a machine that cannot be taken off the network.
    void setNetworkProbe(std::function<bool()> probe) { m_networkProbe = std::move(probe); }

    // Characters held for an incomplete reply line.
    qsizetype bufferedChars() const { return m_pipeBuffer.partial().size(); }
    // Replies read but not yet dispatched.
    qsizetype queuedReplies() const { return qsizetype(PipeData.size()); }

    // Connection state, as the window shows it.
    QString fCurServer;
    QString fServVer;
    QString fServerIP;
    bool isCompatible = true;
    bool isStartFinished = false;
    bool ConfigMsgOn = false;

protected:
    void customEvent(QEvent* event) override;

private:
    void startConnection(std::shared_ptr<PipeTransport> pipe);
    void restartThreads(const std::shared_ptr<PipeTransport>& pipe);
    void stopConnectThread();
    void startConnectThread();
    void onPipeConnected(quint64 serial, std::shared_ptr<PipeTransport> pipe);
    void onReaderError(const PipeTransport* pipe, int E);
    void queueReply(int code, const QString& argument);
    void drainReplies();
    void dispatchReply(int code, const QString& argument);
    bool applyOwnReply(int code, const QString& argument, bool& handled);
    void offerDownload(int textId);

    LinkHost& m_host;
    const QString m_consoleVersion;
    std::unique_ptr<MainThreadCall> m_mainThread;
    std::shared_ptr<PipeTransport> PipeHandle;
    ManualResetEvent SendEvent;
    std::unique_ptr<TClientThread> ReadThread;
    std::unique_ptr<TClientWriteThread> WriteThread;
    std::unique_ptr<TConnectPipeThread> ConnectThread;
    quint64 m_connectSerial = 0;
    QString SendData;
    LineAssembler m_pipeBuffer;
    std::deque<std::pair<int, QString>> PipeData;
    bool m_drainPosted = false;
    int m_drainDepth = 0;
    bool m_shutDown = false;
    std::function<bool()> m_networkProbe;
};

#pragma once

#include "link/LinkThread.h"

#include <QString>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

class PipeTransport;

// The reconnect thread: one attempt to open the server location, then a
// pause, until an attempt succeeds or it is asked to stop. The opened
// connection is handed to the GUI thread without waiting; failed attempts are
// not reported. Stopping it cuts the pause short.
class TConnectPipeThread : public LinkThread
{
public:
    using ConnectedHandler = std::function<void(std::shared_ptr<PipeTransport> pipe)>;

    static constexpr int RetryIntervalMs = 1000;

    // onConnected runs on the GUI thread.
    TConnectPipeThread(MainThreadCall& mainThread, bool Silent, const QString& pName,
                       ConnectedHandler onConnected);
    ~TConnectPipeThread() override;

    const QString& fpName() const { return m_fpName; }
    bool fSilent() const { return m_fSilent; }

protected:
    void run() override;
    void wakeUp() override;

private:
    const QString m_fpName;
    const bool m_fSilent;
    ConnectedHandler m_onConnected;
    std::atomic<bool> m_cancel{false};
    std::mutex m_sleepMutex;
    std::condition_variable m_sleep;
};

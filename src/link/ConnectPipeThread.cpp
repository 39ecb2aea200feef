#include "link/ConnectPipeThread.h"

#include "link/MainThreadCall.h"
#include "link/PipeTransport.h"

#include <chrono>

TConnectPipeThread::TConnectPipeThread(MainThreadCall& mainThread, bool Silent, const QString& pName,
                                       ConnectedHandler onConnected)
    : LinkThread(mainThread), m_fpName(pName), m_fSilent(Silent), m_onConnected(std::move(onConnected))
{
    start();
}

TConnectPipeThread::~TConnectPipeThread()
{
    stopAndWait();
}

void TConnectPipeThread::wakeUp()
{
    {
        std::lock_guard lock(m_sleepMutex);
        m_cancel.store(true);
    }
    m_sleep.notify_all();
}

void TConnectPipeThread::run()
{
    while (!isTerminated() && !m_fpName.isEmpty()) {
        int error = 0;
        std::shared_ptr<PipeTransport> pipe = PipeTransport::open(m_fpName, error, &m_cancel);
        if (pipe) {
            // The handler is copied: the hand-over may run after this object is gone.
            m_mainThread.post([handler = m_onConnected, pipe] { handler(pipe); });
            return;
        }
        std::unique_lock lock(m_sleepMutex);
        m_sleep.wait_for(lock, std::chrono::milliseconds(RetryIntervalMs),
                         [this] { return m_cancel.load(); });
    }
}

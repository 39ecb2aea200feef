#include "link/LinkThread.h"

#include "link/MainThreadCall.h"

LinkThread::LinkThread(MainThreadCall& mainThread) : m_mainThread(mainThread) {}

LinkThread::~LinkThread()
{
    if (m_thread.joinable()) {
        terminate();
        stopAndWait();
    }
}

void LinkThread::start()
{
    m_thread = std::thread([this] {
        run();
        m_finished.store(true);
    });
}

void LinkThread::terminate()
{
    m_terminated.store(true);
    wakeUp();
}

void LinkThread::stopAndWait()
{
    terminate();
    m_mainThread.serveUntil([this] { return m_finished.load(); });
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

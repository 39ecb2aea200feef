#pragma once

#include <atomic>
#include <thread>

class MainThreadCall;

// A worker of the server link: starts running when created, never frees
// itself. stopAndWait() is called on the GUI thread and keeps serving the
// worker's main-thread calls while it waits, so a worker that is blocked in
// such a call can still reach its end.
class LinkThread
{
public:
    explicit LinkThread(MainThreadCall& mainThread);
    virtual ~LinkThread();
    LinkThread(const LinkThread&) = delete;
    LinkThread& operator=(const LinkThread&) = delete;

    void terminate();
    bool isTerminated() const { return m_terminated.load(); }
    bool isFinished() const { return m_finished.load(); }
    void stopAndWait();

protected:
    // Subclasses call this at the end of their constructor.
    void start();
    virtual void run() = 0;
    // Called by terminate() so that a blocking wait inside run() returns.
    virtual void wakeUp() {}

    MainThreadCall& m_mainThread;

private:
    std::atomic<bool> m_terminated{false};
    std::atomic<bool> m_finished{false};
    std::thread m_thread;
};

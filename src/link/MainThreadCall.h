#pragma once

#include <QObject>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>

class QSocketNotifier;

// Runs work from the link's threads on the GUI thread. Workers either wait for
// the call to finish (an exception it raises is raised again in the worker) or
// just post it. The hand-over uses a mutex-guarded queue and an eventfd that
// wakes the GUI thread's event loop, so no data travels inside Qt events.
class MainThreadCall : public QObject
{
    Q_OBJECT

public:
    explicit MainThreadCall(QObject* parent = nullptr); // on the GUI thread
    ~MainThreadCall() override;
    MainThreadCall(const MainThreadCall&) = delete;
    MainThreadCall& operator=(const MainThreadCall&) = delete;
    MainThreadCall(MainThreadCall&&) = delete;
    MainThreadCall& operator=(MainThreadCall&&) = delete;

    // Worker side. call() returns false when the call was dropped unrun
    // because this object is going away.
    bool call(std::function<void()> fn);
    void post(std::function<void()> fn);

    // GUI side: runs everything queued so far; returns whether anything ran.
    bool runPending();
    // GUI side: runs queued calls until done() is true, so a worker that is
    // waiting for one of them can reach its end.
    void serveUntil(const std::function<bool()>& done);

private:
    struct Call
    {
        std::function<void()> fn;
        bool done = false;
        bool dropped = false;
        std::exception_ptr error;
    };

    void enqueue(const std::shared_ptr<Call>& call);
    void wake();

    std::mutex m_mutex;
    std::condition_variable m_finished; // a waited call has run
    std::condition_variable m_arrived;  // something was queued
    std::deque<std::shared_ptr<Call>> m_queue;
    bool m_closing = false;
    int m_eventFd = -1;
    QSocketNotifier* m_notifier = nullptr;
};

#include "link/MainThreadCall.h"

#include <QSocketNotifier>
#include <sys/eventfd.h>
#include <unistd.h>

namespace {
constexpr auto ServeSlice = std::chrono::milliseconds(10);
}

MainThreadCall::MainThreadCall(QObject* parent)
    : QObject(parent), m_eventFd(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
{
    if (m_eventFd >= 0) {
        m_notifier = new QSocketNotifier(m_eventFd, QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, [this] {
            eventfd_t value = 0;
            ::eventfd_read(m_eventFd, &value);
            runPending();
        });
    }
}

MainThreadCall::~MainThreadCall()
{
    std::deque<std::shared_ptr<Call>> left;
    {
        std::lock_guard lock(m_mutex);
        m_closing = true;
        left.swap(m_queue);
        for (const auto& call : left) {
            call->dropped = true;
        }
    }
    m_finished.notify_all();
    delete m_notifier;
    if (m_eventFd >= 0) {
        ::close(m_eventFd);
    }
}

void MainThreadCall::enqueue(const std::shared_ptr<Call>& call)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_closing) {
            call->dropped = true;
            return;
        }
        m_queue.push_back(call);
    }
    m_arrived.notify_all();
    wake();
}

void MainThreadCall::wake()
{
    if (m_eventFd >= 0) {
        ::eventfd_write(m_eventFd, 1);
    }
}

bool MainThreadCall::call(std::function<void()> fn)
{
    auto call = std::make_shared<Call>();
    call->fn = std::move(fn);
    enqueue(call);
    std::unique_lock lock(m_mutex);
    m_finished.wait(lock, [&] { return call->done || call->dropped; });
    if (call->error) {
        std::rethrow_exception(call->error);
    }
    return call->done;
}

void MainThreadCall::post(std::function<void()> fn)
{
    auto call = std::make_shared<Call>();
    call->fn = std::move(fn);
    enqueue(call);
}

bool MainThreadCall::runPending()
{
    bool ran = false;
    for (;;) {
        std::shared_ptr<Call> call;
        {
            std::lock_guard lock(m_mutex);
            if (m_queue.empty()) {
                return ran;
            }
            call = std::move(m_queue.front());
            m_queue.pop_front();
        }
        std::exception_ptr error;
        try {
            call->fn();
        } catch (...) {
            error = std::current_exception();
        }
        {
            std::lock_guard lock(m_mutex);
            call->error = error;
            call->done = true;
        }
        m_finished.notify_all();
        ran = true;
    }
}

void MainThreadCall::serveUntil(const std::function<bool()>& done)
{
    while (!done()) {
        if (runPending()) {
            continue;
        }
        std::unique_lock lock(m_mutex);
        m_arrived.wait_for(lock, ServeSlice, [this] { return !m_queue.empty(); });
    }
}

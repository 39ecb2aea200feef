#pragma once

#include <condition_variable>
#include <mutex>

// An event that stays signalled until reset, as the writer's send event is.
class ManualResetEvent
{
public:
    ManualResetEvent() = default;
    ManualResetEvent(const ManualResetEvent&) = delete;
    ManualResetEvent& operator=(const ManualResetEvent&) = delete;

    void set()
    {
        {
            std::lock_guard lock(m_mutex);
            m_signalled = true;
        }
        m_cond.notify_all();
    }

    void reset()
    {
        std::lock_guard lock(m_mutex);
        m_signalled = false;
    }

    void wait()
    {
        std::unique_lock lock(m_mutex);
        m_cond.wait(lock, [this] { return m_signalled; });
    }

    bool isSet()
    {
        std::lock_guard lock(m_mutex);
        return m_signalled;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_cond;
    bool m_signalled = false;
};

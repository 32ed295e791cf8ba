#include "core/app/event_queue.h"

namespace kovra {

void EventQueue::post(std::function<void()> task)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_tasks.push_back(std::move(task));
    }
    m_ready.notify_one();
}

bool EventQueue::runUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        std::function<void()> task;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            if (!m_ready.wait_until(lock, deadline, [this] { return !m_tasks.empty(); }))
                return done();
            task = std::move(m_tasks.front());
            m_tasks.pop_front();
        }
        task();
    }
    return true;
}

void EventQueue::runPending()
{
    for (;;) {
        std::function<void()> task;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_tasks.empty())
                return;
            task = std::move(m_tasks.front());
            m_tasks.pop_front();
        }
        task();
    }
}

} // namespace kovra

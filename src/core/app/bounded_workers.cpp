#include "core/app/bounded_workers.h"

#include "core/platform/cancel_scope.h"

#include <algorithm>

namespace kovra {

BoundedWorkers::BoundedWorkers(int limit)
    : m_limit(std::max(1, limit))
    , m_scope(currentCancelScope())
{
}

BoundedWorkers::~BoundedWorkers()
{
    finish();
}

void BoundedWorkers::post(std::function<void()> task)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_tasks.push_back(std::move(task));
    if (m_idle == 0 && int(m_threads.size()) < m_limit)
        m_threads.emplace_back([this] { work(); });
    else
        m_wake.notify_one();
}

void BoundedWorkers::finish()
{
    std::vector<std::thread> threads;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_finishing = true;
        threads.swap(m_threads);
    }
    m_wake.notify_all();
    for (auto& thread : threads)
        thread.join();
}

void BoundedWorkers::work()
{
    EnterCancelScope enter(m_scope);
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        ++m_idle;
        m_wake.wait(lock, [this] { return !m_tasks.empty() || m_finishing; });
        --m_idle;
        if (m_tasks.empty())
            return;
        auto task = std::move(m_tasks.front());
        m_tasks.pop_front();
        lock.unlock();
        task();
        lock.lock();
    }
}

} // namespace kovra

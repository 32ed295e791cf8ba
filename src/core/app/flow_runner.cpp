#include "core/app/flow_runner.h"

#include <algorithm>

namespace kovra {

FlowRunner::~FlowRunner()
{
    waitAll();
}

void FlowRunner::start(std::function<void()> flow)
{
    joinFinished();
    auto finished = std::make_shared<std::atomic<bool>>(false);
    std::thread thread([flow = std::move(flow), finished, scope = &m_scope] {
        EnterCancelScope enter(scope);
        flow();
        finished->store(true);
    });
    std::lock_guard<std::mutex> lock(m_mutex);
    m_workers.push_back(Worker { std::move(thread), std::move(finished) });
}

void FlowRunner::joinFinished()
{
    std::vector<Worker> done;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto split = std::stable_partition(
            m_workers.begin(), m_workers.end(), [](const Worker& w) { return !w.finished->load(); });
        std::move(split, m_workers.end(), std::back_inserter(done));
        m_workers.erase(split, m_workers.end());
    }
    for (auto& w : done)
        w.thread.join();
}

void FlowRunner::waitAll()
{
    std::vector<Worker> all;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        all.swap(m_workers);
    }
    for (auto& w : all)
        w.thread.join();
}

int FlowRunner::running() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return int(std::count_if(
        m_workers.begin(), m_workers.end(), [](const Worker& w) { return !w.finished->load(); }));
}

} // namespace kovra

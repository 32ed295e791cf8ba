#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace kovra {

class CancelScope;

// Runs tasks on at most `limit` threads of its own, started as tasks come; the threads run
// in the cancel scope of the thread that made the workers. A unit's reads wait on the unit,
// not on the PC: run side by side, a search lasts about as long as its slowest unit.
class BoundedWorkers {
public:
    explicit BoundedWorkers(int limit);
    ~BoundedWorkers(); // finish()
    BoundedWorkers(const BoundedWorkers&) = delete;
    BoundedWorkers& operator=(const BoundedWorkers&) = delete;

    void post(std::function<void()> task);
    // Waits until every task posted has run, then ends the threads.
    void finish();

private:
    void work();

    const int m_limit;
    CancelScope* const m_scope;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_tasks;
    std::vector<std::thread> m_threads;
    int m_idle = 0;
    bool m_finishing = false;
};

} // namespace kovra

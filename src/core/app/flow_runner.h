#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace kovra {

// Runs flows on worker threads so that the GUI thread never waits on the network.
// Several flows may run at once (an address write does not block the ping button).
// The destructor waits for every flow still running.
class FlowRunner {
public:
    FlowRunner() = default;
    FlowRunner(const FlowRunner&) = delete;
    FlowRunner& operator=(const FlowRunner&) = delete;
    ~FlowRunner();

    void start(std::function<void()> flow);

    // Waits until every started flow has ended.
    void waitAll();

    // Number of flows still running.
    int running() const;

private:
    struct Worker {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> finished;
    };
    void joinFinished();

    mutable std::mutex m_mutex;
    std::vector<Worker> m_workers;
};

} // namespace kovra

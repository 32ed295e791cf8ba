#pragma once

#include "core/platform/cancel_scope.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace kovra {

// Runs flows on worker threads so that the GUI thread never waits on the network.
// Several flows may run at once (an address write does not block the ping button).
// Every worker runs inside the runner's cancel scope: cancel() makes their sockets and
// pauses fail at once, so that waitAll() after it returns within moments.
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

    // Ends the network waits of every running and later flow (the window is closing).
    void cancel() { m_scope.cancel(); }
    CancelScope& scope() { return m_scope; }

private:
    struct Worker {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> finished;
    };
    void joinFinished();

    CancelScope m_scope; // first: it outlives the workers
    mutable std::mutex m_mutex;
    std::vector<Worker> m_workers;
};

} // namespace kovra

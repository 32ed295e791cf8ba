#pragma once

#include "core/app/window_dispatcher.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

namespace kovra {

// A WindowDispatcher for programs without an event loop (the CLI, tests): posted tasks wait
// in a queue until the owning thread runs them.
class EventQueue : public WindowDispatcher {
public:
    void post(std::function<void()> task) override;

    // Runs queued tasks until `done` holds after a task (checked before each wait too) or
    // the time-out passes. Returns whether `done` held.
    bool runUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

    // Runs what is queued now, without waiting.
    void runPending();

private:
    std::mutex m_mutex;
    std::condition_variable m_ready;
    std::deque<std::function<void()>> m_tasks;
};

} // namespace kovra

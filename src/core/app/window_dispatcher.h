#pragma once

#include <functional>

namespace kovra {

// Carries a task to the thread that owns the window state (the GUI thread, or the CLI's
// main thread). Workers never touch that state directly: they post.
class WindowDispatcher {
public:
    virtual ~WindowDispatcher() = default;
    // Queues the task; it runs later on the owning thread, in posting order.
    virtual void post(std::function<void()> task) = 0;
};

} // namespace kovra

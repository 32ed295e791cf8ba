#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <set>

namespace kovra {

// What a window's flows run under, so that closing the window ends them at once: every
// socket opened on a thread inside the scope is registered with it, and cancel() shuts
// them all down, which wakes whatever waits on them; sockets opened later are shut down
// as they open, and pauses end early. The socket functions then fail with 10004.
class CancelScope {
public:
    CancelScope() = default;
    CancelScope(const CancelScope&) = delete;
    CancelScope& operator=(const CancelScope&) = delete;

    void cancel();
    bool cancelled() const;

    // Sockets of the scope (socket.cpp and the HTTP client register theirs).
    void add(int fd);
    void remove(int fd);

    // Waits ms milliseconds; false when the scope was cancelled before or meanwhile.
    bool pause(int ms);

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::set<int> m_fds;
    std::atomic<bool> m_cancelled { false }; // read on every transfer: no lock
};

// The scope of the calling thread; nullptr outside any.
CancelScope* currentCancelScope();

// Puts the calling thread into a scope for as long as it lives (nullptr: none).
class EnterCancelScope {
public:
    explicit EnterCancelScope(CancelScope* scope);
    ~EnterCancelScope();
    EnterCancelScope(const EnterCancelScope&) = delete;
    EnterCancelScope& operator=(const EnterCancelScope&) = delete;

private:
    CancelScope* m_previous;
};

// A pause inside the calling thread's scope (a plain sleep outside any); false when the
// scope was cancelled, so loops of tries end with it.
bool pauseFor(int ms);

} // namespace kovra

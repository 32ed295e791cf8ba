#include "core/platform/cancel_scope.h"

#include <chrono>
#include <sys/socket.h>
#include <thread>

namespace kovra {

namespace {

thread_local CancelScope* t_scope = nullptr;

} // namespace

void CancelScope::cancel()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_cancelled = true;
    for (int fd : m_fds)
        ::shutdown(fd, SHUT_RDWR);
    m_wake.notify_all();
}

bool CancelScope::cancelled() const
{
    return m_cancelled;
}

void CancelScope::add(int fd)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_fds.insert(fd);
    if (m_cancelled)
        ::shutdown(fd, SHUT_RDWR);
}

void CancelScope::remove(int fd)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_fds.erase(fd);
}

bool CancelScope::pause(int ms)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return !m_wake.wait_for(
        lock, std::chrono::milliseconds(ms < 0 ? 0 : ms), [this] { return m_cancelled.load(); });
}

CancelScope* currentCancelScope()
{
    return t_scope;
}

EnterCancelScope::EnterCancelScope(CancelScope* scope)
    : m_previous(t_scope)
{
    t_scope = scope;
}

EnterCancelScope::~EnterCancelScope()
{
    t_scope = m_previous;
}

bool pauseFor(int ms)
{
    if (t_scope)
        return t_scope->pause(ms);
    std::this_thread::sleep_for(std::chrono::milliseconds(ms < 0 ? 0 : ms));
    return true;
}

} // namespace kovra

#pragma once

// A one-connection TCP peer on 127.0.0.1 for the socket layer's tests: it accepts one
// connection and runs a script on it on its own thread, then closes.

#include "core/platform/bind_address.h"
#include "core/platform/ipv4.h"

#include <functional>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace kovra::test {

// The peer gives up waiting for the client after this long, so a failing test ends.
constexpr int kPeerPatienceMs = 5000;

inline Ipv4 loopback()
{
    return makeIpv4(127, 0, 0, 1);
}

// A listening socket on 127.0.0.1 with a free port; -1 on failure.
inline int listenOnLoopback(int backlog, uint16_t& port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in sa {};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = loopback();
    socklen_t length = sizeof sa;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0 || ::listen(fd, backlog) != 0
        || ::getsockname(fd, reinterpret_cast<sockaddr*>(&sa), &length) != 0) {
        if (fd >= 0)
            ::close(fd);
        return -1;
    }
    port = ntohs(sa.sin_port);
    return fd;
}

inline void sendBytes(int fd, const std::string& bytes)
{
    ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
}

// Keeps the connection open until the client closes it (or the peer's patience ends).
inline void holdUntilClientCloses(int fd)
{
    char scratch[256];
    pollfd p { fd, POLLIN, 0 };
    while (::poll(&p, 1, kPeerPatienceMs) > 0 && ::recv(fd, scratch, sizeof scratch, 0) > 0) { }
}

class LoopbackPeer {
public:
    explicit LoopbackPeer(std::function<void(int)> script)
    {
        m_listener = listenOnLoopback(1, m_port);
        m_thread = std::thread([this, script = std::move(script)] {
            pollfd p { m_listener, POLLIN, 0 };
            if (::poll(&p, 1, kPeerPatienceMs) <= 0)
                return;
            const int fd = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd < 0)
                return;
            script(fd);
            ::close(fd);
        });
    }
    ~LoopbackPeer()
    {
        m_thread.join();
        if (m_listener >= 0)
            ::close(m_listener);
    }
    LoopbackPeer(const LoopbackPeer&) = delete;
    LoopbackPeer& operator=(const LoopbackPeer&) = delete;

    uint16_t port() const { return m_port; }

private:
    int m_listener = -1;
    uint16_t m_port = 0;
    std::thread m_thread;
};

// Binds every socket of a test to 127.0.0.1 and puts the previous address back after.
class LoopbackBinding {
public:
    LoopbackBinding()
        : m_saved(bindAddress())
    {
        setBindAddress(loopback());
    }
    ~LoopbackBinding() { setBindAddress(m_saved); }

private:
    Ipv4 m_saved;
};

} // namespace kovra::test

#include "core/platform/socket.h"

#include "core/platform/bind_address.h"
#include "core/platform/cancel_scope.h"
#include "core/platform/socket_error.h"

#include <cerrno>
#include <chrono>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

namespace kovra {

Socket::Socket(int fd)
    : m_fd(fd)
    , m_scope(fd >= 0 ? currentCancelScope() : nullptr)
{
    if (m_scope)
        m_scope->add(fd);
}

Socket::Socket(Socket&& other) noexcept
    : m_fd(other.m_fd)
    , m_scope(other.m_scope)
{
    other.m_fd = -1;
    other.m_scope = nullptr;
}

Socket& Socket::operator=(Socket&& other) noexcept
{
    if (this != &other) {
        close();
        m_fd = other.m_fd;
        m_scope = other.m_scope;
        other.m_fd = -1;
        other.m_scope = nullptr;
    }
    return *this;
}

void Socket::close()
{
    if (m_fd >= 0) {
        // Out of the scope first: a cancel must never shut down a number reused meanwhile.
        if (m_scope)
            m_scope->remove(m_fd);
        ::close(m_fd);
        m_fd = -1;
    }
    m_scope = nullptr;
}

bool Socket::cancelled() const
{
    return m_scope && m_scope->cancelled();
}

namespace {

sockaddr_in socketAddress(Ipv4 address, uint16_t port)
{
    sockaddr_in sa {};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(port);
    sa.sin_addr.s_addr = address;
    return sa;
}

int createBound(int type, Socket& out)
{
    out.close();
    Socket s(::socket(AF_INET, type | SOCK_CLOEXEC, 0));
    if (!s.isOpen())
        return -1;
    const sockaddr_in local = socketAddress(bindAddress(), 0);
    if (::bind(s.fd(), reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0)
        return -1;
    out = std::move(s);
    return 0;
}

// Failures of a blocking send or receive: an expired time-out shows as EAGAIN here and
// as 10060 on Windows; callers rely on the latter.
int transferError()
{
    if (errno == EAGAIN || errno == EWOULDBLOCK)
        return kSocketTimedOut;
    return lastSocketError();
}

// Waits until poll reports any of `events`, an error or a hang-up, at most timeoutMs
// in total however often a signal interrupts it.
int waitFor(const Socket& socket, short events, int timeoutMs)
{
    if (!socket.isOpen())
        return kSocketNotSocket;
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
    for (;;) {
        const auto left
            = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd p { socket.fd(), events, 0 };
        const int n = ::poll(&p, 1, left > 0 ? int(left) : 0);
        if (socket.cancelled())
            return kSocketInterrupted;
        if (n > 0)
            return (p.revents & POLLNVAL) ? kSocketNotSocket : 0;
        if (n == 0)
            return kSocketTimedOut;
        if (errno != EINTR)
            return lastSocketError();
    }
}

int setTimeoutOption(const Socket& socket, int option, int timeoutMs)
{
    if (timeoutMs < 0)
        return kSocketInvalidArgument;
    timeval tv {};
    tv.tv_sec = timeoutMs / 1000;
    tv.tv_usec = (timeoutMs % 1000) * 1000;
    return ::setsockopt(socket.fd(), SOL_SOCKET, option, &tv, sizeof tv) == 0 ? 0 : lastSocketError();
}

} // namespace

int createUdpSocket(Socket& out)
{
    return createBound(SOCK_DGRAM, out);
}

int createTcpSocket(Socket& out)
{
    return createBound(SOCK_STREAM, out);
}

int allowBroadcast(const Socket& socket)
{
    const int on = 1;
    return ::setsockopt(socket.fd(), SOL_SOCKET, SO_BROADCAST, &on, sizeof on) == 0 ? 0 : lastSocketError();
}

int setSendTimeout(const Socket& socket, int timeoutMs)
{
    return setTimeoutOption(socket, SO_SNDTIMEO, timeoutMs);
}

int setReceiveTimeout(const Socket& socket, int timeoutMs)
{
    return setTimeoutOption(socket, SO_RCVTIMEO, timeoutMs);
}

int setTimeouts(const Socket& socket, int timeoutMs)
{
    const int result = setSendTimeout(socket, timeoutMs);
    return result != 0 ? result : setReceiveTimeout(socket, timeoutMs);
}

size_t drainInput(const Socket& socket)
{
    char scratch[2048];
    size_t dropped = 0;
    while (dropped < kDrainLimitBytes) {
        const ssize_t n = ::recv(socket.fd(), scratch, sizeof scratch, MSG_DONTWAIT);
        if (n < 0 && errno == EINTR)
            continue;
        // Nothing more pending, the peer closed, or an error: in every case nothing to drop.
        if (n <= 0)
            break;
        dropped += size_t(n);
    }
    return dropped;
}

int sendAll(const Socket& socket, const void* data, size_t length)
{
    const char* next = static_cast<const char*>(data);
    size_t left = length;
    while (left > 0) {
        const ssize_t n = ::send(socket.fd(), next, left, MSG_NOSIGNAL);
        if (socket.cancelled())
            return kSocketInterrupted;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return transferError();
        }
        next += n;
        left -= size_t(n);
    }
    return 0;
}

int sendDatagram(const Socket& socket, Ipv4 destination, uint16_t port, const void* data, size_t length)
{
    const sockaddr_in to = socketAddress(destination, port);
    for (;;) {
        if (socket.cancelled())
            return kSocketInterrupted;
        if (::sendto(
                socket.fd(), data, length, MSG_NOSIGNAL, reinterpret_cast<const sockaddr*>(&to), sizeof to)
            >= 0)
            return 0;
        if (errno != EINTR)
            return transferError();
    }
}

int receiveSome(const Socket& socket, void* buffer, size_t capacity, size_t& received)
{
    received = 0;
    for (;;) {
        const ssize_t n = ::recv(socket.fd(), buffer, capacity, 0);
        if (socket.cancelled())
            return kSocketInterrupted;
        if (n > 0) {
            received = size_t(n);
            return 0;
        }
        if (n == 0)
            return kSocketDisconnected;
        if (errno != EINTR)
            return transferError();
    }
}

int receiveDatagram(
    const Socket& socket, void* buffer, size_t capacity, size_t& received, Ipv4* from, uint16_t* fromPort)
{
    received = 0;
    sockaddr_in peer {};
    for (;;) {
        socklen_t peerLength = sizeof peer;
        // MSG_TRUNC makes recvfrom report the datagram's real length.
        const ssize_t n = ::recvfrom(
            socket.fd(), buffer, capacity, MSG_TRUNC, reinterpret_cast<sockaddr*>(&peer), &peerLength);
        if (socket.cancelled())
            return kSocketInterrupted;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return transferError();
        }
        if (from)
            *from = peer.sin_addr.s_addr;
        if (fromPort)
            *fromPort = ntohs(peer.sin_port);
        if (size_t(n) > capacity) {
            received = capacity;
            return kSocketMessageSize;
        }
        received = size_t(n);
        return 0;
    }
}

int waitReadable(const Socket& socket, int timeoutMs)
{
    return waitFor(socket, POLLIN, timeoutMs);
}

int waitWritable(const Socket& socket, int timeoutMs)
{
    return waitFor(socket, POLLOUT, timeoutMs);
}

} // namespace kovra

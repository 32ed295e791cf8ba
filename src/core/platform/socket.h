#pragma once

#include "core/platform/ipv4.h"

#include <cstddef>
#include <cstdint>

namespace kovra {

class CancelScope;

// One socket, open for one exchange and closed when it goes out of scope, so that every
// return path closes it. Move-only. A socket opened inside a cancel scope (cancel_scope.h)
// belongs to it: once the scope is cancelled every transfer and wait on it fails with 10004.
class Socket {
public:
    Socket() = default;
    explicit Socket(int fd);
    ~Socket() { close(); }
    Socket(Socket&& other) noexcept;
    Socket& operator=(Socket&& other) noexcept;
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;

    int fd() const { return m_fd; }
    bool isOpen() const { return m_fd >= 0; }
    void close();
    bool cancelled() const;

private:
    int m_fd = -1;
    CancelScope* m_scope = nullptr;
};

// Drained input stops after this many bytes, so a unit that never stops sending cannot
// hold the caller.
constexpr size_t kDrainLimitBytes = 64 * 1024;

// A UDP or TCP socket bound to bindAddress() with local port 0.
// Results: 0; -1 when the socket cannot be created or bound (`out` stays closed).
int createUdpSocket(Socket& out);
int createTcpSocket(Socket& out);

// Lets a UDP socket send to broadcast addresses. Results: 0 or the socket error.
int allowBroadcast(const Socket& socket);

// Send and receive time-outs of a blocking socket, in milliseconds (0 = wait forever).
// A send or receive that runs out of time then fails with 10060.
// Results: 0 or the socket error.
int setSendTimeout(const Socket& socket, int timeoutMs);
int setReceiveTimeout(const Socket& socket, int timeoutMs);
int setTimeouts(const Socket& socket, int timeoutMs);

// Reads and drops whatever has already arrived, without waiting (datagrams or stream
// bytes, at most kDrainLimitBytes). Returns the number of bytes dropped.
size_t drainInput(const Socket& socket);

// Sends all `length` bytes on a connected socket, as often as the stack needs.
// Results: 0; 10060 when the send time-out expired; other socket errors (10054 when the
// peer has reset the connection).
int sendAll(const Socket& socket, const void* data, size_t length);

// Sends one datagram to destination:port. Results: 0 or the socket error (10013 for a
// broadcast without allowBroadcast, 10040 for a datagram too large).
int sendDatagram(const Socket& socket, Ipv4 destination, uint16_t port, const void* data, size_t length);

// Receives what a stream socket has, at most `capacity` bytes, waiting as the receive
// time-out allows. Results: 0 with `received` > 0; 10101 when the peer has closed the
// connection; 10060 when the receive time-out expired; other socket errors.
// `received` is 0 on every failure.
int receiveSome(const Socket& socket, void* buffer, size_t capacity, size_t& received);

// Receives one datagram; `from`/`fromPort` (optional) get the sender.
// Results: 0 with `received` bytes (possibly 0); 10040 when the datagram was longer than
// `capacity` (the buffer holds its first `capacity` bytes, the rest is lost, as on
// Windows); 10060 when the receive time-out expired; other socket errors.
int receiveDatagram(const Socket& socket, void* buffer, size_t capacity, size_t& received,
    Ipv4* from = nullptr, uint16_t* fromPort = nullptr);

// Waits at most timeoutMs (0 = just look) until a read would not block: data, a closed
// connection or a pending error. Results: 0 readable; 10060 nothing came in time; other
// socket errors.
int waitReadable(const Socket& socket, int timeoutMs);

// As waitReadable, until a send would not block or a connect has finished either way.
int waitWritable(const Socket& socket, int timeoutMs);

} // namespace kovra

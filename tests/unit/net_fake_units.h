#pragma once

// Small stand-ins for units, written with plain POSIX sockets on loopback, so the
// network code is tested against real sockets without the simulator.

#include "core/platform/ipv4.h"
#include "core/units/unit_table.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kovra::test {

using Bytes = std::vector<uint8_t>;

// A loopback address of its own for each fake unit: 127.<from the process id>.x.y, so
// that tests running side by side in other processes do not meet.
Ipv4 nextLoopbackAddress();

// Bytes of a text, optionally followed by the end mark C8h.
Bytes textBytes(const char* text, bool endMark = false);

// A unit's discovery port: a UDP socket on address:30718 (or, for the bench's broadcast
// tests, a listener on 0.0.0.0:30718 with the answer sent from `address`). Each request
// is recorded and answered with the datagrams that the script returns.
class FakeDiscoveryUnit {
public:
    using Script = std::function<std::vector<Bytes>(const Bytes& request)>;

    FakeDiscoveryUnit(Ipv4 address, Script script, bool receiveBroadcasts = false);
    ~FakeDiscoveryUnit();
    FakeDiscoveryUnit(const FakeDiscoveryUnit&) = delete;
    FakeDiscoveryUnit& operator=(const FakeDiscoveryUnit&) = delete;

    Ipv4 address() const { return m_address; }
    std::vector<Bytes> requests() const;

private:
    void run();

    Ipv4 m_address;
    Script m_script;
    int m_answerSocket = -1;
    int m_listenSocket = -1; // the answer socket itself unless broadcasts are received
    std::atomic<bool> m_stop { false };
    mutable std::mutex m_mutex;
    std::vector<Bytes> m_requests;
    std::thread m_thread;
};

// One accepted connection of a FakeCommandUnit.
class FakeConnection {
public:
    explicit FakeConnection(int fd)
        : m_fd(fd)
    {
    }
    // Reads up to `count` bytes, stopping early when the peer closes or nothing comes for
    // timeoutMs.
    Bytes read(size_t count, int timeoutMs = 3000);
    // Reads up to and including the end mark C8h (or until closed / timeoutMs).
    Bytes readFrame(int timeoutMs = 3000);
    void write(const Bytes& bytes);
    // Bytes read on this connection so far.
    const Bytes& received() const { return m_received; }

private:
    int m_fd;
    Bytes m_received;
};

// A unit's TCP port: accepts one connection at a time on address:<ephemeral port> and
// runs the session on it; the connection closes when the session returns.
class FakeCommandUnit {
public:
    using Session = std::function<void(FakeConnection&)>;

    FakeCommandUnit(Ipv4 address, Session session);
    ~FakeCommandUnit();
    FakeCommandUnit(const FakeCommandUnit&) = delete;
    FakeCommandUnit& operator=(const FakeCommandUnit&) = delete;

    uint16_t port() const { return m_port; }
    std::string ipText() const { return ipv4ToText(m_address); }
    int connections() const { return m_connections.load(); }
    // The bytes received on each connection, in order, once `sessions` connections have
    // ended (or after 3 s, with what there is).
    std::vector<Bytes> received(size_t sessions = 1) const;

private:
    void run();

    Ipv4 m_address;
    Session m_session;
    int m_listenSocket = -1;
    uint16_t m_port = 0;
    std::atomic<bool> m_stop { false };
    std::atomic<int> m_connections { 0 };
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_ended;
    std::vector<Bytes> m_received;
    std::thread m_thread;
};

// A port on loopback where nobody listens (bound and closed again).
uint16_t closedPort(Ipv4 address);

// A direct command's request or answer as text: the bytes, then the end mark C8h.
std::string framed(const std::string& body);

// A session answering each framed request with the text `answer` returns for it; an empty
// answer closes the connection.
FakeCommandUnit::Session answeringText(std::function<std::string(const std::string&)> answer);

// A unit of that model whose command port is the fake unit's.
UnitSlot slotOf(int model, const FakeCommandUnit& unit);

} // namespace kovra::test

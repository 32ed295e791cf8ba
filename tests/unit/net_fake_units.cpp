#include "net_fake_units.h"

#include <algorithm>
#include <arpa/inet.h>
#include <chrono>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace kovra::test {

namespace {

constexpr uint16_t kDiscoveryPortNumber = 30718;
constexpr int kPollMs = 20;

sockaddr_in socketAddress(Ipv4 address, uint16_t port)
{
    sockaddr_in sa {};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(port);
    sa.sin_addr.s_addr = address;
    return sa;
}

int boundSocket(int type, Ipv4 address, uint16_t port)
{
    const int fd = ::socket(AF_INET, type | SOCK_CLOEXEC, 0);
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    const sockaddr_in local = socketAddress(address, port);
    if (fd < 0 || ::bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
        const std::string what = "fake unit cannot bind " + ipv4ToText(address) + ":" + std::to_string(port)
            + ": " + std::strerror(errno);
        if (fd >= 0)
            ::close(fd);
        throw std::runtime_error(what);
    }
    return fd;
}

bool waitReadable(int fd, int timeoutMs)
{
    pollfd p { fd, POLLIN, 0 };
    return ::poll(&p, 1, timeoutMs) > 0;
}

} // namespace

Ipv4 nextLoopbackAddress()
{
    static std::atomic<int> counter { 0 };
    const int n = counter++;
    return makeIpv4(127, uint8_t(64 + ::getpid() % 128), uint8_t(1 + n / 250), uint8_t(1 + n % 250));
}

Bytes textBytes(const char* text, bool endMark)
{
    Bytes bytes(text, text + std::strlen(text));
    if (endMark)
        bytes.push_back(0xC8);
    return bytes;
}

// --- Discovery port ---

FakeDiscoveryUnit::FakeDiscoveryUnit(Ipv4 address, Script script, bool receiveBroadcasts)
    : m_address(address)
    , m_script(std::move(script))
{
    m_answerSocket = boundSocket(SOCK_DGRAM, address, kDiscoveryPortNumber);
    m_listenSocket
        = receiveBroadcasts ? boundSocket(SOCK_DGRAM, INADDR_ANY, kDiscoveryPortNumber) : m_answerSocket;
    m_thread = std::thread([this] { run(); });
}

FakeDiscoveryUnit::~FakeDiscoveryUnit()
{
    m_stop = true;
    m_thread.join();
    if (m_listenSocket != m_answerSocket)
        ::close(m_listenSocket);
    ::close(m_answerSocket);
}

std::vector<Bytes> FakeDiscoveryUnit::requests() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests;
}

void FakeDiscoveryUnit::run()
{
    while (!m_stop) {
        pollfd fds[2] = { { m_answerSocket, POLLIN, 0 }, { m_listenSocket, POLLIN, 0 } };
        const nfds_t count = m_listenSocket == m_answerSocket ? 1 : 2;
        if (::poll(fds, count, kPollMs) <= 0)
            continue;
        for (nfds_t i = 0; i < count; ++i) {
            if (!(fds[i].revents & POLLIN))
                continue;
            uint8_t buffer[2048];
            sockaddr_in from {};
            socklen_t fromLength = sizeof from;
            const ssize_t n = ::recvfrom(
                fds[i].fd, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &fromLength);
            if (n < 0)
                continue;
            const Bytes request(buffer, buffer + n);
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_requests.push_back(request);
            }
            for (const Bytes& answer : m_script(request))
                ::sendto(m_answerSocket, answer.data(), answer.size(), 0, reinterpret_cast<sockaddr*>(&from),
                    fromLength);
        }
    }
}

// --- Command port ---

Bytes FakeConnection::read(size_t count, int timeoutMs)
{
    Bytes bytes;
    while (bytes.size() < count && waitReadable(m_fd, timeoutMs)) {
        uint8_t buffer[512];
        const ssize_t n = ::recv(m_fd, buffer, std::min(sizeof buffer, count - bytes.size()), 0);
        if (n <= 0)
            break;
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    m_received.insert(m_received.end(), bytes.begin(), bytes.end());
    return bytes;
}

Bytes FakeConnection::readFrame(int timeoutMs)
{
    Bytes frame;
    for (;;) {
        const Bytes byte = read(1, timeoutMs);
        if (byte.empty())
            return frame;
        frame.push_back(byte[0]);
        if (byte[0] == 0xC8)
            return frame;
    }
}

void FakeConnection::write(const Bytes& bytes)
{
    ::send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
}

FakeCommandUnit::FakeCommandUnit(Ipv4 address, Session session)
    : m_address(address)
    , m_session(std::move(session))
{
    m_listenSocket = boundSocket(SOCK_STREAM, address, 0);
    ::listen(m_listenSocket, 8);
    sockaddr_in local {};
    socklen_t length = sizeof local;
    ::getsockname(m_listenSocket, reinterpret_cast<sockaddr*>(&local), &length);
    m_port = ntohs(local.sin_port);
    m_thread = std::thread([this] { run(); });
}

FakeCommandUnit::~FakeCommandUnit()
{
    m_stop = true;
    m_thread.join();
    ::close(m_listenSocket);
}

std::vector<Bytes> FakeCommandUnit::received(size_t sessions) const
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_ended.wait_for(lock, std::chrono::seconds(3), [&] { return m_received.size() >= sessions; });
    return m_received;
}

void FakeCommandUnit::run()
{
    while (!m_stop) {
        if (!waitReadable(m_listenSocket, kPollMs))
            continue;
        const int fd = ::accept4(m_listenSocket, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        ++m_connections;
        FakeConnection connection(fd);
        m_session(connection);
        ::close(fd);
        std::lock_guard<std::mutex> lock(m_mutex);
        m_received.push_back(connection.received());
        m_ended.notify_all();
    }
}

uint16_t closedPort(Ipv4 address)
{
    const int fd = boundSocket(SOCK_STREAM, address, 0);
    sockaddr_in local {};
    socklen_t length = sizeof local;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&local), &length);
    ::close(fd);
    return ntohs(local.sin_port);
}

std::string framed(const std::string& body)
{
    return body + '\xC8';
}

FakeCommandUnit::Session answeringText(std::function<std::string(const std::string&)> answer)
{
    return [answer = std::move(answer)](FakeConnection& connection) {
        for (Bytes request = connection.readFrame(); !request.empty(); request = connection.readFrame()) {
            const std::string reply = answer(std::string(request.begin(), request.end()));
            if (reply.empty())
                return;
            connection.write(Bytes(reply.begin(), reply.end()));
        }
    };
}

UnitSlot slotOf(int model, const FakeCommandUnit& unit)
{
    UnitSlot slot;
    slot.record.ipText = unit.ipText();
    slot.record.setUnitPort(unit.port());
    slot.record.modelIndex = model;
    return slot;
}

} // namespace kovra::test

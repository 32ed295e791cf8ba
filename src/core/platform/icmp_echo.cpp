#include "core/platform/icmp_echo.h"

#include "core/platform/bind_address.h"
#include "core/platform/cancel_scope.h"
#include "core/platform/icmp_echo_message.h"
#include "core/platform/socket.h"
#include "core/platform/socket_error.h"

#include <atomic>
#include <chrono>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <vector>

namespace kovra {

namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t kReceiveBufferBytes = 1500;
constexpr int kNoReply = -1;

// Identifier and sequence number of every request; one more per request, process-wide.
std::atomic<uint32_t> g_requestCounter { 0 };

uint16_t nextRequestNumber()
{
    return uint16_t(++g_requestCounter);
}

uint32_t tickCountMs()
{
    return uint32_t(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch()).count());
}

int openIcmpSocket(IcmpSocketKind kind, Socket& out, bool& raw)
{
    if (kind != IcmpSocketKind::Raw) {
        out = Socket(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP));
        raw = false;
    }
    if (!out.isOpen() && kind != IcmpSocketKind::Datagram) {
        out = Socket(::socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP));
        raw = true;
    }
    if (!out.isOpen())
        return lastSocketError();
    sockaddr_in local {};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = bindAddress();
    if (::bind(out.fd(), reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0)
        return lastSocketError();
    return 0;
}

// The identifier replies carry: a datagram socket's requests go out with the socket's
// own number in place of ours, and the kernel hands it only replies with that number.
uint16_t replyIdentifier(const Socket& socket, bool raw, uint16_t sent)
{
    if (raw)
        return sent;
    sockaddr_in local {};
    socklen_t length = sizeof local;
    ::getsockname(socket.fd(), reinterpret_cast<sockaddr*>(&local), &length);
    return ntohs(local.sin_port);
}

// Sends `request`, whose identifier and sequence number are both `number`, and awaits its reply.
int exchangeEcho(
    Ipv4 address, const std::vector<uint8_t>& request, uint16_t number, int timeoutMs, IcmpSocketKind kind)
{
    Socket s;
    bool raw = false;
    int result = openIcmpSocket(kind, s, raw);
    if (result != 0)
        return result;
    result = sendDatagram(s, address, 0, request.data(), request.size());
    if (result != 0)
        return result;
    const uint16_t identifier = replyIdentifier(s, raw, number);

    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
    std::vector<uint8_t> buffer(kReceiveBufferBytes);
    for (;;) {
        const auto left
            = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return kNoReply;
        result = waitReadable(s, int(left));
        if (result == kSocketTimedOut)
            return kNoReply;
        if (result != 0)
            return result;
        size_t received = 0;
        Ipv4 from = 0;
        result = receiveDatagram(s, buffer.data(), buffer.size(), received, &from);
        // A longer datagram than any reply we await is someone else's: skip it.
        if (result == kSocketMessageSize)
            continue;
        if (result != 0)
            return result;
        EchoReply reply;
        if (parseEchoReply(buffer.data(), received, raw, reply) && from == address
            && reply.identifier == identifier && reply.sequence == number)
            return 0;
    }
}

} // namespace

int pingEcho(Ipv4 address, const std::string& data, int timeoutMs, IcmpSocketKind kind)
{
    const uint16_t number = nextRequestNumber();
    const auto request
        = buildEchoRequest(number, number, reinterpret_cast<const uint8_t*>(data.data()), data.size());
    return exchangeEcho(address, request, number, timeoutMs, kind);
}

int pingHost(const std::string& name, IcmpSocketKind kind)
{
    addrinfo hints {};
    hints.ai_family = AF_INET;
    addrinfo* found = nullptr;
    const int resolved = ::getaddrinfo(name.c_str(), nullptr, &hints, &found);
    if (resolved != 0)
        return socketErrorFromResolver(resolved);
    const Ipv4 address = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr.s_addr;
    ::freeaddrinfo(found);
    const uint16_t number = nextRequestNumber();
    return exchangeEcho(address, buildPingRequest(number, tickCountMs()), number, kPingReplyTimeoutMs, kind);
}

int pingRepeated(const std::string& name, int count, IcmpSocketKind kind)
{
    int result = kNoReply;
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !pauseFor(kPingRetryPauseMs))
            break;
        result = pingHost(name, kind);
        if (result == 0)
            break;
    }
    return result;
}

} // namespace kovra

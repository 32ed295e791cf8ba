#include "core/platform/route_netlink.h"

#include "core/platform/socket.h"
#include "core/platform/socket_error.h"

#include <cerrno>
#include <cstring>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>
#include <vector>

namespace kovra {

namespace {
// Large enough for any dump datagram the kernel sends (it fills at most a page or two).
constexpr size_t kDumpBufferBytes = 64 * 1024;
constexpr uint32_t kKernelPort = 0;
constexpr uint32_t kRequestSequence = 1;
} // namespace

int runRouteDump(
    uint16_t requestType, uint8_t family, size_t headerSize, const RouteMessageHandler& onMessage)
{
    Socket s(::socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_ROUTE));
    if (!s.isOpen())
        return lastSocketError();
    int result = setReceiveTimeout(s, kRouteDumpTimeoutMs);
    if (result != 0)
        return result;

    // Every table's fixed header starts with the address family; the rest stays zero.
    std::vector<uint8_t> request(NLMSG_LENGTH(headerSize));
    nlmsghdr header {};
    header.nlmsg_len = uint32_t(request.size());
    header.nlmsg_type = requestType;
    header.nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
    header.nlmsg_seq = kRequestSequence;
    std::memcpy(request.data(), &header, sizeof header);
    request[NLMSG_HDRLEN] = family;
    sockaddr_nl kernel {};
    kernel.nl_family = AF_NETLINK;
    kernel.nl_pid = kKernelPort;
    if (::sendto(s.fd(), request.data(), request.size(), 0, reinterpret_cast<const sockaddr*>(&kernel),
            sizeof kernel)
        < 0)
        return lastSocketError();

    std::vector<uint8_t> buffer(kDumpBufferBytes);
    for (;;) {
        sockaddr_nl from {};
        socklen_t fromLength = sizeof from;
        const ssize_t n = ::recvfrom(
            s.fd(), buffer.data(), buffer.size(), MSG_TRUNC, reinterpret_cast<sockaddr*>(&from), &fromLength);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno == EAGAIN || errno == EWOULDBLOCK ? kSocketTimedOut : lastSocketError();
        }
        if (size_t(n) > buffer.size())
            return kSocketMessageSize;
        if (from.nl_pid != kKernelPort)
            continue;
        const int status = walkRouteMessages(buffer.data(), size_t(n), onMessage);
        if (status == kRouteDumpDone)
            return 0;
        if (status < 0)
            return socketErrorFromErrno(-status);
    }
}

int dumpRouteTable(uint16_t requestType, RouteRecords& records)
{
    const bool addresses = requestType == RTM_GETADDR;
    return runRouteDump(requestType, addresses ? AF_INET : AF_UNSPEC,
        addresses ? sizeof(ifaddrmsg) : sizeof(ifinfomsg),
        [&](uint16_t type, const uint8_t* body, size_t length) {
            parseRouteMessage(type, body, length, records);
        });
}

} // namespace kovra

#include "core/platform/route_netlink.h"

#include "core/platform/socket.h"
#include "core/platform/socket_error.h"

#include <cerrno>
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

int dumpRouteTable(uint16_t requestType, RouteRecords& records)
{
    Socket s(::socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_ROUTE));
    if (!s.isOpen())
        return lastSocketError();
    int result = setReceiveTimeout(s, kRouteDumpTimeoutMs);
    if (result != 0)
        return result;

    // Link and address requests both start their body with the address family; the
    // larger body serves both.
    struct {
        nlmsghdr header;
        ifinfomsg body;
    } request {};
    request.header.nlmsg_len = sizeof request;
    request.header.nlmsg_type = requestType;
    request.header.nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
    request.header.nlmsg_seq = kRequestSequence;
    request.body.ifi_family = requestType == RTM_GETADDR ? AF_INET : AF_UNSPEC;
    sockaddr_nl kernel {};
    kernel.nl_family = AF_NETLINK;
    kernel.nl_pid = kKernelPort;
    if (::sendto(
            s.fd(), &request, sizeof request, 0, reinterpret_cast<const sockaddr*>(&kernel), sizeof kernel)
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
        const int status = parseRouteMessages(buffer.data(), size_t(n), records);
        if (status == kRouteDumpDone)
            return 0;
        if (status < 0)
            return socketErrorFromErrno(-status);
    }
}

} // namespace kovra

#include "core/platform/neighbour_records.h"

#include "core/platform/netlink_records.h"
#include "core/platform/route_netlink.h"
#include "core/platform/socket.h"
#include "core/platform/socket_error.h"

#include <cerrno>
#include <cstring>
#include <linux/neighbour.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>

namespace kovra {

namespace {

constexpr size_t kAlignment = 4;
constexpr int kMaxErrno = 4096;
// A neighbour dump datagram fills at most a page or two.
constexpr size_t kDumpBufferBytes = 64 * 1024;
constexpr uint32_t kKernelPort = 0;
constexpr uint32_t kRequestSequence = 1;

size_t aligned(size_t length)
{
    return (length + kAlignment - 1) & ~(kAlignment - 1);
}

void parseNeighbour(const uint8_t* body, size_t length, std::vector<NeighbourRecord>& records)
{
    if (length < sizeof(ndmsg))
        return;
    ndmsg info;
    std::memcpy(&info, body, sizeof info);
    if (info.ndm_family != AF_INET)
        return;
    NeighbourRecord record;
    record.ifIndex = uint32_t(info.ndm_ifindex);
    record.state = info.ndm_state;
    bool haveAddress = false;
    size_t offset = aligned(sizeof info);
    while (offset < length && length - offset >= sizeof(rtattr)) {
        rtattr header;
        std::memcpy(&header, body + offset, sizeof header);
        if (header.rta_len < sizeof header || header.rta_len > length - offset)
            break;
        const uint8_t* payload = body + offset + sizeof header;
        const size_t size = size_t(header.rta_len) - sizeof header;
        if (header.rta_type == NDA_DST && size == sizeof(Ipv4)) {
            std::memcpy(&record.address, payload, sizeof record.address);
            haveAddress = true;
        } else if (header.rta_type == NDA_LLADDR) {
            record.hardwareAddress.assign(payload, payload + size);
        }
        offset += aligned(header.rta_len);
    }
    if (haveAddress)
        records.push_back(std::move(record));
}

} // namespace

int parseNeighbourMessages(const uint8_t* data, size_t length, std::vector<NeighbourRecord>& records)
{
    size_t offset = 0;
    while (offset < length && length - offset >= sizeof(nlmsghdr)) {
        nlmsghdr header;
        std::memcpy(&header, data + offset, sizeof header);
        if (header.nlmsg_len < sizeof header || header.nlmsg_len > length - offset)
            return -EBADMSG;
        const uint8_t* body = data + offset + sizeof header;
        const size_t bodyLength = header.nlmsg_len - sizeof header;
        switch (header.nlmsg_type) {
        case NLMSG_DONE:
            return kRouteDumpDone;
        case NLMSG_ERROR: {
            nlmsgerr error {};
            if (bodyLength < sizeof error)
                return -EBADMSG;
            std::memcpy(&error, body, sizeof error);
            return error.error < 0 && error.error > -kMaxErrno ? error.error : -EBADMSG;
        }
        case RTM_NEWNEIGH:
            parseNeighbour(body, bodyLength, records);
            break;
        default:
            break;
        }
        offset += aligned(header.nlmsg_len);
    }
    return kRouteDumpMore;
}

int dumpNeighbours(std::vector<NeighbourRecord>& records)
{
    Socket s(::socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_ROUTE));
    if (!s.isOpen())
        return lastSocketError();
    int result = setReceiveTimeout(s, kRouteDumpTimeoutMs);
    if (result != 0)
        return result;

    struct {
        nlmsghdr header;
        ndmsg body;
    } request {};
    request.header.nlmsg_len = sizeof request;
    request.header.nlmsg_type = RTM_GETNEIGH;
    request.header.nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
    request.header.nlmsg_seq = kRequestSequence;
    request.body.ndm_family = AF_INET;
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
        const int status = parseNeighbourMessages(buffer.data(), size_t(n), records);
        if (status == kRouteDumpDone)
            return 0;
        if (status < 0)
            return socketErrorFromErrno(-status);
    }
}

} // namespace kovra

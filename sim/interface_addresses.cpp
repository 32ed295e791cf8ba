#include "interface_addresses.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <net/if.h>
#include <sys/socket.h>
#include <unistd.h>

namespace sim {

namespace {

constexpr int kHostPrefix = 32;
constexpr size_t kAnswerBufferSize = 4096;

void addAttribute(nlmsghdr* message, uint16_t type, const void* data, uint16_t length)
{
    auto* attribute
        = reinterpret_cast<rtattr*>(reinterpret_cast<char*>(message) + NLMSG_ALIGN(message->nlmsg_len));
    attribute->rta_type = type;
    attribute->rta_len = static_cast<uint16_t>(RTA_LENGTH(length));
    std::memcpy(RTA_DATA(attribute), data, length);
    message->nlmsg_len = NLMSG_ALIGN(message->nlmsg_len) + RTA_ALIGN(attribute->rta_len);
}

} // namespace

InterfaceAddresses::InterfaceAddresses(std::string interfaceName)
    : m_name(std::move(interfaceName))
    , m_fd(::socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_ROUTE))
{
}

InterfaceAddresses::~InterfaceAddresses()
{
    for (const auto& [address, holder] : m_holders) {
        if (holder.owned)
            request(RTM_DELADDR, 0, address);
    }
    if (m_fd >= 0)
        ::close(m_fd);
}

int InterfaceAddresses::add(uint32_t address)
{
    Holder& holder = m_holders[address];
    if (holder.users == 0) {
        const int result = request(RTM_NEWADDR, NLM_F_CREATE | NLM_F_EXCL, address);
        if (result != 0 && result != EEXIST) {
            m_holders.erase(address);
            return result;
        }
        holder.owned = result == 0;
    }
    ++holder.users;
    return 0;
}

int InterfaceAddresses::remove(uint32_t address)
{
    const auto it = m_holders.find(address);
    if (it == m_holders.end())
        return 0;
    if (--it->second.users > 0)
        return 0;
    const bool owned = it->second.owned;
    m_holders.erase(it);
    return owned ? request(RTM_DELADDR, 0, address) : 0;
}

int InterfaceAddresses::request(uint16_t type, uint16_t flags, uint32_t address)
{
    if (m_fd < 0)
        return EBADF;
    const unsigned index = ::if_nametoindex(m_name.c_str());
    if (index == 0)
        return ENODEV;
    alignas(nlmsghdr) char buffer[NLMSG_SPACE(sizeof(ifaddrmsg)) + 2 * RTA_SPACE(sizeof(uint32_t))] = {};
    auto* message = reinterpret_cast<nlmsghdr*>(buffer);
    message->nlmsg_len = NLMSG_LENGTH(sizeof(ifaddrmsg));
    message->nlmsg_type = type;
    message->nlmsg_flags = static_cast<uint16_t>(NLM_F_REQUEST | NLM_F_ACK | flags);
    message->nlmsg_seq = ++m_sequence;
    auto* info = static_cast<ifaddrmsg*>(NLMSG_DATA(message));
    info->ifa_family = AF_INET;
    info->ifa_prefixlen = kHostPrefix;
    info->ifa_index = index;
    const uint32_t wire = htonl(address);
    addAttribute(message, IFA_LOCAL, &wire, sizeof(wire));
    addAttribute(message, IFA_ADDRESS, &wire, sizeof(wire));
    sockaddr_nl kernel {};
    kernel.nl_family = AF_NETLINK;
    if (::sendto(m_fd, buffer, message->nlmsg_len, 0, reinterpret_cast<sockaddr*>(&kernel), sizeof(kernel))
        < 0)
        return errno;
    alignas(nlmsghdr) char answer[kAnswerBufferSize];
    for (;;) {
        const ssize_t got = ::recv(m_fd, answer, sizeof(answer), 0);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return errno;
        int remaining = static_cast<int>(got);
        for (auto* reply = reinterpret_cast<nlmsghdr*>(answer); NLMSG_OK(reply, remaining);
             reply = NLMSG_NEXT(reply, remaining)) {
            if (reply->nlmsg_seq != m_sequence || reply->nlmsg_type != NLMSG_ERROR)
                continue;
            if (reply->nlmsg_len < NLMSG_LENGTH(sizeof(nlmsgerr)))
                return EPROTO;
            return -static_cast<const nlmsgerr*>(NLMSG_DATA(reply))->error;
        }
    }
}

} // namespace sim

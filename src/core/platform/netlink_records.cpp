#include "core/platform/netlink_records.h"

#include <cerrno>
#include <cstring>
#include <linux/if_link.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>

namespace kovra {

namespace {

constexpr size_t kAlignment = 4;
constexpr uint16_t kAttributeTypeMask = uint16_t(NLA_TYPE_MASK);
constexpr int kMaxErrno = 4096;

size_t aligned(size_t length)
{
    return (length + kAlignment - 1) & ~(kAlignment - 1);
}

std::string attributeText(const uint8_t* payload, size_t length)
{
    const void* end = std::memchr(payload, 0, length);
    return std::string(reinterpret_cast<const char*>(payload),
        end ? size_t(static_cast<const uint8_t*>(end) - payload) : length);
}

// Calls visit for each attribute in data[0..length).
void forEachAttribute(const uint8_t* data, size_t length, const RouteAttributeVisitor& visit)
{
    size_t offset = 0;
    while (length - offset >= sizeof(rtattr)) {
        rtattr header;
        std::memcpy(&header, data + offset, sizeof header);
        if (header.rta_len < sizeof header || header.rta_len > length - offset)
            return;
        visit(uint16_t(header.rta_type & kAttributeTypeMask), data + offset + sizeof header,
            size_t(header.rta_len) - sizeof header);
        offset += aligned(header.rta_len);
        if (offset >= length)
            return;
    }
}

void parseLink(const uint8_t* body, size_t length, RouteRecords& records)
{
    if (length < sizeof(ifinfomsg))
        return;
    ifinfomsg info;
    std::memcpy(&info, body, sizeof info);
    LinkRecord link;
    link.ifIndex = uint32_t(info.ifi_index);
    link.hardwareType = info.ifi_type;
    link.flags = info.ifi_flags;
    forEachRouteAttribute(body, length, sizeof info, [&](uint16_t type, const uint8_t* payload, size_t size) {
        if (type == IFLA_IFNAME)
            link.name = attributeText(payload, size);
        else if (type == IFLA_ADDRESS)
            link.hardwareAddress.assign(payload, payload + size);
        else if (type == IFLA_OPERSTATE && size >= 1)
            link.operState = payload[0];
        else if (type == IFLA_LINKINFO)
            forEachAttribute(payload, size, [&](uint16_t inner, const uint8_t* value, size_t valueSize) {
                if (inner == IFLA_INFO_KIND)
                    link.kind = attributeText(value, valueSize);
            });
    });
    records.links.push_back(std::move(link));
}

void parseAddress(const uint8_t* body, size_t length, RouteRecords& records)
{
    if (length < sizeof(ifaddrmsg))
        return;
    ifaddrmsg info;
    std::memcpy(&info, body, sizeof info);
    if (info.ifa_family != AF_INET)
        return;
    // IFA_LOCAL is the interface's own address; IFA_ADDRESS is the peer's on
    // point-to-point links and equal to it elsewhere.
    bool haveLocal = false;
    bool haveAny = false;
    Ipv4 address = 0;
    forEachRouteAttribute(body, length, sizeof info, [&](uint16_t type, const uint8_t* payload, size_t size) {
        if (size != sizeof(Ipv4) || (type != IFA_LOCAL && type != IFA_ADDRESS) || haveLocal)
            return;
        std::memcpy(&address, payload, sizeof address);
        haveLocal = type == IFA_LOCAL;
        haveAny = true;
    });
    if (haveAny)
        records.addresses.push_back(AddressRecord { info.ifa_index, address, info.ifa_prefixlen });
}

} // namespace

void forEachRouteAttribute(
    const uint8_t* body, size_t length, size_t headerSize, const RouteAttributeVisitor& visit)
{
    const size_t start = aligned(headerSize);
    if (start > length)
        return;
    forEachAttribute(body + start, length - start, visit);
}

int walkRouteMessages(const uint8_t* data, size_t length, const RouteMessageHandler& onMessage)
{
    size_t offset = 0;
    while (length - offset >= sizeof(nlmsghdr)) {
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
            // errno values are small; anything else is not a kernel answer.
            return error.error < 0 && error.error > -kMaxErrno ? error.error : -EBADMSG;
        }
        default:
            onMessage(header.nlmsg_type, body, bodyLength);
            break;
        }
        offset += aligned(header.nlmsg_len);
        if (offset >= length)
            break;
    }
    return kRouteDumpMore;
}

void parseRouteMessage(uint16_t type, const uint8_t* body, size_t length, RouteRecords& records)
{
    if (type == RTM_NEWLINK)
        parseLink(body, length, records);
    else if (type == RTM_NEWADDR)
        parseAddress(body, length, records);
}

int parseRouteMessages(const uint8_t* data, size_t length, RouteRecords& records)
{
    return walkRouteMessages(data, length, [&](uint16_t type, const uint8_t* body, size_t bodyLength) {
        parseRouteMessage(type, body, bodyLength, records);
    });
}

} // namespace kovra

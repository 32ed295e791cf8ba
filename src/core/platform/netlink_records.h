#pragma once

#include "core/platform/ipv4.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kovra {

// One network interface as the kernel's link dump describes it, plus the details that
// readLinkDetails adds.
struct LinkRecord {
    uint32_t ifIndex = 0;
    std::string name;
    uint16_t hardwareType = 0; // ARPHRD_*
    uint32_t flags = 0; // IFF_*
    uint8_t operState = 0; // IF_OPER_*; a link that reports none counts as IF_OPER_UNKNOWN (0)
    std::vector<uint8_t> hardwareAddress;
    std::string kind; // link kind of virtual links ("veth", "bridge"), empty for hardware
    int64_t speedBitsPerSecond = -1; // -1: not known
    std::string driver; // empty: not known
};

// One IPv4 address of an interface, from the kernel's address dump.
struct AddressRecord {
    uint32_t ifIndex = 0;
    Ipv4 address = 0;
    int prefixLength = 0;
};

struct RouteRecords {
    std::vector<LinkRecord> links;
    std::vector<AddressRecord> addresses;
};

// parseRouteMessages results besides a negative errno.
constexpr int kRouteDumpMore = 0;
constexpr int kRouteDumpDone = 1;

// Walks the messages of one datagram of a rtnetlink dump and hands each data message's
// type and body to `onMessage`. Every length is checked against the data.
// Results: kRouteDumpMore, kRouteDumpDone, -errno (the kernel's error answer, or -EBADMSG
// for a message that claims more than there is).
using RouteMessageHandler = std::function<void(uint16_t type, const uint8_t* body, size_t length)>;
int walkRouteMessages(const uint8_t* data, size_t length, const RouteMessageHandler& onMessage);

// Calls visit(type, payload, length) for each attribute of a message body, starting after
// its fixed header of `headerSize` bytes; an attribute that claims more than there is ends
// the walk.
using RouteAttributeVisitor = std::function<void(uint16_t type, const uint8_t* payload, size_t length)>;
void forEachRouteAttribute(
    const uint8_t* body, size_t length, size_t headerSize, const RouteAttributeVisitor& visit);

// Appends the record of one link or IPv4 address message (other messages are skipped).
void parseRouteMessage(uint16_t type, const uint8_t* body, size_t length, RouteRecords& records);

// Reads one datagram of a rtnetlink dump (link or IPv4 address messages) and appends the
// records it holds. Every length is checked against the data: a message that claims more
// than there is ends the dump as malformed, an attribute that does so ends its message.
// Results: kRouteDumpMore (more datagrams follow), kRouteDumpDone (the dump's end mark),
// -errno (the kernel's error answer, or -EBADMSG for malformed data).
int parseRouteMessages(const uint8_t* data, size_t length, RouteRecords& records);

} // namespace kovra

#pragma once

#include "core/platform/netlink_records.h"

#include <cstdint>

namespace kovra {

// Asks the kernel (rtnetlink, no traffic on any network) for its whole table of
// `requestType`: RTM_GETLINK (every interface) or RTM_GETADDR (every IPv4 address), and
// appends the records of the answer in the kernel's order.
// Results: 0; the socket error of the netlink socket (10060 when the kernel did not
// finish within kRouteDumpTimeoutMs); the twin of the kernel's errno when it refused or
// answered malformed data.
constexpr int kRouteDumpTimeoutMs = 1000;
int dumpRouteTable(uint16_t requestType, RouteRecords& records);

// The dump exchange itself, for any rtnetlink table: sends the dump request of
// `requestType` whose fixed header is `headerSize` bytes starting with `family`, and hands
// every datagram of the answer to walkRouteMessages with `onMessage`. Results as above.
int runRouteDump(
    uint16_t requestType, uint8_t family, size_t headerSize, const RouteMessageHandler& onMessage);

} // namespace kovra

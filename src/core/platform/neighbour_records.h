#pragma once

#include "core/platform/ipv4.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kovra {

// One IPv4 entry of the kernel's neighbour table (the ARP cache).
struct NeighbourRecord {
    uint32_t ifIndex = 0;
    Ipv4 address = 0;
    uint16_t state = 0; // NUD_* bits
    std::vector<uint8_t> hardwareAddress; // empty while unresolved
};

// Reads one datagram of a rtnetlink neighbour dump and appends its IPv4 entries (other
// families are skipped). Every length is checked against the data: a message that claims
// more than there is ends the dump as malformed, an attribute that does so ends its entry.
// Results: kRouteDumpMore (more datagrams follow), kRouteDumpDone (the dump's end mark),
// -errno (the kernel's error answer, or -EBADMSG for malformed data).
int parseNeighbourMessages(const uint8_t* data, size_t length, std::vector<NeighbourRecord>& records);

// Asks the kernel for its IPv4 neighbour table (no traffic on any network; allowed without
// root). Results: 0; the socket error of the netlink socket (10060 when the kernel did not
// finish within kRouteDumpTimeoutMs); the twin of the kernel's errno when it refused or
// answered malformed data.
int dumpNeighbours(std::vector<NeighbourRecord>& records);

} // namespace kovra

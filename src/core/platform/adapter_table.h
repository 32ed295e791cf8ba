#pragma once

#include "core/platform/ipv4.h"
#include "core/platform/netlink_records.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kovra {

// One line of the adapter list: one IPv4 address of a usable interface.
struct AdapterEntry {
    uint32_t ifIndex = 0;
    std::string description; // "<name> (<driver or link kind>)", or the name alone
    std::string friendlyName; // the interface name, as `ip link` shows it
    Ipv4 address = 0;
    Ipv4 mask = 0;
};

constexpr size_t kMaxAdapters = 256;
// Texts of an entry hold at most this many bytes.
constexpr size_t kAdapterTextMaxBytes = 255;
// A speed that marks an interface which is not a real network connection.
constexpr int64_t kExcludedLinkSpeed = 1073741824;

// enumerateAdapters result when the interface list cannot be read at all: nothing can be
// named, and the program cannot go on (the window ends with exit code 1).
constexpr int kAdapterListUnreadable = -1;

// True for an interface that can carry the units' traffic:
//  - not loopback (ARPHRD_LOOPBACK);
//  - a hardware address that is neither missing nor all zero;
//  - operational state up, or "unknown" while the interface is administratively up and
//    running (virtual links such as dummy or tap report no state of their own);
//  - a speed other than kExcludedLinkSpeed (an unknown speed passes);
//  - a name.
bool isUsableLink(const LinkRecord& link);

// The adapter table from the kernel's records: for each address in address order that is
// not 127.0.0.1 and belongs to a usable link, one entry; at most kMaxAdapters.
std::vector<AdapterEntry> selectAdapters(
    const std::vector<LinkRecord>& links, const std::vector<AddressRecord>& addresses);

// Reads the interfaces and addresses of the network namespace (rtnetlink), adds driver
// and speed (readLinkDetails) and fills `out` with selectAdapters.
// Results: 0 (out may be empty: no usable adapter; a failed address read also leaves it
// empty); kAdapterListUnreadable when the interface list cannot be read.
int enumerateAdapters(std::vector<AdapterEntry>& out);

// The adapter list's line: "203.0.113.10 (eth0)".
std::string adapterLine(const AdapterEntry& entry);

} // namespace kovra

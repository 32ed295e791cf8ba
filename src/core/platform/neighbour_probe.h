#pragma once

#include "core/platform/ipv4.h"
#include "core/platform/neighbour_records.h"

#include <string>
#include <vector>

namespace kovra {

// The address check before an address is written: does any host on the adapter's network
// answer ARP for it? The kernel resolves the address for us when one datagram is sent to
// it, and its neighbour table tells the outcome; neither needs root.

// How long the kernel's resolution is watched. Hosts answer within a millisecond on a
// local network; an absent address is marked FAILED after the kernel's three solicitations
// one second apart (about 3 s), so 3.5 s sees every outcome the kernel reaches.
constexpr int kNeighbourWaitMs = 3500;
constexpr int kNeighbourPollMs = 10;
// The datagram that starts the resolution goes to the discard port: a host that holds the
// address drops it.
constexpr uint16_t kDiscardPort = 9;

// What the neighbour table says about one address.
enum class NeighbourState {
    Resolved, // a hardware address answered (REACHABLE, STALE, DELAY, PROBE, PERMANENT)
    Failed, // the kernel gave up (FAILED)
    Pending, // no entry yet, or still INCOMPLETE
};

// The state of `address` on interface `ifIndex` in a neighbour dump.
NeighbourState neighbourState(const std::vector<NeighbourRecord>& table, uint32_t ifIndex, Ipv4 address);

// Resolves `address` through the adapter whose address is bindAddress().
// Results: 1 a hardware address answered, or the address is one of this machine's own;
// 0 none: FAILED, or no answer within waitMs, or ARP cannot ask for the address through
// the adapter (a loopback or no-ARP adapter, an address off the adapter's subnet, no
// adapter chosen), where nothing is waited for; the socket error of the datagram or of
// the netlink socket.
int probeNeighbour(Ipv4 address, int waitMs = kNeighbourWaitMs);

// True when probeNeighbour of the dotted address gives 1; false for a text that is not a
// dotted address and for every other result.
bool addressInUse(const std::string& addressText);

} // namespace kovra

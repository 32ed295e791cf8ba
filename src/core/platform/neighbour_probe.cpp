#include "core/platform/neighbour_probe.h"

#include "core/platform/bind_address.h"
#include "core/platform/cancel_scope.h"
#include "core/platform/route_netlink.h"
#include "core/platform/socket.h"

#include <chrono>
#include <linux/neighbour.h>
#include <linux/rtnetlink.h>
#include <net/if.h>

namespace kovra {

namespace {

using Clock = std::chrono::steady_clock;

constexpr uint16_t kResolvedStates = NUD_REACHABLE | NUD_STALE | NUD_DELAY | NUD_PROBE | NUD_PERMANENT;
constexpr uint8_t kProbeByte = 0;

// Where ARP for `address` would be asked: the adapter's interface, when the address is on
// its subnet and the interface does ARP at all.
enum class Reach { Ask, OwnAddress, NotAsked };

int adapterReach(Ipv4 adapter, Ipv4 address, uint32_t& ifIndex, Reach& reach)
{
    reach = Reach::NotAsked;
    RouteRecords records;
    int result = dumpRouteTable(RTM_GETADDR, records);
    if (result != 0)
        return result;
    bool found = false;
    AddressRecord own;
    for (const auto& record : records.addresses) {
        if (record.address == address) {
            reach = Reach::OwnAddress;
            return 0;
        }
        if (record.address == adapter) {
            own = record;
            found = true;
        }
    }
    if (adapter == 0 || !found)
        return 0;
    const Ipv4 mask = maskFromPrefix(own.prefixLength);
    if ((address & mask) != (adapter & mask))
        return 0;
    result = dumpRouteTable(RTM_GETLINK, records);
    if (result != 0)
        return result;
    for (const auto& link : records.links) {
        if (link.ifIndex == own.ifIndex) {
            if ((link.flags & (IFF_LOOPBACK | IFF_NOARP)) == 0) {
                reach = Reach::Ask;
                ifIndex = own.ifIndex;
            }
            return 0;
        }
    }
    return 0;
}

} // namespace

NeighbourState neighbourState(const std::vector<NeighbourRecord>& table, uint32_t ifIndex, Ipv4 address)
{
    for (const auto& entry : table) {
        if (entry.ifIndex != ifIndex || entry.address != address)
            continue;
        if ((entry.state & kResolvedStates) != 0 && !entry.hardwareAddress.empty())
            return NeighbourState::Resolved;
        if ((entry.state & NUD_FAILED) != 0)
            return NeighbourState::Failed;
        return NeighbourState::Pending;
    }
    return NeighbourState::Pending;
}

int probeNeighbour(Ipv4 address, int waitMs)
{
    uint32_t ifIndex = 0;
    Reach reach = Reach::NotAsked;
    int result = adapterReach(bindAddress(), address, ifIndex, reach);
    if (result != 0)
        return result;
    if (reach != Reach::Ask)
        return reach == Reach::OwnAddress ? 1 : 0;

    Socket socket;
    result = createUdpSocket(socket);
    if (result != 0)
        return result;
    result = sendDatagram(socket, address, kDiscardPort, &kProbeByte, sizeof kProbeByte);
    if (result != 0)
        return result;

    const auto deadline = Clock::now() + std::chrono::milliseconds(waitMs);
    for (;;) {
        std::vector<NeighbourRecord> table;
        result = dumpNeighbours(table);
        if (result != 0)
            return result;
        switch (neighbourState(table, ifIndex, address)) {
        case NeighbourState::Resolved:
            return 1;
        case NeighbourState::Failed:
            return 0;
        case NeighbourState::Pending:
            break;
        }
        if (Clock::now() >= deadline)
            return 0;
        if (!pauseFor(kNeighbourPollMs))
            return 0;
    }
}

bool addressInUse(const std::string& addressText)
{
    Ipv4 address = 0;
    return parseIpv4(addressText, address) && probeNeighbour(address) == 1;
}

} // namespace kovra

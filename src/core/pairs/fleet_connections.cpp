#include "core/pairs/fleet_connections.h"

#include "core/functions/extension_setup_image.h"
#include "core/wifi/module_reads.h"

#include <algorithm>
#include <array>

namespace kovra {

namespace {

// The kinds that keep their connections in stored records the search does not all read.
bool connectionsInRecords(const UnitRecord& unit)
{
    return unit.kind == kKindWired || unit.kind == kKindWiredGc || unit.kind == kKindNewerWired;
}

} // namespace

ConnectionReaders unitConnectionReaders()
{
    return { queryExtensionRecords, [](const UnitRecord& unit, TunnelConnect& tunnel) {
                return readTunnelConnect(unit.ipText, tunnel) == 0;
            } };
}

namespace {

// The address as four numbers, so that .9 sorts before .10; texts that are no address last.
std::array<int, 5> addressOrder(const std::string& ipText)
{
    Ipv4 address = 0;
    if (!parseIpv4(ipText, address))
        return { 1, 0, 0, 0, 0 };
    return { 0, ipv4Byte(address, 0), ipv4Byte(address, 1), ipv4Byte(address, 2), ipv4Byte(address, 3) };
}

} // namespace

FleetConnections readFleetConnections(std::vector<UnitSlot> slots, const ConnectionReaders& readers)
{
    // Units answer a search in any order: the map lists them by address.
    std::stable_sort(slots.begin(), slots.end(), [](const UnitSlot& a, const UnitSlot& b) {
        return addressOrder(a.record.ipText) < addressOrder(b.record.ipText);
    });
    FleetConnections fleet;
    for (UnitSlot& slot : slots) {
        if (connectionsInRecords(slot.record) && !readers.records(slot.record))
            fleet.unread.push_back(slot.record.ipText);
        UnitConnections unit = unitConnections(slot);
        if (slot.record.kind == kKindWifiModule) {
            TunnelConnect tunnel;
            if (readers.tunnel(slot.record, tunnel))
                addModuleTunnel(unit, tunnel);
            else
                fleet.unread.push_back(slot.record.ipText);
        }
        fleet.units.push_back(std::move(unit));
    }
    return fleet;
}

std::vector<UnitSlot> tableSlots(const UnitTable& table)
{
    std::vector<UnitSlot> slots;
    for (int i = 0; i < table.unitCount(); ++i)
        slots.push_back(table.slot(i));
    return slots;
}

} // namespace kovra

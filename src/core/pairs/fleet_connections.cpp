#include "core/pairs/fleet_connections.h"

#include "core/functions/extension_setup_image.h"
#include "core/wifi/module_reads.h"

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

FleetConnections readFleetConnections(std::vector<UnitSlot> slots, const ConnectionReaders& readers)
{
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

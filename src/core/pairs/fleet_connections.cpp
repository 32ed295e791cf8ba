#include "core/pairs/fleet_connections.h"

namespace kovra {

bool connectionsInRecords(const UnitRecord& unit)
{
    return unit.kind == kKindWired || unit.kind == kKindWiredGc || unit.kind == kKindNewerWired;
}

FleetConnections readFleetConnections(std::vector<UnitSlot> slots, const ConnectionRecordReader& readRecords)
{
    FleetConnections fleet;
    for (UnitSlot& slot : slots) {
        if (connectionsInRecords(slot.record) && !readRecords(slot.record))
            fleet.unread.push_back(slot.record.ipText);
        fleet.units.push_back(unitConnections(slot));
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

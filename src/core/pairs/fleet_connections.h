#pragma once

#include "core/pairs/unit_connections.h"
#include "core/units/unit_table.h"

#include <functional>
#include <string>
#include <vector>

namespace kovra {

// Reads into a unit's copy the stored records that hold its connections; true when they all
// arrived (queryExtensionRecords, or a test's stand-in).
using ConnectionRecordReader = std::function<bool(UnitRecord&)>;

// Whether the unit keeps its connections in stored records the search does not read.
bool connectionsInRecords(const UnitRecord& unit);

// The connections of every unit, in table order, and the addresses of the units whose records
// did not arrive (they are mapped from what the search read).
struct FleetConnections {
    std::vector<UnitConnections> units;
    std::vector<std::string> unread;
};

// Talks to the binary units: run it off the window's thread.
FleetConnections readFleetConnections(std::vector<UnitSlot> slots, const ConnectionRecordReader& readRecords);

// A copy of the table's units in use.
std::vector<UnitSlot> tableSlots(const UnitTable& table);

} // namespace kovra

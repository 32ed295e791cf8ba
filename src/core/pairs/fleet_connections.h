#pragma once

#include "core/pairs/unit_connections.h"
#include "core/units/unit_table.h"
#include "core/wifi/record_items.h"

#include <functional>
#include <string>
#include <vector>

namespace kovra {

// The reads the pair map makes beyond the search, each true when it succeeded.
struct ConnectionReaders {
    // A binary unit's stored records 0, 3 and 7, into the unit's copy.
    std::function<bool(UnitRecord&)> records;
    // A Wi-Fi module's outgoing tunnel.
    std::function<bool(const UnitRecord&, TunnelConnect&)> tunnel;
};

// The reads from the units themselves.
ConnectionReaders unitConnectionReaders();

// The connections of every unit, in address order, and the addresses of the units whose
// records or tunnel could not be read (they are mapped from what the search read).
struct FleetConnections {
    std::vector<UnitConnections> units;
    std::vector<std::string> unread;
};

// Talks to the binary units and the Wi-Fi modules: run it off the window's thread.
FleetConnections readFleetConnections(std::vector<UnitSlot> slots, const ConnectionReaders& readers);

// A copy of the table's units in use.
std::vector<UnitSlot> tableSlots(const UnitTable& table);

} // namespace kovra

#pragma once

namespace kovra {

struct UnitSlot;

// The classification's read of a unit of kinds 3, 5, 6 and 7 (search and add by address): the
// slot's copies of the stored binary records are cleared (these units keep none), the unit's
// parameters are read from its settings port, and its listening port (PORT/PORT1) goes into
// configBlock0 bytes 24-25 where every kind keeps its TCP port. A port outside 0..65535 is kept
// as 0, which no search port matches. False when the parameters could not be read: the
// classifier then removes the unit.
bool readUnitParametersForList(UnitSlot& slot);

} // namespace kovra

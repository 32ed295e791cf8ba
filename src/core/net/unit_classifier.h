#pragma once

#include "core/platform/ipv4.h"
#include "core/units/unit_table.h"

namespace kovra {

// The reads that some unit kinds need while they are classified. They belong to the
// settings reader and the Wi-Fi module's web configuration; the classifier only calls
// them. Each returns false when the unit could not be read.
class KindReaders {
public:
    virtual ~KindReaders() = default;
    // Kind 2: the Wi-Fi module's TCP port, into configBlock0 bytes 24-25.
    virtual bool readWifiModulePort(UnitSlot&) = 0;
    // Kinds 3, 5, 6, 7: the unit's parameters into the slot's UnitSettings, and its TCP
    // port into configBlock0 bytes 24-25.
    virtual bool readUnitParameters(UnitSlot&) = 0;
    // Kind 2, when its row is added: the module's interface (DHCP, address, mask, gateway).
    virtual bool readWifiModuleNetwork(UnitSlot&) = 0;
};

// Readers for a program that has no settings reader or Wi-Fi module client: every read
// fails, so units of kinds 2, 3, 5, 6 and 7 are removed, exactly as a unit whose read
// failed is. Honest until the real readers are given.
class FailingKindReaders : public KindReaders {
public:
    bool readWifiModulePort(UnitSlot&) override { return false; }
    bool readUnitParameters(UnitSlot&) override { return false; }
    bool readWifiModuleNetwork(UnitSlot&) override { return false; }
};

// True when the unit's address is in the adapter's subnet:
// (adapter address AND mask) = (mask AND unit address).
bool onAdapterSubnet(Ipv4 unit, Ipv4 adapterAddress, Ipv4 adapterMask);

// One unit of a search: sameSubnet; a unit off the subnet is kept as it is; on the subnet
// the kind's reads as classifyUnits makes them. False when a read failed.
bool classifySearchedUnit(UnitSlot& unit, Ipv4 adapterAddress, Ipv4 adapterMask, KindReaders& readers);

// One unit added by address: read whether or not it is on the adapter's subnet (sameSubnet
// is set for the caller's model-query decision). False when a read failed.
bool classifyAddedUnit(UnitSlot& unit, Ipv4 adapterAddress, Ipv4 adapterMask, KindReaders& readers);

// Classifies every unit of a search, from the last slot to the first: sameSubnet; units
// off the subnet are kept as they are; on the subnet the kind follows the type pair
// ("Y1" 2, "_L" 3, "_W" 5, "_T" 6, "_B" 7, others 0) and the kind's reads run: kind 2
// clears the stored records and reads the module's port, kinds 3, 5, 6, 7 read the unit
// parameters, the others read records 0 and 5 and, for "X6", the firmware (kind 1 for
// "GC" firmware; a failed firmware query changes nothing). A unit whose read fails is
// removed from the table.
void classifyUnits(UnitTable& table, Ipv4 adapterAddress, Ipv4 adapterMask, KindReaders& readers);

// classifyAddedUnit on slot `slot` of the table; false when a read failed: the slot has then
// been removed.
bool classifyAddedUnit(
    UnitTable& table, int slot, Ipv4 adapterAddress, Ipv4 adapterMask, KindReaders& readers);

} // namespace kovra

#pragma once

#include "core/setupfiles/setup_file_kind.h"
#include "core/units/unit_record.h"

#include <string>

namespace kovra {

// The network settings a setup file gives the unit it is written to.
struct SetupNetwork {
    bool dhcp = false;
    Ipv4 address = 0;
    Ipv4 mask = 0;
    Ipv4 gateway = 0;
};

// The unit's own network as listed (address, mask, gateway, DHCP).
SetupNetwork unitNetwork(const UnitRecord& unit);

// The file made to keep the unit's own network, so that it does not give the unit the
// address of the unit it was saved from: a .lwi's IP, SUBM and GWAY (those it has), a .rec's
// address, host-bit count and gateway in block 0; an .xml loses its wlan0 interface group,
// which the module then keeps as it is. False when bytes are not a file of the kind.
bool keepUnitNetwork(SetupFileKind kind, std::string& bytes, const SetupNetwork& network);

// The file made to give the unit `address` (mask and gateway as the file has them): a .lwi's
// IP, a .rec's block 0 address. False for an .xml (a module takes its address with its
// interface group) and when bytes are not a file of the kind.
bool assignAddress(SetupFileKind kind, std::string& bytes, Ipv4 address);

} // namespace kovra

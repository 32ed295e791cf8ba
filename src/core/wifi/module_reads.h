#pragma once

#include "core/units/unit_table.h"
#include "core/wifi/config_http.h"
#include "core/wifi/record_items.h"

#include <cstdint>
#include <string>

namespace kovra {

// The reads of a Wi-Fi module unit: one group exported and its items taken out.
// Results of the three reads: 0; those of exportConfig; those of the item's parse.

// The unit's TCP port (Tunnel Accept 1, Local Port).
int readTunnelAcceptPort(const std::string& ipText, uint16_t& port, uint16_t httpPort = kModuleHttpPort);

// The wlan0 interface; discoveredAddress is kept when the module takes its address by
// DHCP. `out` changes only on success.
int readInterfaceWlan0(const std::string& ipText, Ipv4 discoveredAddress, ModuleInterface& out,
    uint16_t httpPort = kModuleHttpPort);

// The outgoing tunnel (Tunnel Connect 1). `out` changes only on success.
int readTunnelConnect(const std::string& ipText, TunnelConnect& out, uint16_t httpPort = kModuleHttpPort);

// For the unit table, at classification (kind 2): the port into configBlock0 bytes 24-25.
// False when the read failed (the slot keeps its values).
bool readWifiModulePort(UnitSlot& slot);

// For the unit table, when the row of a kind 2 unit is added: dhcp, address, mask and
// gateway of its record. False when the read failed (nothing changed).
bool readWifiModuleNetwork(UnitSlot& slot);

} // namespace kovra

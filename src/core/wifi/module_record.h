#pragma once

#include "core/platform/ipv4.h"

#include <cstdint>
#include <string>

namespace kovra {

// The configuration records the program builds for the module: the head, the groups of
// the operation, the import control group (reboot after the import) and the record's end,
// joined without line breaks.

// The tunnel values of a Wi-Fi module unit, as the input-extension settings give them.
struct ModuleTunnel {
    uint16_t acceptPort = 0; // the unit's own TCP port
    int tunnelMode = 0; // low four bits 1: the module connects out
    Ipv4 remoteHost = 0;
    uint16_t remotePort = 0;
};

// The Interface wlan0 group: DHCP on gives "Enable" and no address or gateway; off gives
// "Disable", "a.b.c.d/n" and the gateway, "&lt;None&gt;" for 0.0.0.0.
// Results: 0; kWifiBadValue when the mask is not one run of one bits (no prefix length).
int interfaceGroup(bool dhcp, Ipv4 address, Ipv4 mask, Ipv4 gateway, std::string& out);

// The Tunnel Accept 1 and Tunnel Connect 1 groups.
std::string tunnelGroups(const ModuleTunnel& tunnel);

// The whole record around groups. Results: 0; kWifiTooLong over 65535 bytes.
int assembleRecord(const std::string& groups, std::string& out);

} // namespace kovra

#pragma once

#include "core/platform/ipv4.h"

#include <cstdint>
#include <string>

namespace kovra {

// The items the program reads from an exported configuration record.

// The module's wlan0 interface as the program keeps it.
struct ModuleInterface {
    bool dhcp = false;
    Ipv4 address = 0;
    Ipv4 mask = 0;
    Ipv4 gateway = 0;
};

// The module's outgoing tunnel (Tunnel Connect 1).
struct TunnelConnect {
    bool enabled = false;
    std::string host; // as the module wrote it
    uint16_t port = 0;
};

// The value of an item: the first line containing groupLine starts the group; the first
// line after it containing itemLine (before the group's "</configgroup>") starts the item;
// valueOpener must follow before the item's "</configitem>", and the value is the text
// between it and the next "</value>" on the same line (lines end at "\r\n"; a last line
// without one counts as a line). Never reads past the end of the text.
// Results: 0; kWifiItemMissing when the group, item or value is not there.
int findItemValue(const std::string& record, const std::string& groupLine, const std::string& itemLine,
    const std::string& valueOpener, std::string& value);

// "Tunnel Accept" 1, "Local Port", as atoi does (leading digits; 16 bits kept).
// Results: 0; kWifiItemMissing.
int parseTunnelAcceptPort(const std::string& record, uint16_t& port);

// "Interface" wlan0: "DHCP Client" exactly "Enabled" or "Disabled"; when enabled the
// module is kept at discoveredAddress with the mask of its address class and no gateway;
// otherwise "IP Address" a.b.c.d/n and "Default Gateway" a.b.c.d, each left as in `out`
// when it contains "None". `out` changes only on success.
// Results: 0; kWifiItemMissing; kWifiBadValue (DHCP value, address, prefix over 32).
int parseInterface(const std::string& record, Ipv4 discoveredAddress, ModuleInterface& out);

// "Tunnel Connect" 1: "Mode" (only exactly "Disable" is off), "Host" 1's "Address" and
// "Port". `out` changes only on success. Results: 0; kWifiItemMissing.
int parseTunnelConnect(const std::string& record, TunnelConnect& out);

} // namespace kovra

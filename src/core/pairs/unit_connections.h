#pragma once

#include "core/units/unit_settings.h"
#include "core/units/unit_table.h"
#include "core/wifi/record_items.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kovra {

// How a unit carries its input extension: the transports of the socket modes the units
// keep in SOCK. Extension links only work between units of the same transport; a unit in
// Modbus TCP mode serves Modbus and takes no extension link at all.
enum class LinkTransport { Tcp, Udp, ModbusTcp };

// A connection's own port, on which the unit waits for its peer.
struct ListeningPort {
    int connection = 0; // 1..4; the older kinds' connections 3 and 4 share one port, kept as 3
    uint16_t port = 0;
};

// A connection on which the unit reaches out to a peer.
struct Destination {
    int connection = 0;
    std::string host; // as the unit holds it, blanks removed (cp932)
    int port = 0;
};

// What one unit of the table says about its input extension, in the terms the pair map
// compares. A link carries the requesting unit's inputs to the peer's outputs.
struct UnitConnections {
    static constexpr int kNone = -1;

    std::string address; // the unit's ipText
    std::string model; // the device list's model text
    int kind = 0;
    int diCount = 0;
    int doCount = 0;
    LinkTransport transport = LinkTransport::Tcp;
    std::vector<ListeningPort> listening;
    std::vector<Destination> destinations;
    // Peer DO (0..7) each own DI drives, or kNone.
    std::array<int, kChannelCount> diToPeerDo {};
    // Whether the operator chose diToPeerDo; otherwise DI n mirrors onto peer DO n, and the
    // DIs beyond the peer's DOs simply go nowhere.
    bool choosesPeerDo = false;
    // Whether the unit picks, per own DO, which peer DI it reflects (doFromPeerDi); units
    // without that choice reflect whatever arrives for the DO.
    bool choosesDoSource = false;
    std::array<int, kChannelCount> doFromPeerDi {};
};

// The connections of one unit of the table, by its kind: kinds 5 and 7 from their four
// connections and mapping, kinds 3 and 6 from connection 1, kinds 0, 1 and 4 from their setup
// image, kind 2 as a listener on its port (its target is the module's: addModuleTunnel).
UnitConnections unitConnections(const UnitSlot& slot);

// A Wi-Fi module unit's connection 1 reaching out through the module's tunnel, when it is on.
void addModuleTunnel(UnitConnections& unit, const TunnelConnect& tunnel);

// A destination host as the units compare it: trimmed, blanks removed, "0.0.0.0" is none.
std::string normalizedHost(const std::string& host);

} // namespace kovra

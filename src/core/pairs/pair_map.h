#pragma once

#include "core/pairs/unit_connections.h"

#include <optional>
#include <string>
#include <vector>

namespace kovra {

// What can be wrong with a configured link, in the order a link's faults are listed.
enum class LinkFault {
    PeerMissing, // no unit of the table holds the destination address
    PeerNotListening, // the peer has no connection waiting on the destination port
    ModeMismatch, // the two ends run different transports, or the peer serves Modbus TCP
    MappingClash, // two inputs drive one output, an input is sent to a DO the peer lacks,
                  // or a DO the peer reflects from a chosen DI is fed by nobody
    DuplicatePorts, // this connection's own port, or the peer's port it lands on, is the
                    // own port of another connection of the same unit as well
};

// "peer missing", "peer not listening on that port", "mapping clash", "mode mismatch",
// "duplicate listening ports".
const char* linkFaultName(LinkFault fault);

// One own DI and the peer DO it drives (both 0-based).
struct InputToOutput {
    int di = 0;
    int peerDo = 0;
};

// One configured link: a unit's connection reaching out to a peer address and port.
struct PairLink {
    int unit = 0; // index into the units the map was built from
    Destination destination;
    std::optional<int> peer; // the unit at the destination address
    // The unit's inputs this link carries (a mirroring unit's only up to the peer's DO count).
    std::vector<InputToOutput> mapping;
    std::vector<LinkFault> faults; // empty: ok
    // Peer DOs (0-based) behind a mapping clash: fed twice, missing on the peer, or waiting
    // for a DI nobody sends.
    std::vector<int> clashedOutputs;

    bool ok() const { return faults.empty(); }
};

// Every configured link of the units, in unit order and then connection order, with its
// peer and faults. A link whose peer is missing or not listening is not checked further; one
// of another transport is not checked for its mapping. Neither feeds any output.
std::vector<PairLink> buildPairMap(const std::vector<UnitConnections>& units);

// "DI1→DO2 DI2→DO1"; "-" when the link carries no input.
std::string mappingText(const std::vector<InputToOutput>& mapping);

// "ok", or the faults' names joined by ", ", a clash followed by its peer DOs:
// "mapping clash (DO1 DO2)".
std::string verdictText(const PairLink& link);

} // namespace kovra

#pragma once

#include "core/platform/ipv4.h"
#include "core/units/unit_record.h"

#include <array>
#include <cstdint>

namespace kovra {

// The input-extension settings of the binary units (kinds 0, 1 and 4) as they sit in their stored
// configuration records: connection 1 in record 0 (its own port is the unit's command port,
// bytes 24-25), connection 2 in record 3 and connections 3,4 in record 7, each within bytes 4..63
// of its record (bytes 64..129 of records 3 and 7 hold the mail settings). Ports travel
// little-endian like the command port, addresses in network order like the unit's own.
//
// | record | offset | width | field |
// |---|---|---|---|
// | 0 | 24 | 2 | own port, connection 1 |
// | 0 | 26 | 1 | role byte, connection 1 |
// | 0 | 28 | 4 | destination address 1 |
// | 0 | 32 | 2 | destination port 1 |
// | 3 | 4 | 2 | own port, connection 2 |
// | 3 | 6 | 1 | role byte, connection 2 |
// | 3 | 8 | 4 | destination address 2 |
// | 3 | 12 | 2 | destination port 2 |
// | 7 | 4 | 2 | own port, connections 3,4 |
// | 7 | 6 | 1 | role byte, connections 3,4 |
struct ExtensionSetupImage {
    // Connections 1, 2 and 3,4 (the last two share one port and one role).
    static constexpr int kOwnPorts = 3;
    // Connections 1 and 2 name a peer.
    static constexpr int kDestinations = 2;

    std::array<uint16_t, kOwnPorts> ownPorts {};
    std::array<uint8_t, kOwnPorts> roles {};
    std::array<Ipv4, kDestinations> destinations {};
    std::array<uint16_t, kDestinations> destinationPorts {};
};

// The records the image spans, in the order the input-extension write sends them.
constexpr std::array<int, 3> kExtensionRecordNumbers = { 0, 3, 7 };

ExtensionSetupImage readExtensionSetupImage(const UnitRecord& unit);

// Changes only the image's bytes of records 0, 3 and 7; everything else stays as read.
void writeExtensionSetupImage(UnitRecord& unit, const ExtensionSetupImage& image);

// Reads records 0, 3 and 7 from the unit into its copy (the search keeps records 0 and 5 only,
// and another setting may have changed them since). False when one did not arrive whole; the
// records read before it are kept.
bool queryExtensionRecords(UnitRecord& unit);

// Role bytes: bits 7-6 both set, the connection waits for its peer; the low nibble equal to the
// model's request code, it connects out. Bits 5-4 are the unit's own and are kept.
constexpr uint8_t kRoleWaitBits = 0xC0;
constexpr uint8_t kRoleKeptBits = 0x30;
constexpr uint8_t kRoleRequestMask = 0x0F;

// 1, or 5 on models 3 and 4.
uint8_t roleRequestCode(int modelId);
bool roleWaits(uint8_t role);
bool roleRequests(uint8_t role, int modelId);
uint8_t rebuildRole(uint8_t previous, bool wait, bool request, int modelId);

} // namespace kovra

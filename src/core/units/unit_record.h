#pragma once

#include "core/platform/ipv4.h"

#include <array>
#include <cstdint>
#include <string>

namespace kovra {

// Sizes of the stored configuration records that wired units answer on their discovery port.
constexpr int kConfigBlock0Size = 124;
constexpr int kConfigBlockSize = 130; // records 3 to 7
constexpr int kConfigBlocks3to7 = 5;
constexpr int kConfigPortOffset = 24; // unit's TCP port, little-endian, in record 0

// The unit kinds: they decide which protocol family a unit speaks.
enum UnitKind : int {
    kKindWired = 0, // stored configuration read over the discovery port
    kKindWiredGc = 1, // "X6" with "GC" firmware
    kKindWifiModule = 2, // "Y1": configured through the module's web interface
    kKindWifi = 3, // "_L"
    kKindNewerWired = 4, // model 17 to 24
    kKindKovra4 = 5, // "_W" or model 25 to 32
    kKindQx = 6, // "_T"
    kKindThirdName = 7, // "_B"
};

// One unit of the unit table.
struct UnitRecord {
    Ipv4 peerAddress = 0; // where the discovery answer came from; replaced by the configured address
    uint16_t peerPort = 0; // source port of the discovery answer
    std::array<uint8_t, 6> mac {};
    std::string ipText; // dotted answer address: the key that ties a list row to its slot
    std::array<uint8_t, 4> answerInfo {}; // high nibbles of answer bytes 5 and 6, answer bytes 8 and 9
    int modelIndex = -1; // ModelId from the model query; -1 until known
    int unitSwitch = -1;
    bool sameSubnet = false;
    bool dhcp = false;
    Ipv4 subnetMask = 0;
    Ipv4 gateway = 0;
    std::array<uint8_t, kConfigBlock0Size> configBlock0 {};
    std::array<std::array<uint8_t, kConfigBlockSize>, kConfigBlocks3to7> configBlocks3to7 {};
    std::string firmwareText; // "X6" units only, at most 17 characters
    int kind = kKindWired;

    // The two type characters (answer bytes 8 and 9).
    std::string typePair() const { return std::string { char(answerInfo[2]), char(answerInfo[3]) }; }

    // The unit's TCP port as kept in record 0 (all kinds copy it there).
    uint16_t unitPort() const { return uint16_t(configBlock0[kConfigPortOffset] | (configBlock0[kConfigPortOffset + 1] << 8)); }
    void setUnitPort(uint16_t port)
    {
        configBlock0[kConfigPortOffset] = uint8_t(port & 0xFF);
        configBlock0[kConfigPortOffset + 1] = uint8_t(port >> 8);
    }

    // Record n (3..7) of the stored configuration.
    std::array<uint8_t, kConfigBlockSize>& configBlock(int n) { return configBlocks3to7[size_t(n - 3)]; }
    const std::array<uint8_t, kConfigBlockSize>& configBlock(int n) const { return configBlocks3to7[size_t(n - 3)]; }
};

// "%02X-%02X-%02X-%02X-%02X-%02X".
std::string macText(const std::array<uint8_t, 6>& mac);

// Parses the form above (either case); false when it is not exactly six pairs joined by '-'.
bool parseMacText(const std::string& text, std::array<uint8_t, 6>& out);

} // namespace kovra

#pragma once

#include "fault.h"
#include "text_unit_config.h"

#include <array>
#include <cstdint>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

namespace sim {

// How a unit answers the model query on its TCP port.
enum class ModelAnswer {
    Auto, // by model: 0..6 answer "UU", every other model answers only "MI"
    Uu, // two bytes at once to "UU"
    Mi, // leaves "UU" unanswered, answers "MI" C8h with the extended answer
    None // never answers the model query
};

// Which of the two search requests a unit answers.
enum class SearchAnswer { Auto, A, B, Both };

// One unit of a fleet file, as given there (per-kind defaults are filled by its UnitKind).
struct UnitConfig {
    static constexpr uint16_t kDefaultPort = 10001;
    static constexpr uint16_t kDefaultHttpPort = 80;

    std::string name;
    int kind = 0;
    std::optional<std::string> typePair;
    uint32_t address = 0; // host order
    uint32_t mask = 0xFFFFFF00u;
    uint32_t gateway = 0;
    bool dhcp = false;
    uint32_t lease = 0; // the address a DHCP server hands the unit; 0: its own address
    std::optional<std::array<uint8_t, 6>> mac;
    // A second device holds the unit's address: each search answer is followed by a copy
    // carrying this hardware address (an address conflict on the operator's network).
    std::optional<std::array<uint8_t, 6>> conflictMac;
    uint16_t port = kDefaultPort;
    uint16_t httpPort = kDefaultHttpPort; // kind 2: the module's web configuration
    int model = 0;
    int unitSwitch = 0; // rotary switch position 0..15 (15 = F)
    std::optional<std::string> firmware;
    std::array<uint8_t, 2> info {}; // high nibbles of search answer bytes 5 and 6
    ModelAnswer modelAnswer = ModelAnswer::Auto;
    SearchAnswer searchAnswer = SearchAnswer::Auto;
    std::map<int, std::string> records; // record n: its bytes after the 4-byte header
    std::map<int, uint8_t> registers; // register code -> value
    // Four bytes answered to every record write instead of its header with C8h + n: some units
    // answer with the request's own header.
    std::optional<std::string> writeAnswer;
    int latencyMs = 0;
    // The highest memory block the console holds (kinds 0, 1, 4); above it the console
    // answers "9>" as for a block the unit does not have.
    int consoleBlocks = 8;
    Fault fault;
    TextUnitConfig text; // kinds 3, 5, 6, 7 only

    // Reads one element of the fleet's "units" list; false with a message naming the field.
    bool parse(const nlohmann::json& value, std::string& error);

    // The address the unit answers at after start: the lease when DHCP, else its own address.
    uint32_t runningAddress() const { return dhcp && lease != 0 ? lease : address; }
    std::string label() const;
};

} // namespace sim

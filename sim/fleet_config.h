#pragma once

#include "unit_config.h"
#include "wire_codes.h"

#include <string>
#include <vector>

namespace sim {

// A fleet file: the units to run and a few settings for the whole fleet.
//   discoveryPort      UDP port of discovery and records (30718; tests move it)
//   restartMs          how long a unit stays silent while it restarts (1000)
//   broadcastSpreadMs  the i-th unit answers a broadcast i times this later (1), so a large fleet
//                      does not flood the searcher's receive buffer in one instant
struct FleetConfig {
    static constexpr int kDefaultRestartMs = 1000;
    static constexpr int kDefaultSpreadMs = 1;

    uint16_t discoveryPort = kDiscoveryPort;
    int restartMs = kDefaultRestartMs;
    int broadcastSpreadMs = kDefaultSpreadMs;
    std::vector<UnitConfig> units;

    // Reads and checks a fleet file's text (then complete()). False with a message that names
    // the unit and field at fault.
    bool parse(const std::string& text, std::string& error);
    // Completes every unit by its kind (defaults, checks) and checks that addresses and hardware
    // addresses are unique; for fleets built in code as well as read. Doing it twice changes
    // nothing.
    bool complete(std::string& error);
};

} // namespace sim

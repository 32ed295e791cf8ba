#pragma once

// The demo fleet's units, made once per fuzz process: every kind the simulator has, with
// their fault switches and latencies cleared so that no answer waits.
#include "demo_fleet.h"
#include "fleet_config.h"
#include "unit.h"
#include "unit_kind.h"

#include <cstdlib>
#include <memory>
#include <vector>

namespace fuzz_support {

inline std::vector<std::unique_ptr<sim::Unit>>& demoUnits()
{
    static std::vector<std::unique_ptr<sim::Unit>> units = [] {
        sim::FleetConfig fleet;
        std::string error;
        if (!fleet.parse(sim::demoFleetText(), error))
            std::abort();
        std::vector<std::unique_ptr<sim::Unit>> made;
        for (sim::UnitConfig& config : fleet.units) {
            config.fault = sim::Fault();
            config.latencyMs = 0;
            made.push_back(sim::UnitKind::find(config.kind)->create(config));
        }
        return made;
    }();
    return units;
}

} // namespace fuzz_support

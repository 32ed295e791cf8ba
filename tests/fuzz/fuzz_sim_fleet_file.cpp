// A fleet file as the simulator reads it: whatever it accepts names only simulated kinds and
// gives every unit its hardware address.
#include "fleet_config.h"
#include "unit_kind.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    sim::FleetConfig fleet;
    std::string error;
    if (!fleet.parse(std::string(reinterpret_cast<const char*>(data), size), error)) {
        if (error.empty())
            std::abort(); // a refusal always says why
        return 0;
    }
    for (const sim::UnitConfig& unit : fleet.units) {
        if (!sim::UnitKind::find(unit.kind) || !unit.mac)
            std::abort();
    }
    return 0;
}

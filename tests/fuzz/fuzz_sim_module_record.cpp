// A configuration record posted to a simulated Wi-Fi module: what the parser accepts applies
// to the module's record, and the record it then exports reads back.
#include "fleet_config.h"
#include "module_config_record.h"
#include "sim_demo_units.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const sim::UnitConfig module = [] {
        for (auto& unit : fuzz_support::demoUnits())
            if (unit->config().kind == 2)
                return unit->config();
        std::abort();
    }();
    std::vector<sim::ModuleConfigRecord::Group> groups;
    if (!sim::ModuleConfigRecord::parse(std::string(reinterpret_cast<const char*>(data), size), groups))
        return 0;
    sim::ModuleConfigRecord record = sim::ModuleConfigRecord::factory(module);
    record.apply(groups);
    std::vector<sim::ModuleConfigRecord::Group> exported;
    if (!sim::ModuleConfigRecord::parse(record.exportText({}), exported))
        std::abort();
    return 0;
}

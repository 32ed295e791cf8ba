#pragma once

#include "core/app/main_window_view.h"
#include "core/units/unit_table.h"

#include <nlohmann/json.hpp>

namespace kovra::cli {

// A device-list row with the unit behind it, as `search`, `add` and `show` print it.
nlohmann::json unitJson(const UnitSlot& slot, const DeviceRow& row);

} // namespace kovra::cli

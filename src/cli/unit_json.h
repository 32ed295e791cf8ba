#pragma once

#include "core/app/main_window_view.h"
#include "core/units/unit_table.h"

#include <nlohmann/json.hpp>

namespace kovra::cli {

// A device-list row with the unit behind it, as `search`, `add` and `show` print it.
nlohmann::json unitJson(const UnitSlot& slot, const DeviceRow& row);

// Every field of a unit's settings by its name, as `show` prints them: texts from cp932 to
// UTF-8, per-channel fields as arrays; passwords masked unless `showSecrets`.
nlohmann::json settingsJson(const UnitSettings& settings, bool showSecrets);

} // namespace kovra::cli

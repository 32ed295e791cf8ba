#pragma once

#include "core/units/unit_settings.h"
#include "core/units/unit_record.h"

#include <string>

namespace kovra {

// The device list's model column for a unit whose model has been normalised
// (normalizeModel). Versions come from the unit's settings (sketch version in hundredths)
// and are shown when the program runs with versions on.
//   unknown model (negative modelIndex): the type pair, or for kind 3 "WiFi", kind 5
//     "KOVRA4", kind 6 "QX" (with versions "WiFi %1.2f", "K4 %1.2f", "K4 %1.2f");
//   a model with a first name: kind 1 "%s(G)"; kinds 3, 5, 7 the Wi-Fi, first or third
//     name, with versions "%s (Ver.%1.2f)"; other kinds the first name;
//   a model row without a first name (or outside the table): the type pair.
std::string modelText(const UnitRecord& unit, const UnitSettings& settings, bool showVersions);

} // namespace kovra

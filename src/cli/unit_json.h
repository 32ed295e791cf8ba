#pragma once

#include "core/units/unit_settings.h"

#include <nlohmann/json.hpp>

namespace kovra::cli {

// Every field of a unit's settings by its name, as `show` prints them: texts from cp932 to
// UTF-8, per-channel fields as arrays; passwords masked unless `showSecrets`.
nlohmann::json settingsJson(const UnitSettings& settings, bool showSecrets);

} // namespace kovra::cli

#pragma once

#include "core/diagnostics/fleet_diagnosis.h"

#include <nlohmann/json.hpp>
#include <string>

namespace kovra {

// The report as lines of text (kovractl doctor, the diagnosis window).
std::string diagnosisText(const FleetDiagnosis& report);

// The same report for kovractl doctor --json.
nlohmann::json diagnosisJson(const FleetDiagnosis& report);

} // namespace kovra

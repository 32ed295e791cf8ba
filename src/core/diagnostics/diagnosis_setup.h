#pragma once

#include "core/diagnostics/fleet_probe.h"

#include <string>

namespace kovra {

class MainWindowModel;

// What a diagnosis needs from the window: its chosen adapter and the port edit's text (the
// search's port); the adapter list is read again from the system.
FleetProbeSetup diagnosisSetup(const MainWindowModel& model, const std::string& portText);

} // namespace kovra

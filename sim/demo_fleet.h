#pragma once

#include <string>

namespace sim {

// The built-in fleet of `kovra-sim --demo`, as fleet-file text: units for the test bench's
// subnets (203.0.113.0/24, and 198.18.0.0/24 for a unit off the PC's subnet).
const std::string& demoFleetText();

} // namespace sim

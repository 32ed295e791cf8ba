#pragma once

#include <cstdint>
#include <string>

namespace kovra {

// How a unit that answered the search can get into the device list.
enum class ReachStep {
    Listed, // on the adapter's subnet with the search's port: the search lists it
    OtherSubnet, // off the subnet: add it by address, or set its address into the subnet
    OtherPort, // on the subnet with another TCP port: search with that port
};

ReachStep reachStep(bool sameSubnet, uint16_t unitPort, int searchPort);

// The step in words, naming the unit's address or port: empty for a listed unit.
std::string reachAdvice(ReachStep step, const std::string& ipText, uint16_t unitPort);

// "listed", "other subnet", "other port".
const char* reachStepText(ReachStep step);

} // namespace kovra

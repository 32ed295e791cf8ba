#include "core/diagnostics/unit_reach.h"

namespace kovra {

ReachStep reachStep(bool sameSubnet, uint16_t unitPort, int searchPort)
{
    if (!sameSubnet)
        return ReachStep::OtherSubnet;
    return unitPort == searchPort ? ReachStep::Listed : ReachStep::OtherPort;
}

std::string reachAdvice(ReachStep step, const std::string& ipText, uint16_t unitPort)
{
    switch (step) {
    case ReachStep::Listed:
        return {};
    case ReachStep::OtherSubnet:
        return "add it by address (kovractl add " + ipText
            + "), or set its address into the adapter's subnet (kovractl set-address)";
    case ReachStep::OtherPort:
        return "search with port " + std::to_string(unitPort) + " (kovractl --port "
            + std::to_string(unitPort) + " search)";
    }
    return {};
}

const char* reachStepText(ReachStep step)
{
    switch (step) {
    case ReachStep::Listed:
        return "listed";
    case ReachStep::OtherSubnet:
        return "other subnet";
    case ReachStep::OtherPort:
        return "other port";
    }
    return "";
}

} // namespace kovra

#include "wifi_module_kind.h"

#include "wifi_module_unit.h"
#include "wired_unit.h"

namespace sim {

namespace {

constexpr char kTypePair[] = "Y1";

} // namespace

std::string WifiModuleKind::complete(UnitConfig& config) const
{
    if (!config.typePair)
        config.typePair = kTypePair;
    if (*config.typePair != kTypePair)
        return "typePair of a kind 2 unit must be \"Y1\"";
    if (config.httpPort == config.port)
        return "httpPort must differ from port (the tunnel port)";
    // The unit behind the module speaks the binary family's command protocol; its checks
    // apply, under a type pair of its own family.
    UnitConfig serial = config;
    serial.typePair = "X1";
    std::string error = WiredUnit::completeWired(serial);
    if (!error.empty())
        return error;
    config.modelAnswer = serial.modelAnswer;
    config.firmware = serial.firmware;
    if (config.searchAnswer == SearchAnswer::Auto)
        config.searchAnswer = SearchAnswer::A;
    return {};
}

std::unique_ptr<Unit> WifiModuleKind::create(const UnitConfig& config) const
{
    return std::make_unique<WifiModuleUnit>(config);
}

} // namespace sim

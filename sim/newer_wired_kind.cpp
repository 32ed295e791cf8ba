#include "newer_wired_kind.h"

#include "wired_unit.h"

namespace sim {

namespace {

constexpr char kDefaultTypePair[] = "X5";
constexpr int kFirstModel = 17;

} // namespace

std::string NewerWiredKind::complete(UnitConfig& config) const
{
    if (!config.typePair)
        config.typePair = kDefaultTypePair;
    if (config.model < kFirstModel)
        return "model " + std::to_string(config.model) + " is not a kind 4 model (17 and up)";
    return WiredUnit::completeWired(config);
}

std::unique_ptr<Unit> NewerWiredKind::create(const UnitConfig& config) const
{
    return std::make_unique<WiredUnit>(config);
}

} // namespace sim

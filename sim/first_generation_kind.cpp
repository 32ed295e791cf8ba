#include "first_generation_kind.h"

#include "wired_unit.h"

namespace sim {

namespace {

constexpr char kDefaultTypePair[] = "X1";
constexpr char kGcTypePair[] = "X6";
constexpr char kGcMark[] = "GC";

} // namespace

std::string FirstGenerationKind::complete(UnitConfig& config) const
{
    if (!config.typePair)
        config.typePair = kDefaultTypePair;
    if (!isModel(config.model))
        return "model " + std::to_string(config.model) + " is not a kind 0 model (0..6, 8..12)";
    if (*config.typePair == kGcTypePair && config.firmware
        && config.firmware->find(kGcMark) != std::string::npos)
        return "an \"X6\" unit whose firmware contains \"GC\" is kind 1";
    return WiredUnit::completeWired(config);
}

std::unique_ptr<Unit> FirstGenerationKind::create(const UnitConfig& config) const
{
    return std::make_unique<WiredUnit>(config);
}

} // namespace sim

#include "gc_kind.h"

#include "first_generation_kind.h"
#include "wired_unit.h"

namespace sim {

namespace {

constexpr char kTypePair[] = "X6";
constexpr char kGcMark[] = "GC";
constexpr char kDefaultFirmware[] = "GC1.00";

} // namespace

std::string GcKind::complete(UnitConfig& config) const
{
    if (!config.typePair)
        config.typePair = kTypePair;
    if (*config.typePair != kTypePair)
        return "a kind 1 unit has the type pair \"X6\"";
    if (!config.firmware)
        config.firmware = kDefaultFirmware;
    if (config.firmware->find(kGcMark) == std::string::npos)
        return "a kind 1 unit's firmware contains \"GC\"";
    if (!FirstGenerationKind::isModel(config.model))
        return "model " + std::to_string(config.model) + " is not a kind 1 model (0..6, 8..12)";
    return WiredUnit::completeWired(config);
}

std::unique_ptr<Unit> GcKind::create(const UnitConfig& config) const
{
    return std::make_unique<WiredUnit>(config);
}

} // namespace sim

#include "core/units/unit_row_text.h"

#include "core/units/model_table.h"

#include <cstdint>

namespace kovra {

namespace {

// "%1.2f" of hundredths, built from integers: printf would take the decimal point from the
// locale the GUI adopts ("1,03" under a German one), and this text also names files.
std::string versionNumber(int hundredths)
{
    const int64_t value = hundredths;
    const int64_t magnitude = value < 0 ? -value : value;
    const int64_t fraction = magnitude % 100;
    return std::string(value < 0 ? "-" : "") + std::to_string(magnitude / 100) + (fraction < 10 ? ".0" : ".")
        + std::to_string(fraction);
}

std::string withVersion(const char* name, int hundredths)
{
    return std::string(name) + " (Ver." + versionNumber(hundredths) + ")";
}

std::string unknownModelText(const UnitRecord& unit, bool showVersions, int version)
{
    switch (unit.kind) {
    case kKindWifi:
        return showVersions ? "WiFi " + versionNumber(version) : "WiFi";
    case kKindKovra4:
        return showVersions ? "K4 " + versionNumber(version) : "KOVRA4";
    case kKindQx:
        // QX units share the KOVRA4 version label.
        return showVersions ? "K4 " + versionNumber(version) : "QX";
    default:
        return unit.typePair();
    }
}

} // namespace

std::string modelText(const UnitRecord& unit, const UnitSettings& settings, bool showVersions)
{
    const int version = settings.sketchVersion;
    if (unit.modelIndex < 0)
        return unknownModelText(unit, showVersions, version);

    const ModelNames& names = modelNames(unit.modelIndex);
    if (names.first[0] == '\0')
        return unit.typePair();

    const char* name = names.first;
    switch (unit.kind) {
    case kKindWiredGc:
        return std::string(names.first) + "(G)";
    case kKindWifi:
        name = names.wifi;
        break;
    case kKindKovra4:
        break;
    case kKindThirdName:
        name = names.third;
        break;
    default:
        return name;
    }
    return showVersions ? withVersion(name, version) : name;
}

} // namespace kovra

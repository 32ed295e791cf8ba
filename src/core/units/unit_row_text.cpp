#include "core/units/unit_row_text.h"

#include "core/units/model_table.h"

#include <cstdio>

namespace kovra {

namespace {

std::string withVersion(const char* name, double version)
{
    char text[96];
    std::snprintf(text, sizeof text, "%s (Ver.%1.2f)", name, version);
    return text;
}

std::string formatVersion(const char* pattern, double version)
{
    char text[48];
    std::snprintf(text, sizeof text, pattern, version);
    return text;
}

std::string unknownModelText(const UnitRecord& unit, bool showVersions, double version)
{
    switch (unit.kind) {
    case kKindWifi:
        return showVersions ? formatVersion("WiFi %1.2f", version) : "WiFi";
    case kKindKovra4:
        return showVersions ? formatVersion("K4 %1.2f", version) : "KOVRA4";
    case kKindQx:
        // QX units share the KOVRA4 version label.
        return showVersions ? formatVersion("K4 %1.2f", version) : "QX";
    default:
        return unit.typePair();
    }
}

} // namespace

std::string modelText(const UnitRecord& unit, const UnitSettings& settings, bool showVersions)
{
    const double version = settings.sketchVersion / 100.0;
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

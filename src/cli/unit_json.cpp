#include "cli/unit_json.h"

#include "core/platform/cp932_text.h"

namespace kovra::cli {

nlohmann::json unitJson(const UnitSlot& slot, const DeviceRow& row)
{
    const UnitRecord& unit = slot.record;
    return {
        { "mac", row.mac },
        { "ip", row.ip },
        { "model", row.model },
        { "kind", unit.kind },
        { "typePair", cp932ToUtf8(unit.typePair()) },
        { "modelIndex", unit.modelIndex },
        { "unitSwitch", unit.unitSwitch },
        { "sameSubnet", unit.sameSubnet },
        { "dhcp", unit.dhcp },
        { "subnetMask", ipv4ToText(unit.subnetMask) },
        { "gateway", ipv4ToText(unit.gateway) },
        { "port", unit.unitPort() },
        { "sketchVersion", slot.settings.sketchVersion },
        { "textVersion", slot.settings.textVersion },
        { "firmwareText", cp932ToUtf8(unit.firmwareText) },
    };
}

} // namespace kovra::cli

#include "core/settings/settings_kind_reader.h"

#include "core/settings/settings_reader.h"
#include "core/units/unit_table.h"

namespace kovra {

namespace {

constexpr int kMaxPort = 65535;

} // namespace

bool readUnitParametersForList(UnitSlot& slot)
{
    UnitRecord& unit = slot.record;
    unit.configBlock0.fill(0);
    for (auto& record : unit.configBlocks3to7)
        record.fill(0);
    if (ReadUnitSettings(slot) != 0)
        return false;
    const int port = slot.settings.ports[0];
    unit.setUnitPort(port >= 0 && port <= kMaxPort ? uint16_t(port) : 0);
    return true;
}

} // namespace kovra

#include "core/app/unit_row_builder.h"

#include "core/net/discovery.h"
#include "core/net/unit_classifier.h"
#include "core/units/model_table.h"
#include "core/units/unit_row_text.h"

namespace kovra {

std::optional<DeviceRow> buildUnitRow(UnitSlot& slot, int modelResult, bool showVersions, KindReaders& readers)
{
    if (modelResult != kModelNotQueried && !readRowNetwork(slot, readers))
        return std::nullopt;
    return unitRowText(slot, showVersions);
}

bool readRowNetwork(UnitSlot& slot, KindReaders& readers)
{
    UnitRecord& unit = slot.record;
    if (unit.kind == kKindWifiModule)
        return readers.readWifiModuleNetwork(slot);
    if (unit.kind == kKindWired || unit.kind == kKindWiredGc || unit.kind == kKindNewerWired)
        return readWiredNetwork(unit);
    return true;
}

DeviceRow unitRowText(UnitSlot& slot, bool showVersions)
{
    normalizeModel(slot.record);
    return DeviceRow { macText(slot.record.mac), slot.record.ipText, modelText(slot.record, slot.settings, showVersions) };
}

int parsePortText(const std::string& text)
{
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + (c - '0');
        if (value > 0x7FFFFFFF)
            return 0x7FFFFFFF;
    }
    return int(value);
}

} // namespace kovra

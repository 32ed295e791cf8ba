#include "core/app/unit_kind_readers.h"

#include "core/settings/settings_kind_reader.h"
#include "core/wifi/module_reads.h"

namespace kovra {

bool UnitKindReaders::readWifiModulePort(UnitSlot& slot)
{
    return kovra::readWifiModulePort(slot);
}

bool UnitKindReaders::readUnitParameters(UnitSlot& slot)
{
    return readUnitParametersForList(slot);
}

bool UnitKindReaders::readWifiModuleNetwork(UnitSlot& slot)
{
    return kovra::readWifiModuleNetwork(slot);
}

} // namespace kovra

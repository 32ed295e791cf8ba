#include "core/app/unit_kind_readers.h"

#include "core/settings/settings_kind_reader.h"

namespace kovra {

bool UnitKindReaders::readUnitParameters(UnitSlot& slot)
{
    return readUnitParametersForList(slot);
}

} // namespace kovra

#include "unit_kind.h"

#include "first_generation_kind.h"
#include "gc_kind.h"
#include "newer_wired_kind.h"
#include "wifi_module_kind.h"

namespace sim {

const UnitKind* UnitKind::find(int kind)
{
    static const FirstGenerationKind firstGeneration;
    static const GcKind gc;
    static const NewerWiredKind newerWired;
    static const WifiModuleKind wifiModule;
    static const UnitKind* const kinds[] = { &firstGeneration, &gc, &newerWired, &wifiModule };
    for (const UnitKind* entry : kinds) {
        if (entry->kind() == kind)
            return entry;
    }
    return nullptr;
}

} // namespace sim

#include "unit_kind.h"

#include "first_generation_kind.h"
#include "gc_kind.h"
#include "newer_wired_kind.h"
#include "text_kind.h"
#include "wifi_module_kind.h"

namespace sim {

const UnitKind* UnitKind::find(int kind)
{
    static const FirstGenerationKind firstGeneration;
    static const GcKind gc;
    static const NewerWiredKind newerWired;
    static const TextKind wifi(3, "_L", 127, 2), kovra4(5, "_W", 104, 5), qx(6, "_T", 110, 2),
        third(7, "_B", 1, 3);
    static const WifiModuleKind wifiModule;
    static const UnitKind* const kinds[]
        = { &firstGeneration, &gc, &newerWired, &wifiModule, &wifi, &kovra4, &qx, &third };
    for (const UnitKind* entry : kinds) {
        if (entry->kind() == kind)
            return entry;
    }
    return nullptr;
}

} // namespace sim

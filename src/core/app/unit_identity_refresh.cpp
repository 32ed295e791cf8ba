#include "core/app/unit_identity_refresh.h"

#include "core/app/setting_command_texts.h"
#include "core/app/system_texts.h"
#include "core/platform/cancel_scope.h"
#include "core/units/model_table.h"

namespace kovra {

namespace {

uint16_t queryPort(const UnitSlot& unit)
{
    // These kinds answer the model query on their connection 1 port.
    const int kind = unit.record.kind;
    if (kind == kKindWifi || kind == kKindQx)
        return uint16_t(unit.settings.ports[0]);
    return unit.record.unitPort();
}

} // namespace

IdentityRefresh refreshUnitIdentity(UnitSlot& unit, const ModelQuery& query)
{
    IdentityRefresh refresh;
    if (!unit.record.sameSubnet) {
        refresh.message = texts::kCannotCommunicate;
        return refresh;
    }
    for (int attempt = 0; unit.record.modelIndex == kModelUnknown; ++attempt) {
        if (attempt == kRefreshTries) {
            refresh.message = texts::kCommunicationError;
            return refresh;
        }
        if (attempt > 0 && !pauseFor(kRefreshPauseMs)) {
            refresh.message = texts::kCommunicationError;
            return refresh;
        }
        int modelIndex = kModelUnknown;
        int unitSwitch = -1;
        if (query(unit.record.ipText, queryPort(unit), modelIndex, unitSwitch) != 0)
            continue;
        if (unitSwitch == kRotarySwitchF) {
            refresh.message = texts::kTurnRotarySwitch;
            return refresh;
        }
        unit.record.modelIndex = modelIndex;
        unit.record.unitSwitch = unitSwitch;
        normalizeModel(unit.record);
        refresh.queried = true;
    }
    refresh.ready = true;
    return refresh;
}

} // namespace kovra

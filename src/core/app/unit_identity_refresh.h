#pragma once

#include "core/units/unit_table.h"

#include <functional>
#include <string>

namespace kovra {

// The model query the refresh makes (tests give their own): queryModel's signature.
using ModelQuery
    = std::function<int(const std::string& ipText, uint16_t port, int& modelIndex, int& unitSwitch)>;

constexpr int kRefreshTries = 5;
constexpr int kRefreshPauseMs = 50;
constexpr int kRotarySwitchF = 15;

// How `RefreshUnitIdentity` ended: `message` is what to show when it stopped the command.
struct IdentityRefresh {
    bool ready = false; // the command goes on
    bool queried = false; // the unit answered a model query: its row's model text changes
    std::string message;
};

// `RefreshUnitIdentity` before a setting command, on the flow's worker: a unit outside the
// PC's network group stops at once, without traffic; while the model is unknown the unit is
// asked for it (at most 5 times, 50 ms apart; kinds 3 and 6 on port 1 of their settings,
// the others on their command port); a unit at rotary switch F stops; no answer stops with
// "通信エラー". The answer goes into `unit` (model, switch, normalised kind).
IdentityRefresh refreshUnitIdentity(UnitSlot& unit, const ModelQuery& query);

} // namespace kovra

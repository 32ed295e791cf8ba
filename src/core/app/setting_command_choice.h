#pragma once

#include "core/app/setting_command_flow.h"

namespace kovra {

// The program's choice of dialog for each function button, by the unit's kind, its model's
// capabilities and its sketch version (docs/readings.md has the table): a refusal message,
// or the dialog path to open.
SettingChoice chooseSettingPath(SettingCommand command, const UnitSlot& unit, bool wifiMask);

// The refusals alone (no dialog is made): empty when the command goes on to a dialog.
std::string mailAlertRefusal(const UnitSlot& unit);
std::string inputExtensionRefusal(const UnitSlot& unit);
std::string otherSettingsRefusal(const UnitSlot& unit);

} // namespace kovra

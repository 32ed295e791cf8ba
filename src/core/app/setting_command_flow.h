#pragma once

#include "core/app/flow_context.h"
#include "core/settings/dialog_path.h"
#include "core/settings/setting_outcome.h"
#include "core/units/unit_table.h"

#include <functional>
#include <memory>
#include <string>

namespace kovra {

// The three function buttons of the main window.
enum class SettingCommand {
    MailAlert, // button 1000
    InputExtension, // button 1008
    OtherSettings, // button 1009
};

// The path a command takes for one unit: a refusal message, or a dialog path.
struct SettingChoice {
    std::string refusal; // shown, nothing sent, when not empty
    std::unique_ptr<DialogPath> path;
};
// Picks the command's dialog variant for the unit as refreshed (its kind, model capabilities
// and sketch version). wifiMask is the "-WIFIMASK" switch.
using SettingChooser = std::function<SettingChoice(SettingCommand, const UnitSlot&, bool wifiMask)>;

// One setting command on a worker thread, for a copy of the unit selected when the button was
// pressed: refresh the unit's identity, choose the variant, load, open the form, write the
// accepted values, say how it ended, refresh the row. Every message goes through
// settingOutcomeMessage, once.
class SettingCommandFlow {
public:
    using Done = std::function<void(SettingOutcome)>;
    // Set by kovractl --dry-run: the write plan goes here instead of to the unit.
    using DryRun = std::function<void(const WritePlan&)>;

    SettingCommandFlow(FlowContext context, SettingCommand command, const UnitSlot& unit, bool wifiMask,
        SettingChooser chooser, DryRun dryRun, Done done);
    void run();

private:
    SettingOutcome runCommand();
    SettingOutcome openAndWrite(DialogPath& path);
    // The window's copy of the unit takes this flow's (model text, settings written).
    void postRefreshedUnit();

    FlowContext m_context;
    SettingCommand m_command;
    UnitSlot m_unit;
    bool m_wifiMask;
    SettingChooser m_chooser;
    DryRun m_dryRun;
    Done m_done;
};

} // namespace kovra

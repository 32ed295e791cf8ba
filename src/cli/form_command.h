#pragma once

#include "cli/cli_options.h"
#include "cli/cli_user_interface.h"
#include "cli/command.h"
#include "core/app/setting_command_flow.h"
#include "core/settings/setting_outcome.h"

#include <optional>

namespace kovra::cli {

// `NAME UNIT [FIELD=VALUE ...] [--dry-run] [--show-secrets]`: the setting button `command`
// on the unit, its dialog filled from the words (or printed without them). The dialog is
// whichever the unit gets, so one declaration serves every variant.
std::unique_ptr<Command> makeFormCommand(std::string name, SettingCommand command, std::string summary);

// The exit status of a form command from how its dialog ended and the flow's outcome
// (nothing when the flow did not end): 2 for a usage error in the words; 0 for a write, a
// test mail or a dry run, and for values printed without words; 1 otherwise.
int formCommandStatus(CliUserInterface::DialogResult dialog, std::optional<SettingOutcome> outcome);

} // namespace kovra::cli

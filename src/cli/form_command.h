#pragma once

#include "cli/command.h"
#include "core/app/setting_command_flow.h"

namespace kovra::cli {

// `NAME UNIT [FIELD=VALUE ...] [--dry-run] [--show-secrets]`: the setting button `command`
// on the unit, its dialog filled from the words (or printed without them). The dialog is
// whichever the unit gets, so one declaration serves every variant.
std::unique_ptr<Command> makeFormCommand(std::string name, SettingCommand command, std::string summary);

} // namespace kovra::cli

#include "cli/kovractl.h"

#include "cli/cli_session.h"
#include "cli/command_line.h"
#include "cli/form_command.h"

namespace kovra::cli {

std::unique_ptr<Command> makeAdaptersCommand();
std::unique_ptr<Command> makeSearchCommand();
std::unique_ptr<Command> makeAddCommand();
std::unique_ptr<Command> makeShowCommand();
std::unique_ptr<Command> makePingCommand();
std::unique_ptr<Command> makeSetAddressCommand();
std::unique_ptr<Command> makePairsCommand();
std::unique_ptr<Command> makeSaveCommand();
std::unique_ptr<Command> makeWriteCommand();
std::unique_ptr<Command> makeDiffCommand();
std::unique_ptr<Command> makeCloneCommand();
std::unique_ptr<Command> makeDoctorCommand();

std::vector<std::unique_ptr<Command>> allCommands()
{
    std::vector<std::unique_ptr<Command>> commands;
    commands.push_back(makeAdaptersCommand());
    commands.push_back(makeSearchCommand());
    commands.push_back(makeAddCommand());
    commands.push_back(makeShowCommand());
    commands.push_back(makePingCommand());
    commands.push_back(makeSetAddressCommand());
    commands.push_back(makePairsCommand());
    commands.push_back(makeDoctorCommand());
    // The setting buttons, one line each.
    commands.push_back(makeFormCommand("mail", SettingCommand::MailAlert,
        "the mail alert button: the unit's mail alert dialog printed or filled"));
    commands.push_back(makeFormCommand("input-extension", SettingCommand::InputExtension,
        "the input-extension button: the unit's connections dialog (ports, destinations, timing, "
        "mapping, mode) printed or filled"));
    commands.push_back(makeFormCommand("other", SettingCommand::OtherSettings,
        "the other-settings button: the unit's dialog (keep-alive, DO modes, analog, Wi-Fi) printed or "
        "filled"));
    // The setup files: the two bulk buttons, and the fleet commands beside them.
    commands.push_back(makeSaveCommand());
    commands.push_back(makeWriteCommand());
    commands.push_back(makeDiffCommand());
    commands.push_back(makeCloneCommand());
    return commands;
}

int runKovractl(const std::vector<std::string>& words, std::istream& in, std::ostream& out, std::ostream& err,
    MainWindowModel::AdapterSource adapters)
{
    CommandLine line;
    if (const auto status = line.parse(words, out, err))
        return *status;
    CliSession session(line.options(), in, out, err, std::move(adapters));
    const int status = session.initialize();
    if (status != kExitOk)
        return status;
    return line.command().run(session);
}

} // namespace kovra::cli

#include "cli/kovractl.h"

#include "cli/cli_session.h"
#include "cli/command.h"

#include <ostream>

namespace kovra::cli {

std::unique_ptr<Command> makeAdaptersCommand();
std::unique_ptr<Command> makeSearchCommand();
std::unique_ptr<Command> makeAddCommand();
std::unique_ptr<Command> makeShowCommand();
std::unique_ptr<Command> makePingCommand();
std::unique_ptr<Command> makeSetAddressCommand();

std::vector<std::unique_ptr<Command>> allCommands()
{
    std::vector<std::unique_ptr<Command>> commands;
    commands.push_back(makeAdaptersCommand());
    commands.push_back(makeSearchCommand());
    commands.push_back(makeAddCommand());
    commands.push_back(makeShowCommand());
    commands.push_back(makePingCommand());
    commands.push_back(makeSetAddressCommand());
    return commands;
}

int runKovractl(const std::vector<std::string>& words, std::istream& in, std::ostream& out, std::ostream& err,
    MainWindowModel::AdapterSource adapters)
{
    if (!words.empty() && (words[0] == "--help" || words[0] == "-h" || words[0] == "help")) {
        out << usageText();
        return kExitOk;
    }
    CliOptions options;
    std::string error;
    if (!parseCliOptions(words, options, error)) {
        err << "kovractl: " << error << "\n\n" << usageText();
        return kExitUsage;
    }
    for (auto& command : allCommands()) {
        if (command->name() != options.command)
            continue;
        if (options.arguments.size() < command->minArguments() || options.arguments.size() > command->maxArguments()) {
            err << "kovractl: wrong number of arguments for " << options.command << "\n\n" << usageText();
            return kExitUsage;
        }
        CliSession session(options, in, out, err, std::move(adapters));
        const int status = session.initialize();
        if (status != kExitOk)
            return status;
        return command->run(session, options.arguments);
    }
    err << "kovractl: unknown command " << options.command << "\n\n" << usageText();
    return kExitUsage;
}

} // namespace kovra::cli

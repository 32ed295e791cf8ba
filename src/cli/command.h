#pragma once

#include <memory>
#include <string>
#include <vector>

namespace CLI {
class App;
} // namespace CLI

namespace kovra::cli {

class CliSession;

// One kovractl command. It declares its arguments and options once, on its own subcommand
// of the command line, bound to its members; the help text comes from those declarations.
class Command {
public:
    virtual ~Command() = default;
    virtual std::string name() const = 0;
    // One line for `kovractl --help`, the first of `kovractl COMMAND --help`.
    virtual std::string summary() const = 0;
    virtual void declare(CLI::App&) { }
    // Runs with what the command line gave; the session has the chosen adapter. An exit status.
    virtual int run(CliSession& session) = 0;
};

// Every command, in the order `kovractl --help` lists them.
std::vector<std::unique_ptr<Command>> allCommands();

} // namespace kovra::cli

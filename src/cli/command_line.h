#pragma once

#include "cli/cli_options.h"
#include "cli/command.h"

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace CLI {
class App;
} // namespace CLI

namespace kovra::cli {

// kovractl's command line: the global options and every command, each declared once.
class CommandLine {
public:
    CommandLine();
    ~CommandLine();
    CommandLine(const CommandLine&) = delete;
    CommandLine& operator=(const CommandLine&) = delete;

    // Reads the words after the program name. Nothing when a command is to run; otherwise
    // the exit status: 0 with the help asked for on `out`, 2 with a usage error on `err`.
    std::optional<int> parse(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);

    const CliOptions& options() const { return m_options; }
    // The command the words named, once parse() has returned nothing.
    Command& command() const;

private:
    CliOptions m_options;
    std::vector<std::unique_ptr<Command>> m_commands;
    std::unique_ptr<CLI::App> m_app;
    Command* m_chosen = nullptr;
};

} // namespace kovra::cli

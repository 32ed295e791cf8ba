#include "cli/command_line.h"

#include "cli/argument_checks.h"
#include "core/app/main_window_model.h"
#include "core/platform/program_version.h"

#include <CLI/CLI.hpp>
#include <ostream>

namespace kovra::cli {

namespace {

constexpr char kDescription[]
    = "kovractl: the main window of KOVRAset as commands, for scripts and for many units";

constexpr char kFooter[]
    = "The options of kovractl --help may stand before or after the command.\n"
      "A UNIT is an IPv4 address (the unit is added by address) or a hardware address\n"
      "XX-XX-XX-XX-XX-XX (the network is searched for it).\n"
      "Exit status: 0 success, 1 the operation failed (the system's message on stderr),\n"
      "2 usage.";

std::string versionText()
{
    const ProgramVersion v = programVersion();
    return "kovractl " + std::to_string(v.major) + "." + std::to_string(v.minor) + "."
        + std::to_string(v.build) + "." + std::to_string(v.revision);
}

std::string joined(const std::vector<std::string>& words)
{
    std::string text;
    for (const auto& word : words)
        text += (text.empty() ? "" : " ") + word;
    return text;
}

} // namespace

CommandLine::CommandLine()
    : m_commands(allCommands())
    , m_app(std::make_unique<CLI::App>(kDescription, "kovractl"))
{
    m_options.port = std::to_string(kDefaultUnitPort);
    CLI::App& app = *m_app;
    app.footer(kFooter);
    app.get_formatter()->label("SUBCOMMAND", "COMMAND");
    app.get_formatter()->label("Positionals", "Arguments");
    app.require_subcommand(1);
    app.set_version_flag("--version", versionText(), "print the program's version and exit");
    // The global options may also stand after the command; the commands inherit this.
    app.fallthrough();
    app.add_option("--adapter", m_options.adapter,
           "the network adapter with this IPv4 address (default: the first, as in the GUI)")
        ->type_name("ADDR")
        ->check(ipv4Check());
    app.add_option("--port", m_options.port, "the units' TCP port for the search, as the GUI's port edit")
        ->type_name("N")
        ->capture_default_str()
        ->check(portCheck());
    app.add_flag("--json", m_options.json, "results as JSON");
    app.add_flag("--yes", m_options.yes,
        "answer OK/Yes to every question (else asked on the terminal; with no terminal Cancel/No)");
    app.add_flag("--view-versions", m_options.viewVersions,
        "as the GUI's -VIEWVER: firmware versions in the model column");
    app.add_flag("--wifi-mask", m_options.wifiMask, "as the GUI's -WIFIMASK");
    app.add_option("--lang", m_options.language,
           "the language of the messages: en or ja (default: English when the locale's language is "
           "English, else Japanese)")
        ->type_name("LANG")
        ->check(CLI::IsMember({ "en", "ja" }));
    for (const auto& command : m_commands) {
        CLI::App* sub = app.add_subcommand(command->name(), command->summary());
        sub->group("Commands");
        command->declare(*sub);
        sub->parse_complete_callback([this, chosen = command.get()] { m_chosen = chosen; });
    }
}

CommandLine::~CommandLine() = default;

std::optional<int> CommandLine::parse(
    const std::vector<std::string>& words, std::ostream& out, std::ostream& err)
{
    // The command line reads its words last to first.
    std::vector<std::string> reversed(words.rbegin(), words.rend());
    try {
        m_app->parse(reversed);
        return std::nullopt;
    } catch (const CLI::CallForHelp&) {
        out << m_app->help();
        return kExitOk;
    } catch (const CLI::CallForVersion& version) {
        out << version.what() << std::endl;
        return kExitOk;
    } catch (const CLI::ParseError& error) {
        const auto chosen = m_app->get_subcommands();
        const std::string helpCommand
            = chosen.empty() ? "kovractl --help" : "kovractl " + chosen[0]->get_name() + " --help";
        const std::vector<std::string> left = m_app->remaining(true);
        std::string message = error.what();
        if (chosen.empty() && !left.empty())
            message = (left[0].compare(0, 1, "-") == 0 ? "unknown option " : "unknown command ") + left[0];
        else if (dynamic_cast<const CLI::ExtrasError*>(&error))
            message = "unexpected arguments: " + joined(left);
        else if (chosen.empty() && dynamic_cast<const CLI::RequiredError*>(&error))
            message = "no command given";
        err << "kovractl: " << message << "\nSee '" << helpCommand << "'." << std::endl;
        return kExitUsage;
    }
}

Command& CommandLine::command() const
{
    return *m_chosen;
}

} // namespace kovra::cli

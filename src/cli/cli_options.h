#pragma once

#include <string>
#include <vector>

namespace kovra::cli {

// Exit statuses of kovractl.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1; // the operation failed; the system's message is on stderr
constexpr int kExitUsage = 2;

// The global options and the command with its own arguments.
struct CliOptions {
    std::string adapter; // --adapter ADDR: the adapter with this address; empty: the first
    std::string port; // --port N: the units' TCP port, as the search's port edit (default: the GUI's)
    bool json = false; // --json
    bool yes = false; // --yes: OK/Yes to every question
    bool viewVersions = false; // --view-versions: as the "-VIEWVER" switch
    bool wifiMask = false; // --wifi-mask: as the "-WIFIMASK" switch
    std::string command;
    std::vector<std::string> arguments;
};

// False with a message in `error` when the words are off.
bool parseCliOptions(const std::vector<std::string>& words, CliOptions& options, std::string& error);

// The switches as the GUI's command line spells them, for the window model.
std::string commandLineOf(const CliOptions& options);

std::string usageText();

} // namespace kovra::cli

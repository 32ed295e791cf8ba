#pragma once

#include <string>

namespace kovra::cli {

// Exit statuses of kovractl.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1; // the operation failed; the system's message is on stderr
constexpr int kExitUsage = 2;
constexpr int kExitUnlisted = 3; // the search listed its units, but some that answered could not be read

// The options that stand before (or after) any command.
struct CliOptions {
    std::string adapter; // --adapter ADDR: the adapter with this address; empty: the first
    std::string port; // --port N: the units' TCP port, as the search's port edit
    bool json = false; // --json
    bool yes = false; // --yes: OK/Yes to every question
    bool viewVersions = false; // --view-versions: as the "-VIEWVER" switch
    bool wifiMask = false; // --wifi-mask: as the "-WIFIMASK" switch
    std::string language; // --lang en|ja: applied by main before the parse (messages may come first)
};

} // namespace kovra::cli

#pragma once

#include "core/platform/program_version.h"

#include <string>

namespace kovra {

// The two command-line switches. The command line is upper-cased and searched for each
// option anywhere in it: no word boundaries, unknown text ignored.
struct ProgramOptions {
    bool showVersions = false; // "-VIEWVER": firmware versions in the model column
    bool wifiMask = false; // "-WIFIMASK": the extra input-extension branch for Wi-Fi units
};

ProgramOptions parseProgramOptions(const std::string& commandLine);

// "Version %d.%d%d%d" when the revision is non-zero, else "Version %d.%d%d".
std::string versionText(const ProgramVersion& version);

} // namespace kovra

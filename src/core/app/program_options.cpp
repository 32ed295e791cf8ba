#include "core/app/program_options.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace kovra {

ProgramOptions parseProgramOptions(const std::string& commandLine)
{
    std::string upper = commandLine;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    ProgramOptions options;
    options.showVersions = upper.find("-VIEWVER") != std::string::npos;
    options.wifiMask = upper.find("-WIFIMASK") != std::string::npos;
    return options;
}

std::string versionText(const ProgramVersion& v)
{
    char text[64];
    if (v.revision != 0)
        std::snprintf(text, sizeof text, "Version %d.%d%d%d", v.major, v.minor, v.build, v.revision);
    else
        std::snprintf(text, sizeof text, "Version %d.%d%d", v.major, v.minor, v.build);
    return text;
}

} // namespace kovra

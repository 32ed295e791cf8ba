#pragma once

#include <string>

namespace kovra::cli {

// A password as kovractl prints it: "*" unless --show-secrets asked for it in clear. An
// empty one stays empty, so that "no password set" can still be read.
inline std::string secretText(const std::string& text, bool showSecrets)
{
    return showSecrets || text.empty() ? text : "*";
}

} // namespace kovra::cli

#pragma once

#include <string>

namespace kovra {

// Conversions at the edge between the units' code page 932 text and the UTF-8 of the GUI
// and CLI. Neither fails: what cannot be converted is replaced, one replacement per bad
// byte (cp932 side) or per character (UTF-8 side), so a broken unit text still shows
// and an operator's entry is never cut short. `replaced` (optional) counts the
// replacements, so a caller that must send exact text can refuse when it is not 0.

// Invalid or truncated cp932 sequences become U+FFFD.
std::string cp932ToUtf8(const std::string& cp932, int* replaced = nullptr);

// Characters without a cp932 form, and invalid UTF-8 bytes, become '?'.
std::string utf8ToCp932(const std::string& utf8, int* replaced = nullptr);

} // namespace kovra

#pragma once

#include <string>
#include <vector>

namespace kovra {

// The status line after a search in which units answered but could not be listed: their
// number and the first addresses, so that the operator knows the list is short.
std::string unlistedUnitsText(const std::vector<std::string>& addresses);

} // namespace kovra

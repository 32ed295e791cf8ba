#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace kovra::cli {

// Prints rows under a heading with columns padded to their widest cell (UTF-8 aware).
void printTextTable(std::ostream& out, const std::vector<std::string>& heading,
    const std::vector<std::vector<std::string>>& rows);

// The device list's column headings, as the window shows them, in the current language.
std::vector<std::string> deviceListHeadings();

} // namespace kovra::cli

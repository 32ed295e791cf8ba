#pragma once

#include <string>
#include <vector>

namespace kovra {

// One entry of a file dialog's filter.
struct FileFilter {
    std::string caption; // "Setup files(*.rec;*.xml;*.lwi)"
    std::vector<std::string> patterns; // "*.rec", "*.xml", "*.lwi"
};

// Splits a filter of caption|pattern pairs ("a|*.x;*.y|b|*.*||"); patterns within a pair are
// separated by ";". A trailing caption without its pattern is dropped.
std::vector<FileFilter> parseFileFilter(const std::string& filter);

} // namespace kovra

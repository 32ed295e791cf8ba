#include "core/app/file_dialog_filter.h"

namespace kovra {

namespace {
std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    size_t at = 0;
    for (size_t next = text.find(separator); next != std::string::npos; next = text.find(separator, at)) {
        parts.push_back(text.substr(at, next - at));
        at = next + 1;
    }
    parts.push_back(text.substr(at));
    return parts;
}
} // namespace

std::vector<FileFilter> parseFileFilter(const std::string& filter)
{
    std::vector<FileFilter> filters;
    const std::vector<std::string> parts = split(filter, '|');
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty() || parts[i + 1].empty())
            break; // "||" closes the list
        FileFilter entry { parts[i], {} };
        for (const std::string& pattern : split(parts[i + 1], ';')) {
            if (!pattern.empty())
                entry.patterns.push_back(pattern);
        }
        filters.push_back(std::move(entry));
    }
    return filters;
}

} // namespace kovra

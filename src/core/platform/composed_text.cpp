#include "core/platform/composed_text.h"

#include <algorithm>

namespace kovra {

namespace {

// The place number at `at` ("%1".."%9"), or 0 when `at` starts no place.
size_t placeAt(const std::string& pattern, size_t at)
{
    if (at + 1 >= pattern.size() || pattern[at] != '%' || pattern[at + 1] < '1' || pattern[at + 1] > '9')
        return 0;
    return size_t(pattern[at + 1] - '0');
}

// A pattern cut at its places: literal[0], place[0], literal[1], ..., literal[n].
struct PatternParts {
    std::vector<std::string> literals { std::string() };
    std::vector<size_t> places;
};

PatternParts patternParts(const std::string& pattern)
{
    PatternParts parts;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (const size_t place = placeAt(pattern, i)) {
            parts.places.push_back(place);
            parts.literals.emplace_back();
            ++i;
        } else {
            parts.literals.back() += pattern[i];
        }
    }
    return parts;
}

bool endsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

} // namespace

std::string composeText(const char* pattern, const std::vector<std::string>& pieces)
{
    const std::string source = pattern ? pattern : "";
    std::string text;
    for (size_t i = 0; i < source.size(); ++i) {
        const size_t place = placeAt(source, i);
        if (place && place <= pieces.size()) {
            text += pieces[place - 1];
            ++i;
        } else {
            text += source[i];
        }
    }
    return text;
}

std::optional<std::vector<std::string>> composedPieces(const char* pattern, const std::string& text)
{
    const PatternParts parts = patternParts(pattern ? pattern : "");
    if (parts.places.empty())
        return std::nullopt;
    const std::string& head = parts.literals.front();
    const std::string& tail = parts.literals.back();
    if (text.size() < head.size() + tail.size() || text.compare(0, head.size(), head) != 0
        || !endsWith(text, tail))
        return std::nullopt;
    const size_t end = text.size() - tail.size();
    std::vector<std::string> pieces(*std::max_element(parts.places.begin(), parts.places.end()));
    size_t at = head.size();
    for (size_t i = 0; i < parts.places.size(); ++i) {
        const bool last = i + 1 == parts.places.size();
        // Each piece holds at least one byte, so the next literal is looked for after it.
        const size_t next = last ? end : text.find(parts.literals[i + 1], at + 1);
        if (next == std::string::npos || next <= at || next + (last ? 0 : parts.literals[i + 1].size()) > end)
            return std::nullopt;
        pieces[parts.places[i] - 1] = text.substr(at, next - at);
        at = next + parts.literals[i + 1].size();
    }
    return pieces;
}

} // namespace kovra

#include "cli/text_table.h"

#include "core/platform/text_catalogue.h"

#include <algorithm>
#include <ostream>

namespace kovra::cli {

// Terminal columns of a UTF-8 text: a code point of three or more bytes is taken as
// full-width (Japanese), anything shorter as one column.
static size_t columns(const std::string& text)
{
    size_t width = 0;
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const size_t length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        width += length >= 3 ? 2 : 1;
        i += length;
    }
    return width;
}

void printTextTable(std::ostream& out, const std::vector<std::string>& heading,
    const std::vector<std::vector<std::string>>& rows)
{
    std::vector<size_t> widths(heading.size());
    for (size_t c = 0; c < heading.size(); ++c)
        widths[c] = columns(heading[c]);
    for (const auto& row : rows)
        for (size_t c = 0; c < row.size() && c < widths.size(); ++c)
            widths[c] = std::max(widths[c], columns(row[c]));
    auto line = [&](const std::vector<std::string>& cells) {
        for (size_t c = 0; c < cells.size() && c < widths.size(); ++c) {
            out << cells[c];
            if (c + 1 < cells.size())
                out << std::string(widths[c] - columns(cells[c]) + 2, ' ');
        }
        out << '\n';
    };
    line(heading);
    for (const auto& row : rows)
        line(row);
}

std::vector<std::string> deviceListHeadings()
{
    return { systemText("MACアドレス"), systemText("IPアドレス"), systemText("機種") };
}

} // namespace kovra::cli

#include "hex_text.h"

namespace sim {

namespace {

int digitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

std::string HexText::format(unsigned value, size_t digits)
{
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text(digits, '0');
    for (size_t i = digits; i > 0; --i) {
        text[i - 1] = kDigits[value & 0x0F];
        value >>= 4;
    }
    return text;
}

bool HexText::parse(const std::string& text, size_t pos, size_t digits, unsigned& value)
{
    if (pos > text.size() || text.size() - pos < digits)
        return false;
    unsigned result = 0;
    for (size_t i = 0; i < digits; ++i) {
        const int digit = digitValue(text[pos + i]);
        if (digit < 0)
            return false;
        result = (result << 4) | static_cast<unsigned>(digit);
    }
    value = result;
    return true;
}

bool HexText::parseBytes(const std::string& text, std::string& bytes)
{
    std::string result;
    size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] == ' ' || text[pos] == ':' || text[pos] == '-') {
            ++pos;
            continue;
        }
        unsigned value = 0;
        if (!parse(text, pos, 2, value))
            return false;
        result += static_cast<char>(value);
        pos += 2;
    }
    bytes = result;
    return true;
}

} // namespace sim

#include "address_text.h"

namespace sim {

std::string AddressText::format(uint32_t address)
{
    return std::to_string(address >> 24) + "." + std::to_string((address >> 16) & 0xFF) + "."
        + std::to_string((address >> 8) & 0xFF) + "." + std::to_string(address & 0xFF);
}

bool AddressText::parse(const std::string& text, uint32_t& address)
{
    uint32_t result = 0;
    size_t pos = 0;
    for (int part = 0; part < 4; ++part) {
        if (part > 0) {
            if (pos >= text.size() || text[pos] != '.')
                return false;
            ++pos;
        }
        size_t digits = 0;
        unsigned value = 0;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && digits < 4) {
            value = value * 10 + static_cast<unsigned>(text[pos] - '0');
            ++pos;
            ++digits;
        }
        if (digits == 0 || digits > 3 || value > 255)
            return false;
        result = (result << 8) | value;
    }
    if (pos != text.size())
        return false;
    address = result;
    return true;
}

int AddressText::prefixLength(uint32_t mask)
{
    int prefix = 0;
    while (prefix < 32 && (mask & (0x80000000u >> prefix)))
        ++prefix;
    return maskFromPrefix(prefix) == mask ? prefix : -1;
}

uint32_t AddressText::maskFromPrefix(int prefix)
{
    if (prefix <= 0)
        return 0;
    if (prefix >= 32)
        return 0xFFFFFFFFu;
    return ~(0xFFFFFFFFu >> prefix);
}

uint32_t AddressText::classfulMask(uint32_t address)
{
    const uint32_t first = address >> 24;
    if (first < 128)
        return 0xFF000000u;
    if (first < 192)
        return 0xFFFF0000u;
    return 0xFFFFFF00u;
}

} // namespace sim

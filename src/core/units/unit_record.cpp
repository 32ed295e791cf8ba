#include "core/units/unit_record.h"

#include "core/platform/hex_digit.h"

#include <cstdio>

namespace kovra {

std::string macText(const std::array<uint8_t, 6>& mac)
{
    char text[18];
    std::snprintf(
        text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    return text;
}

bool parseMacText(const std::string& text, std::array<uint8_t, 6>& out)
{
    if (text.size() != 17)
        return false;
    std::array<uint8_t, 6> mac {};
    for (size_t i = 0; i < 6; ++i) {
        const int high = hexDigitValue(text[i * 3]);
        const int low = hexDigitValue(text[i * 3 + 1]);
        if (high < 0 || low < 0 || (i < 5 && text[i * 3 + 2] != '-'))
            return false;
        mac[i] = uint8_t(high << 4 | low);
    }
    out = mac;
    return true;
}

} // namespace kovra

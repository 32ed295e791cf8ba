#include "core/alerts/hex_count.h"

#include "core/platform/hex_digit.h"

namespace kovra {

namespace {

constexpr size_t kCountDigits = 4;
constexpr int kMaxDigits = 8;
const char kHexDigits[] = "0123456789ABCDEF";

} // namespace

std::optional<int16_t> hexToRaw(std::string_view text)
{
    if (text.size() < kCountDigits)
        return std::nullopt;
    uint32_t value = 0;
    for (size_t i = 0; i < kCountDigits; ++i) {
        const int digit = hexDigitValue(text[i]);
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + uint32_t(digit);
    }
    return int16_t(value >= 0x8000 ? int(value) - 0x10000 : int(value));
}

std::string rawToHex(int raw, int digits)
{
    if (digits < 1)
        digits = 1;
    if (digits > kMaxDigits)
        digits = kMaxDigits;
    // Only the low 4 x digits bits are written, so the field never grows past its width.
    uint32_t value = uint32_t(raw);
    std::string text(size_t(digits), '0');
    for (int i = digits - 1; i >= 0; --i) {
        text[size_t(i)] = kHexDigits[value & 0xF];
        value >>= 4;
    }
    return text;
}

} // namespace kovra

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kovra {

// Counts travel in the unit's messages as fixed-width upper-case hexadecimal.

// The signed count in the first four characters of text ("C000" is -16384). Nothing when
// fewer than four characters are there or one of the four is not a hexadecimal digit:
// a sign, a blank or a "0x" prefix is not a count.
std::optional<int16_t> hexToRaw(std::string_view text);

// The count as exactly `digits` upper-case hexadecimal digits (1..8): "%04X" for a count.
// Negative counts are written in two's complement of that width, so -16384 gives "C000".
std::string rawToHex(int raw, int digits);

} // namespace kovra

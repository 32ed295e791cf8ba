#pragma once

#include <cstddef>
#include <string>

namespace sim {

// Upper-case hexadecimal fields as units send and read them.
class HexText {
public:
    // The last `digits` digits of value in upper case ("%08X" cut to its tail).
    static std::string format(unsigned value, size_t digits);

    // Reads `digits` hexadecimal characters of text from pos; false when text is too short or a
    // character is not a hexadecimal digit (either case).
    static bool parse(const std::string& text, size_t pos, size_t digits, unsigned& value);

    // Bytes from pairs of hexadecimal digits; spaces, colons and dashes between pairs are
    // allowed.
    static bool parseBytes(const std::string& text, std::string& bytes);
};

} // namespace sim

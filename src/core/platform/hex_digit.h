#pragma once

namespace kovra {

// The value of one hexadecimal digit in either case; -1 for any other character. Units
// send hex fields in upper case, operators type either.
constexpr int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace kovra

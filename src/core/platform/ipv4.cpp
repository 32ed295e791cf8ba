#include "core/platform/ipv4.h"

#include <arpa/inet.h>

namespace kovra {

Ipv4 makeIpv4(uint8_t a, uint8_t b, uint8_t c, uint8_t d)
{
    return htonl((uint32_t(a) << 24) | (uint32_t(b) << 16) | (uint32_t(c) << 8) | uint32_t(d));
}

uint8_t ipv4Byte(Ipv4 address, int i)
{
    return uint8_t(ntohl(address) >> (8 * (3 - i)));
}

std::string ipv4ToText(Ipv4 address)
{
    return std::to_string(ipv4Byte(address, 0)) + "." + std::to_string(ipv4Byte(address, 1)) + "."
        + std::to_string(ipv4Byte(address, 2)) + "." + std::to_string(ipv4Byte(address, 3));
}

bool parseIpv4(const std::string& text, Ipv4& out)
{
    uint32_t parts[4] = {};
    int part = 0;
    int digits = 0;
    for (char c : text) {
        if (c == '.') {
            if (digits == 0 || part == 3)
                return false;
            ++part;
            digits = 0;
        } else if (c >= '0' && c <= '9') {
            if (++digits > 3)
                return false;
            parts[part] = parts[part] * 10 + uint32_t(c - '0');
            if (parts[part] > 255)
                return false;
        } else {
            return false;
        }
    }
    if (part != 3 || digits == 0)
        return false;
    out = makeIpv4(uint8_t(parts[0]), uint8_t(parts[1]), uint8_t(parts[2]), uint8_t(parts[3]));
    return true;
}

Ipv4 maskFromPrefix(int ones)
{
    if (ones <= 0)
        return 0;
    if (ones >= 32)
        return 0xFFFFFFFFu;
    return htonl(~((1u << (32 - ones)) - 1u));
}

int prefixFromMask(Ipv4 mask)
{
    const uint32_t host = ntohl(mask);
    int ones = 0;
    while (ones < 32 && (host & (0x80000000u >> ones)))
        ++ones;
    return maskFromPrefix(ones) == mask ? ones : -1;
}

} // namespace kovra

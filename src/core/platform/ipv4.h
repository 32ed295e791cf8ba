#pragma once

#include <cstdint>
#include <string>

namespace kovra {

// An IPv4 address in network byte order, as it travels on the wire and as the unit
// table keeps it.
using Ipv4 = uint32_t;

// Builds an address from its four dotted parts (a.b.c.d).
Ipv4 makeIpv4(uint8_t a, uint8_t b, uint8_t c, uint8_t d);

// Byte i (0 = first dotted part) of an address.
uint8_t ipv4Byte(Ipv4 address, int i);

// "a.b.c.d".
std::string ipv4ToText(Ipv4 address);

// Strict dotted-quad parse: four decimal parts 0..255, nothing else. False leaves out unchanged.
bool parseIpv4(const std::string& text, Ipv4& out);

// The mask with `ones` leading one bits (0..32), network order.
Ipv4 maskFromPrefix(int ones);

// Number of leading one bits of a mask; -1 when the mask is not contiguous (255.0.255.0).
int prefixFromMask(Ipv4 mask);

} // namespace kovra

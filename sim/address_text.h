#pragma once

#include <cstdint>
#include <string>

namespace sim {

// IPv4 addresses inside the simulator are host-order integers; sockets and records get them in
// network byte order at the edge.
class AddressText {
public:
    static std::string format(uint32_t address);
    // Strict dotted quad: four decimal parts 0..255, nothing else.
    static bool parse(const std::string& text, uint32_t& address);
    // Number of leading one bits, or -1 when the one bits are not one unbroken run from the top.
    static int prefixLength(uint32_t mask);
    static uint32_t maskFromPrefix(int prefix);
    // The mask a unit without a configured one assumes from its address class.
    static uint32_t classfulMask(uint32_t address);
};

} // namespace sim

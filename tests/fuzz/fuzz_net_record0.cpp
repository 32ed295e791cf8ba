// Stored record 0 as a unit answers it: the network settings derived from it.
#include "core/net/discovery_messages.h"

#include <algorithm>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kovra::UnitRecord unit;
    unit.peerAddress = kovra::makeIpv4(172, 16, 0, 5);
    std::copy_n(data, std::min(size, unit.configBlock0.size()), unit.configBlock0.begin());
    kovra::deriveWiredNetwork(unit);
    // Whatever the record says, the mask is one unbroken run of one bits.
    if (kovra::prefixFromMask(unit.subnetMask) < 0)
        std::abort();
    if (unit.dhcp && unit.gateway != 0)
        std::abort();
    return 0;
}

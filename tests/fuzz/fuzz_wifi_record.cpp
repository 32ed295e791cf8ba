// An exported or stored configuration record from a Wi-Fi module: the item extraction and
// the stored-record rewrite, on any bytes.
#include "core/wifi/record_items.h"
#include "core/wifi/stored_record.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string record(reinterpret_cast<const char*>(data), size);
    uint16_t port = 0;
    kovra::parseTunnelAcceptPort(record, port);
    kovra::ModuleInterface network;
    if (kovra::parseInterface(record, kovra::makeIpv4(10, 0, 0, 5), network) == 0) {
        // Whatever the record says, the mask is one unbroken run of one bits.
        if (kovra::prefixFromMask(network.mask) < 0 && network.mask != 0)
            std::abort();
        if (network.dhcp && (network.gateway != 0 || network.address != kovra::makeIpv4(10, 0, 0, 5)))
            std::abort();
    }
    kovra::TunnelConnect connect;
    kovra::parseTunnelConnect(record, connect);
    // The rewrite only ever cuts.
    if (kovra::rewriteStoredRecord(record).size() > record.size())
        std::abort();
    return 0;
}

#include "core/net/address_setting.h"

#include "core/net/discovery.h"
#include "core/net/discovery_messages.h"

#include <algorithm>

namespace kovra {

int hostBitsFromMask(Ipv4 mask)
{
    const int ones = prefixFromMask(mask);
    return ones <= 0 ? -1 : 32 - ones;
}

std::array<uint8_t, kConfigBlock0Size> buildAddressRecord(
    const std::array<uint8_t, kConfigBlock0Size>& configBlock0, Ipv4 address, int hostBits, Ipv4 gateway)
{
    std::array<uint8_t, kConfigBlock0Size> record = configBlock0;
    std::copy(kAddressRecordHeader.begin(), kAddressRecordHeader.end(), record.begin());
    for (int i = 0; i < 4; ++i) {
        record[kRecordAddressOffset + size_t(i)] = ipv4Byte(address, i);
        record[kRecordGatewayOffset + size_t(i)] = ipv4Byte(gateway, i);
    }
    record[kRecordHostBitsOffset] = uint8_t(hostBits);
    return record;
}

std::string addressMessage(const std::string& address, const std::string& mask, const std::string& gateway)
{
    return "IP\r\n" + address + "\r\nSUBM\r\n" + mask + "\r\nGWAY\r\n" + gateway + "\r\nEND\r\n";
}

int writeAddressRecord(Ipv4 peer, const std::array<uint8_t, kConfigBlock0Size>& record)
{
    std::array<uint8_t, kRecordWriteAnswerSize> answer {};
    return exchange(peer, record.data(), record.size(), answer.data(), answer.size());
}

int broadcastAddressSet(const std::array<uint8_t, 6>& mac, Ipv4 address)
{
    const auto datagram = buildAddressSet(mac, address);
    return exchange(kBroadcastDestination, datagram.data(), datagram.size(), nullptr, 0);
}

} // namespace kovra

#include "core/platform/icmp_echo_message.h"

#include <cstring>

namespace kovra {

namespace {

constexpr size_t kTickBytes = 4;
constexpr uint8_t kIpVersion4 = 4;
constexpr size_t kIpMinimumHeaderBytes = 20;
constexpr uint8_t kIpProtocolIcmp = 1;
constexpr size_t kIpProtocolOffset = 9;
constexpr size_t kIpSourceOffset = 12;

void putU16(uint8_t* at, uint16_t value)
{
    at[0] = uint8_t(value >> 8);
    at[1] = uint8_t(value);
}

uint16_t getU16(const uint8_t* at)
{
    return uint16_t((at[0] << 8) | at[1]);
}

} // namespace

uint16_t internetChecksum(const uint8_t* data, size_t length)
{
    uint32_t sum = 0;
    size_t i = 0;
    for (; i + 1 < length; i += 2)
        sum += getU16(data + i);
    if (i < length)
        sum += uint32_t(data[i]) << 8;
    while (sum >> 16)
        sum = (sum & 0xFFFFu) + (sum >> 16);
    return uint16_t(~sum);
}

std::vector<uint8_t> buildEchoRequest(
    uint16_t identifier, uint16_t sequence, const uint8_t* payload, size_t length)
{
    std::vector<uint8_t> message(kIcmpHeaderBytes + length, 0);
    message[0] = kIcmpEchoRequest;
    putU16(&message[4], identifier);
    putU16(&message[6], sequence);
    if (length > 0)
        std::memcpy(message.data() + kIcmpHeaderBytes, payload, length);
    putU16(&message[2], internetChecksum(message.data(), message.size()));
    return message;
}

std::vector<uint8_t> buildPingRequest(uint16_t counter, uint32_t tickMs)
{
    uint8_t payload[kPingRequestBytes - kIcmpHeaderBytes] = {};
    putU16(payload, uint16_t(tickMs >> 16));
    putU16(payload + 2, uint16_t(tickMs));
    for (size_t i = 0; i < kPingDataBytes; ++i)
        payload[kTickBytes + i] = uint8_t(kPingFirstDataByte + i);
    return buildEchoRequest(counter, counter, payload, sizeof payload);
}

bool parseEchoReply(const uint8_t* data, size_t length, bool withIpHeader, EchoReply& out)
{
    EchoReply reply;
    if (withIpHeader) {
        if (length < kIpMinimumHeaderBytes || (data[0] >> 4) != kIpVersion4
            || data[kIpProtocolOffset] != kIpProtocolIcmp)
            return false;
        const size_t headerBytes = size_t(data[0] & 0x0F) * 4;
        if (headerBytes < kIpMinimumHeaderBytes || headerBytes > length)
            return false;
        std::memcpy(&reply.source, data + kIpSourceOffset, sizeof reply.source);
        data += headerBytes;
        length -= headerBytes;
    }
    if (length < kIcmpHeaderBytes || data[0] != kIcmpEchoReply || data[1] != 0
        || internetChecksum(data, length) != 0)
        return false;
    reply.identifier = getU16(data + 4);
    reply.sequence = getU16(data + 6);
    out = reply;
    return true;
}

} // namespace kovra

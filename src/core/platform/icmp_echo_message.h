#pragma once

#include "core/platform/ipv4.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kovra {

constexpr uint8_t kIcmpEchoReply = 0;
constexpr uint8_t kIcmpEchoRequest = 8;
constexpr size_t kIcmpHeaderBytes = 8;

// The reachability check's echo request, 45 bytes:
//   0 type 8, 1 code 0, 2-3 checksum, 4-5 identifier, 6-7 sequence number (both the
//   request counter, network order), 8-11 send tick count in ms (network order),
//   12-43 the data bytes 32 to 63, 44 a zero pad byte (the request has always been
//   45 bytes long, an odd length the checksum has to handle).
constexpr size_t kPingRequestBytes = 45;
constexpr size_t kPingDataBytes = 32;
constexpr uint8_t kPingFirstDataByte = 32;

// The Internet checksum (RFC 1071): one's complement of the one's complement sum of the
// 16-bit big-endian words, an odd last byte padded with zero. Returned in host order;
// store it high byte first.
uint16_t internetChecksum(const uint8_t* data, size_t length);

// An echo request: header with identifier and sequence, then `payload`, checksummed.
std::vector<uint8_t> buildEchoRequest(
    uint16_t identifier, uint16_t sequence, const uint8_t* payload, size_t length);

// The 45-byte request described above.
std::vector<uint8_t> buildPingRequest(uint16_t counter, uint32_t tickMs);

struct EchoReply {
    Ipv4 source = 0; // only known from an IP header
    uint16_t identifier = 0;
    uint16_t sequence = 0;
};

// Reads an echo reply, as a raw socket delivers it (`withIpHeader`: IPv4 header first)
// or as the ICMP datagram socket does (the ICMP message alone). False for anything else:
// short or inconsistent lengths, other protocols or types, a checksum that does not add up.
bool parseEchoReply(const uint8_t* data, size_t length, bool withIpHeader, EchoReply& out);

} // namespace kovra

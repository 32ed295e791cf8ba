#pragma once

#include "core/platform/ipv4.h"
#include "core/units/unit_record.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kovra {

// Datagrams of the units' discovery port: search, stored configuration records, firmware
// identification and address set. Builders and parsers only; discovery.h sends them.

constexpr uint16_t kDiscoveryPort = 30718;

// Search: request A, then request B 50 ms later, to the same destination.
constexpr std::array<uint8_t, 4> kSearchRequestA { 0x00, 0x00, 0x00, 0xF6 };
constexpr std::array<uint8_t, 2> kSearchRequestB { 'L', 'N' };
constexpr size_t kSearchAnswerSize = 30; // only the first 30 bytes of an answer are read

// Firmware identification of "X6" units: 33 bytes, the text from byte 16 on.
constexpr std::array<uint8_t, 4> kFirmwareQuery { 0x00, 0x00, 0x00, 0xF4 };
constexpr size_t kFirmwareAnswerSize = 33;
constexpr size_t kFirmwareTextOffset = 16;
constexpr size_t kFirmwareTextMax = 17; // the unit table keeps at most 17 characters

// Stored configuration records: query n is 00 00 00 (E0h + n); a write of record n carries
// the header 00 01 00 (C0h + n), except record 7, which ends a write sequence with
// 00 00 00 C7h. Each write is answered with 4 bytes.
constexpr int kRecordCount = 8;
constexpr size_t kRecordWriteAnswerSize = 4;
constexpr size_t kRecordHeaderSize = 4;

// Address set: 00 00 00 FC, "IP-SETUP", 00 00, hardware-address bytes 4 and 5, address.
constexpr size_t kAddressSetSize = 20;

// The accepted type pairs, in the order they are compared.
constexpr std::array<const char*, 11> kAcceptedTypePairs { "X1", "X2", "X4", "X5", "X9", "X6", "Y1", "_L",
    "_W", "_T", "_B" };

// True when the two characters are one of the accepted type pairs.
bool isAcceptedTypePair(uint8_t first, uint8_t second);

// Record query n (0..7): 00 00 00 (E0h + n).
std::array<uint8_t, 4> recordQuery(int n);

// Size of record n's answer: 124 for record 0, 130 for records 3 to 7, 0 for the records
// the unit table does not keep.
size_t recordAnswerSize(int n);

// Fills a unit from a search answer of `length` bytes that came from sender:senderPort:
// peer, ipText, hardware address (bytes 24-29) and answerInfo (high nibbles of bytes 5
// and 6, bytes 8 and 9). An answer shorter than 30 bytes carries no complete hardware
// address: it is refused and the unit is left unchanged. Returns true when the answer was
// taken and its type pair is accepted.
bool parseSearchAnswer(
    const uint8_t* answer, size_t length, Ipv4 sender, uint16_t senderPort, UnitRecord& unit);

// The firmware text of a firmware answer: the bytes from 16 on, up to the first zero byte,
// at most 17 characters.
std::string firmwareTextFromAnswer(const uint8_t* answer, size_t length);

// Firmware texts containing "GC" mark kind 1.
bool isGcFirmware(const std::string& firmwareText);

// The network settings of a wired unit from its record 0: an address in bytes 4-7 (any of
// bytes 4, 5 and 7 not zero) is static, with the mask from the host-bit count at byte 10
// and the gateway at bytes 16-19; otherwise the unit uses DHCP, its mask follows the class
// of its current address and its gateway is 0.0.0.0.
void deriveWiredNetwork(UnitRecord& unit);

// True when two copies of record 0 hold the same address fields (address, mask host bits,
// gateway): a unit read back after a write holds what was written.
bool sameAddressFields(const uint8_t* record, const uint8_t* other);

// The mask with (32 - hostBits) leading one bits; more than 32 host bits give 0.0.0.0.
Ipv4 maskFromHostBits(int hostBits);

// The class mask of an address: first byte below 128 255.0.0.0, below 192 255.255.0.0,
// else 255.255.255.0.
Ipv4 classMask(Ipv4 address);

// The address-set datagram for the unit with this hardware address.
std::array<uint8_t, kAddressSetSize> buildAddressSet(const std::array<uint8_t, 6>& mac, Ipv4 newAddress);

// Header of a record write in a write-back sequence: 00 01 00 (C0h + n), record 7
// 00 00 00 C7h.
std::array<uint8_t, kRecordHeaderSize> setupRecordHeader(int n);

// The datagram that writes record n back in a sequence: the record's bytes with the header
// above. Empty when n is not 0..7 or the record's size is not 124 (record 0) or 130.
std::vector<uint8_t> buildSetupRecordWrite(int n, const uint8_t* record, size_t length);

} // namespace kovra

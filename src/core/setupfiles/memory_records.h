#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kovra {

// The console's data records: ":" LL AAAA "10" data CC in upper-case hexadecimal, no line
// end. LL counts the data bytes (at most 32), AAAA is the offset of the first one within
// its block, CC the two's complement of the 8-bit sum of LL, both AAAA bytes, the type and
// the data.
constexpr size_t kRecordDataMax = 0x20;
constexpr uint8_t kDataRecordType = 0x10;
constexpr const char* kEndRecord = ":00000001FF";
// ":" LL AAAA and the two type digits, as the unit sends them ahead of the data.
constexpr size_t kRecordHeadChars = 9;
// The checksum digits and the unit's line end after a record's data.
constexpr size_t kRecordTailChars = 5;

uint8_t recordChecksum(uint16_t offset, const uint8_t* data, size_t count);

// One data record for `count` (at most kRecordDataMax) bytes at `offset`.
std::string dataRecord(uint16_t offset, const uint8_t* data, size_t count);

// The records that carry a whole block: 32 bytes each, the rest in the last one.
std::string blockRecords(const std::string& block);

// LL of a record head (characters 1 and 2); -1 when they are not two hexadecimal digits or
// the count passes kRecordDataMax.
int recordDataCount(const std::string& head);

// Appends the bytes spelled by `text` (two hexadecimal digits each, either case). False
// (nothing appended) for an odd length or a character that is not a digit.
bool appendHexBytes(const std::string& text, std::string& out);

} // namespace kovra

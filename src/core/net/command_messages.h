#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kovra {

// The requests and answers of the command channel on a unit's TCP port, as bytes.
// Builders return the whole request (end mark included); an empty request means the
// arguments are out of range and nothing may be sent. Parsers take the answer's bytes and
// never read past `length`.

using CommandBytes = std::vector<uint8_t>;

constexpr uint8_t kFrameEnd = 0xC8; // ends every framed request and variable-length answer
constexpr uint8_t kEchoOffset = 0x20; // answers repeat the request's command letters + 20h
constexpr uint8_t kChannelOffset = 0x20; // channel and index bytes travel as value + 20h

// Short binary commands (units of kinds other than 4).
constexpr uint8_t kShortReadCommand = 0x90;

// Memory commands (kind-4 units).
constexpr int kRegisterLimit = 0x80; // register codes are below 80h
constexpr int kRegisterDigits = 3;
constexpr int kCountDigits = 1;
constexpr int kMemoryCountMax = 15; // one hex digit
constexpr size_t kMemoryDataOffset = 6; // "mr", address, count, then the data pairs
constexpr size_t kMemoryAnswerMax = 256;

// Lengths of the fixed answers of the further framed commands.
constexpr size_t kAlAnswerLength = 13;
constexpr size_t kAkAnswerLength = 13;
constexpr size_t kNsAnswerLength = 6;
constexpr size_t kNjAnswerLength = 6;
constexpr size_t kRsetAnswerLength = 4;
constexpr int kRsetMax = 10;

// Echo rule: the answer's first two bytes are the request's first two bytes plus 20h each.
// False when either side has fewer than two bytes.
bool echoHolds(const uint8_t* request, size_t requestLength, const uint8_t* answer, size_t answerLength);

// The last `digits` (1..8) upper-case hex digits of "%08X" of the value.
std::string hexField(uint32_t value, int digits);

// Reads `digits` hex digits (either case); false on any other character.
bool parseHexField(const uint8_t* text, size_t digits, uint32_t& value);

// {command, value} and {90h, subcode}.
CommandBytes buildShortWrite(uint8_t command, uint8_t value);
CommandBytes buildShortRead(uint8_t subcode);
// The short write's answer repeats both bytes; the short read's answer starts with 90h and
// carries the value in its second byte.
bool shortWriteAccepted(const CommandBytes& request, const uint8_t* answer, size_t length);
bool parseShortReadAnswer(const uint8_t* answer, size_t length, uint8_t& value);

// "MR", register (3 hex digits), count (1 hex digit), C8h. Empty when the register is not
// below 80h or the count is not 1..15.
CommandBytes buildMemoryRead(int registerCode, int count);
// "MW", register, count, two hex digits per data byte, C8h. Empty as above.
CommandBytes buildMemoryWrite(int registerCode, const uint8_t* data, int count);
// The data of an "mr" answer (end mark not included): `count` hex pairs from byte 6 on.
// False when the answer is too short or a pair is not hex.
bool parseMemoryReadAnswer(const uint8_t* answer, size_t length, int count, uint8_t* data);
// An "mw" answer accepts the write with "OK" at bytes 2 and 3.
bool memoryWriteAccepted(const uint8_t* answer, size_t length);

// "AL", channel + 20h, (code - 8 when `flag` is clear) + 28h, "%04X%04X" of the two values,
// C8h. Empty when a channel or code byte would not fit.
CommandBytes buildAlRequest(int channel, int code, bool flag, uint16_t first, uint16_t second);
// "AK", channel + 20h, C8h.
CommandBytes buildAkRequest(int channel);
// "NS", index + 20h, 2 hex digits of the value, C8h.
CommandBytes buildNsRequest(int index, uint8_t value);
// "NJ", index + 20h, C8h.
CommandBytes buildNjRequest(int index);
// The value of an "nj" answer: hex digits at bytes 3 and 4.
bool parseNjAnswer(const uint8_t* answer, size_t length, uint8_t& value);
// "RSET", n OR 20h, C8h; empty for n outside 0..10.
CommandBytes buildRsetRequest(int n);

} // namespace kovra

#pragma once

#include "core/net/command_messages.h"
#include "core/units/unit_record.h"

#include <array>
#include <cstdint>

namespace kovra {

// Commands on a unit's TCP port (ipText, and the port kept in configBlock0 bytes 24-25).
// Every function opens one connection per request and closes it.
//
// Result codes used below (net_results.h): 0 success; 3 / -3 empty ipText (nothing
// sent); 1 / -1 the answer does not repeat the command letters + 20h; -2 a framed
// answer longer than its buffer; -4 the answer does not accept the request or carry its
// value; -5 arguments out of range or the unit's kind has no such command (nothing
// sent); 10000 and above: socket errors (10060 no answer in time, 10061 refused, ...).

// Short binary commands (units of any kind but 4).
// shortWrite: {command, value}; the 2-byte answer must repeat both bytes.
// Results: 0, 3, -4, socket errors.
int shortWrite(const UnitRecord& unit, uint8_t command, uint8_t value);
// shortRead: {90h, subcode}; the answer's first byte must be 90h, its second is the value.
// Results: 0, 3, -4, socket errors.
int shortRead(const UnitRecord& unit, uint8_t subcode, uint8_t& value);

// Memory commands (kind-4 units): `count` (1..15) bytes from register `registerCode`
// (below 80h).
// memoryRead results: 0, -1, -2, -3, -4 (answer without `count` hex pairs), -5, socket errors.
int memoryRead(const UnitRecord& unit, int registerCode, int count, uint8_t* bytes);
// memoryWrite results: 0, -1, -2, -3, -4 (no "OK"), -5, socket errors.
int memoryWrite(const UnitRecord& unit, int registerCode, const uint8_t* bytes, int count);

// The one-byte settings that the dialogs read and write. Kind-4 units keep them in
// memory registers, the other kinds answer the short commands:
//   A  registers 57h (low) / 55h (high)       write 94h, read 90h subcode 3   DI mask
//   B  registers 58h / 56h                    write 95h, read 90h subcode 4   DI mask
//   C  register 40h                           write 91h, read 90h subcode 0   one byte
//   D  register 40h                           write 91h, read 90h subcode 0   high nibble
//   E  register 44h                           write 93h, read 90h subcode 2   one byte
//   F  write 5Dh / 5Ch, read 5Dh / 5Bh        kind 4 only                     DI mask
//   G  write 5Fh / 5Eh, read 5Fh / 5Dh        kind 4 only                     two bytes
//   H  register 70h                           kind 4 only                     one byte
// DI mask: the value sits in the high nibble for models with at most 4 DI; models with
// more than 8 DI keep bits 16-23 in the high register. Kind-4 pairs go low register
// first. The DI count is the model's (capability table) from modelIndex.
// D writes (value << 4) + 15 and reads the high nibble.
enum class Accessor { A, B, C, D, E, F, G, H };

// Results: 0; the codes of shortRead/shortWrite or memoryRead/memoryWrite; -5 a value
// that does not fit the accessor's layout, or F, G, H on a unit of another kind than 4.
int readSetting(const UnitRecord& unit, Accessor accessor, uint32_t& value);
int writeSetting(const UnitRecord& unit, Accessor accessor, uint32_t value);

// The further framed commands, sent without echo check.
// "AL": 13-byte answer returned as it came. Results: 0, 3, -5, socket errors.
int sendAlRequest(const UnitRecord& unit, int channel, int code, bool flag, uint16_t first, uint16_t second,
    std::array<uint8_t, kAlAnswerLength>& answer);
// "AK": 13-byte answer returned as it came. Results: 0, 3, -5, socket errors.
int sendAkRequest(const UnitRecord& unit, int channel, std::array<uint8_t, kAkAnswerLength>& answer);
// "NS": 6-byte answer. Results: 0, 3, -5, socket errors.
int sendNsRequest(const UnitRecord& unit, int index, uint8_t value);
// "NJ": the value from the answer's hex digits at bytes 3-4. Results: 0, 3, -4, -5,
// socket errors.
int sendNjRequest(const UnitRecord& unit, int index, uint8_t& value);
// "RSET" n (0..10): 4-byte answer. n above 10 is refused without traffic.
// Results: 0, 3, -5, socket errors.
int sendRsetRequest(const UnitRecord& unit, int n);

} // namespace kovra

#pragma once

#include "core/alerts/classic_mail_values.h"
#include "core/settings/write_plan.h"
#include "core/units/unit_record.h"

#include <string>

namespace kovra {

// The writes of the classic mail alert dialog besides its stored records.

// How the unit takes its DI masks, the first that fits: command-set types 3 and 4 (kind 4:
// the registers of accessors A and B), models 2 and 4 (no command: their stored record 3
// carries each DI's mode), model 9 and 11 (one memory write "MW0432", "MW0457" on kind 4),
// model 8 (none), every other unit (the short commands of accessors A and B).
enum class DiMaskPath { Accessors, InRecords, MemoryWrite, None, ShortCommands };
DiMaskPath diMaskPath(const UnitRecord& unit);

// The register the memory-write path starts at: edge mask there, enable mask after it.
int diMaskRegister(const UnitRecord& unit);

// Steps 1 and 2 of OK and of the test: the DI masks by the unit's path (enable mask, a 20 ms
// pause, edge mask, a further 20 ms on kind 1), then one "AL" per analog row up to
// analogCount on one connection (13-byte answers).
WritePlan classicInputWrites(const UnitRecord& unit, const ClassicMailValues& values, int analogCount);

// The test message of the classic dialog (LF lines, the account in clear):
// "NORESET", MHOST .. MSUBJ, "MAILTEST", "END".
std::string classicTestMessage(const MailAccountValues& account);

// The mode byte's code of an analog row: the mail condition in bits 0-1, bit 2 for an LED
// lit outside the band.
int analogAlertCode(const ClassicAnalogRow& row);

// An "AK" answer (13 bytes: "ak", channel + 20h, mode byte, Low and High as four hex digits
// each, C8h) as the row it describes. False for an answer about another channel, a mode byte
// outside 20h..2Fh, a mail condition above 2, or a count that is not hex.
bool parseAnalogAlertAnswer(const uint8_t* answer, size_t length, int channel, ClassicAnalogRow& row);

} // namespace kovra

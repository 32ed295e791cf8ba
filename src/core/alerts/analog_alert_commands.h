#pragma once

#include "core/alerts/do_alert_preview.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kovra {

// The direct commands by which the analog units keep their alert conditions. Requests end
// with the end mark C8h and answers echo the two command letters plus 20h. Parsers take the
// whole answer and check every byte they use: what a unit sends is not trusted.

// The band of one AI: "AK" reads it, "AL" writes it. The mode byte is 20h, plus 8 when the
// flag is set, plus the condition (0 none, 1 inside the band, 2 outside); Low and High are
// signed counts as "%04X" each.
constexpr size_t kAnalogAlertAnswerLength = 13;
constexpr int kAnalogAlertChannels = 16; // channel bytes 20h..2Fh
constexpr int kAlertConditionNone = 0;
constexpr int kAlertConditionInside = 1;
constexpr int kAlertConditionOutside = 2;

struct AnalogAlert {
    int condition = kAlertConditionNone;
    bool flag = false;
    int low = 0; // signed counts
    int high = 0;
};

// "AK", channel + 20h, C8h; empty for a channel outside 0..15.
std::string analogAlertReadRequest(int channel);
// "ak", channel + 20h, mode byte, eight hex digits, C8h. False when the answer is not that
// frame for `channel`, the mode byte is outside 20h..2Fh, the condition is 3 or a digit is
// not hex.
bool parseAnalogAlertAnswer(const std::string& answer, int channel, AnalogAlert& alert);
// "AL", channel + 20h, mode byte, "%04X%04X" of Low and High, C8h; empty for a channel or a
// condition out of range.
std::string analogAlertWriteRequest(int channel, const AnalogAlert& alert);

// The DI alert masks: bit i of `enabled` when DI i mails at all, of `on` when it mails on ON.
// "DN" reads them, "DM" writes them; both carry four bytes 20h + a nibble: the ON mask's low
// nibble, the enable mask's low nibble, then the two high nibbles.
constexpr size_t kDiAlertAnswerLength = 7;
struct DiAlertMasks {
    uint8_t enabled = 0;
    uint8_t on = 0;
};
// "DN", C8h.
std::string diAlertReadRequest();
// "dn", four nibble bytes, C8h. False when the answer is not that frame or a nibble byte is
// not 20h..2Fh.
bool parseDiAlertAnswer(const std::string& answer, DiAlertMasks& masks);
// "DM", four nibble bytes, C8h.
std::string diAlertWriteRequest(const DiAlertMasks& masks);

// The DO alert records of DO1 and DO2, kept by the unit in registers 78h..7Fh, four bytes a
// DO: bit 0 enabled and bit 1 the direction, the monitored input (0..2), the width high and
// low byte (unsigned count). Read and written with the memory commands.
constexpr int kDoAlertRecordCount = 2;
constexpr int kDoAlertRegister = 0x78;
constexpr int kDoAlertRecordBytes = 4;
constexpr int kDoAlertRegisterBytes = kDoAlertRecordCount * kDoAlertRecordBytes;

struct DoAlertRecord {
    bool enabled = false;
    int monitoredInput = 0; // 0..2 for AI1..AI3
    uint16_t width = 0;
    int direction = kDirectionOffPriority;
};
using DoAlertRecords = std::array<DoAlertRecord, kDoAlertRecordCount>;

std::vector<uint8_t> doAlertRegisterBytes(const DoAlertRecords& records);
// False when fewer bytes came than the records take, unknown flag bits are set or an input is
// past AI3.
bool parseDoAlertRegisterBytes(const std::vector<uint8_t>& bytes, DoAlertRecords& records);

} // namespace kovra

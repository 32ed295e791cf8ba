#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kovra {

struct UnitSlot;

// Results of the parameter read besides 0 and the socket errors.
// A line of the unit's answer filled its 256-byte slot without a line feed.
constexpr int kSettingsLineTooLong = -2;
// The dump text would reach its 65536-byte limit.
constexpr int kSettingsDumpOverflow = -3;

// A dump for a setup file ran to 128 pairs without "END": the file would miss settings.
constexpr int kSettingsNoEnd = -4;

// Bytes of each answer line, its line feed included.
constexpr size_t kAnswerLineBytes = 256;
// The version answer is read into this many bytes at most.
constexpr size_t kVersionAnswerBytes = 256;
// At most this many key/value pairs are read from one answer.
constexpr int kMaxSettingsPairs = 128;
// The version answer was cut short or is not version lines: nothing of the unit is known.
constexpr int kSettingsVersionUnreadable = -5;

// The dump text, its terminating zero included, stays below this size.
constexpr size_t kDumpTextLimit = 65536;

// Where the answer's bytes come from: a socket, or memory in tests.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // One byte. Results: 0; 10101 when the answer has ended (the unit closed the connection);
    // 10060 when nothing came in time; other socket errors.
    virtual int next(uint8_t& byte) = 0;
};

// Reads one line up to its "\n". A line ending in "\r\n" loses both; a line ending in a bare
// "\n" keeps it, so it never equals a key (only "\r\n" lines are understood). A zero byte ends
// the line's text as the unit's string would end there.
// Results: 0; kSettingsLineTooLong when 256 bytes came without "\n"; the source's error.
int readAnswerLine(ByteSource& source, std::string& line);

// Reads the answer to "VER" up to its second "\n", at most 256 bytes. An answer the unit ends
// by closing the connection is what arrived. Results: 0; the source's other errors.
int readVersionAnswer(ByteSource& source, std::string& answer);

struct UnitVersions {
    int sketch = 0; // hundredths
    int text = 0;
};

enum class VersionAnswer {
    Versions, // both lines: the unit has a parameter dump
    SingleLine, // old firmware: one complete "SKETCH VER" line, then the unit closed; no dump
    Unreadable, // cut short, not "\r\n" lines, or lines that are not version lines
};

// The two version lines "SKETCH VER : n\r\n" and "TEXT VER : n\r\n" (or their forms without
// " : "). A zero byte ends the answer. A sketch version of 1 (" : " form) means 1.00 and is
// given as 100. Versions other than from `Versions` are 0.
VersionAnswer parseVersionAnswer(const std::string& answer, UnitVersions& versions);

// Decimal conversion as the units' values need: optional leading blanks, optional sign, leading
// digits; no digits give 0; values beyond 32 bits stop at the nearest limit.
int32_t settingsNumber(const std::string& value);

// Stores one key/value pair into the slot's UnitSettings and the UnitRecord fields it carries
// (MODEL, ID, SUBM, GWAY; IP only for kinds 5, 6, 7). Unknown keys change nothing. Texts longer
// than their field keep the part that fits, never cutting a double-byte character; a dotted
// address that does not parse leaves its field as it was.
void applySettingsPair(const std::string& key, const std::string& value, UnitSlot& slot);

// Reads the parameter dump's pairs until the key line "END" (whose value line is read too) or
// 128 pairs, storing each pair as it completes. With dump: the pairs before "END" in arrival
// order as "key\r\nvalue\r\n", without the Wi-Fi keys AP, AP_CH, SSID and PASS.
// Results: 0 (also after 128 pairs without "END" when no dump is wanted); kSettingsNoEnd (the
// same with a dump); kSettingsLineTooLong; kSettingsDumpOverflow; 10101 when the answer ended before
// "END"'s value line; the source's other errors. Pairs stored before a failure stay stored.
int readSettingsPairs(ByteSource& source, UnitSlot& slot, std::string* dump);

} // namespace kovra

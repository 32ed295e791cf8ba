#pragma once

#include "core/settings/settings_message.h"
#include "core/units/unit_settings.h"
#include "core/units/unit_record.h"

#include <array>
#include <string>
#include <vector>

namespace kovra {

// The settings writers: one settings message per confirmed dialog, built byte for byte as
// the units expect it (keys, order and line ends per writer). Sending is the setting flow's
// (runWritePlan); these only build. Texts are cp932 bytes and go out as they stand.

// Kind 3, single account, CRLF form: the mail fields of `settings`, then "NORESET" and, for a
// test, "MTEST" before "END". (The LF form and its test form are singleMailMessage.)
std::string singleMailCrlfMessage(const UnitSettings& settings, bool test);

// Per-entry mail of kinds 5 and 7: entries 1..diCount (at most 8), scrambled or clear, then
// "END\r\n". `pads` holds one set per entry when scrambled (drawEntryPads); entries beyond
// it, and every entry of the overload without pads, get freshly drawn ones.
// Kind 7, and kind 5 from sketch version 103, take the scrambled form.
bool entryMailScrambled(int kind, int sketchVersion);
std::string entryMailMessage(const std::array<MailEntry, kChannelCount>& entries, int diCount, bool scrambled,
    const std::vector<EntryPads>& pads);
std::string entryMailMessage(
    const std::array<MailEntry, kChannelCount>& entries, int diCount, bool scrambled);

// Kinds 3 and 6, connection 1: "PORT", "HIP", "HPORT", with "E_RST" when offered, "END".
// Kind 3 units above sketch version 126 report E_RST and take it back.
bool connectionHasERst(int kind, int sketchVersion);
std::string connectionMessage(const UnitSettings& settings, bool withERst);
// WriteConnection takes the new port into the unit's record before sending, so that later
// commands reach the unit on it. A value that is no port (outside 1..65535) leaves it.
void takeConnectionPort(UnitRecord& unit, const UnitSettings& settings);

// Kinds 5 and 7, four connections: "PORT%d"/"HIP%d"/"HPORT%d" for 1..4, then "SOCK",
// "NOTICE", "DISCON", "RQ_RST", "DETECT"; "DI%d_EX" for 1..diCount when extensionMode is 1
// or 2; "DO%d_EX" for 1..doCount when it is 1; "END".
std::string connectionsMessage(const UnitSettings& settings, int extensionMode, int diCount, int doCount);

// Kind 3 keep-alive. With the Wi-Fi part (sketch version above 118 or equal to 99): the
// three keep-alive values, "AP", "SSID", "PASS", "AP_CH", then "IP", "SUBM", "GWAY" with the
// given dotted texts; otherwise the three keep-alive values only.
bool keepAliveHasWifi(int sketchVersion);
std::string keepAliveMessage(const UnitSettings& settings, int sketchVersion, const std::string& ipText,
    const std::string& maskText, const std::string& gatewayText);

// The DO-mode dialog's values: keep-alive seconds, start-ON mask (bit n = DO n+1), one-shot
// time per DO (x100 ms, 0 = not one-shot).
struct DoModeValues {
    int keepAliveSeconds = 0;
    uint32_t startOnMask = 0;
    std::array<int, kChannelCount> oneShot {};
};
// What the dialog opens with: the mask has the bit of every DO whose mode is 1, a DO of mode 2
// its one-shot time, keep-alive = keepInterval x 5.
DoModeValues doModeValues(const UnitSettings& settings);
// Kinds 5 and 7: per DO 1..doCount "DO%d_MD" (2 with a one-shot time, else 1 with its mask
// bit, else 0) and "DO%d_OT" (the time, or 0); then "KEEP_A" = seconds / 5; "END".
std::string doModesMessage(const DoModeValues& values, int doCount);
// The values the message writes, as the unit will report them (doMode, doOneShot, keepInterval).
void storeDoModes(UnitSettings& settings, const DoModeValues& values, int doCount);

// Kind 6: "SOCK", "K_IDL", "K_INT", "K_CNT", "END".
std::string sockKeepAliveMessage(int sockMode, int keepIdle, int keepInterval, int keepCount);

// The mode value (ADC sampling rate index) of kind 6 units and the analog models, over the
// direct command exchange: read "MR0491" + C8h, 9-byte answer whose characters 6-7 are two
// hex digits; write "AP", value + 20h, C8h, 4-byte answer.
constexpr size_t kModeReadAnswerLength = 9;
constexpr size_t kModeWriteAnswerLength = 4;
std::string modeReadRequest();
// False when the answer is not 9 bytes or its characters 6-7 are not hex digits.
bool parseModeReadAnswer(const std::string& answer, int& value);
// Empty (refused by DirectCommand, nothing sent) for a value below 0, above DFh, or of A8h,
// whose byte would be the end mark.
std::string modeWriteRequest(int value);

} // namespace kovra

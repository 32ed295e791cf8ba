#pragma once

#include <array>
#include <string>

namespace kovra {

struct UnitSettings;

// How each line of a settings message ends. Messages are not uniform: each one uses exactly the
// terminators its format gives, and one message mixes both.
enum class LineEnd { Lf, Crlf };

// The read requests of port 9998 (LF lines).
constexpr char kVersionRequest[] = "VER\n";
constexpr char kDumpRequest[] = "DUMP\nEND\n";
constexpr char kGetParamRequest[] = "GETPARAM\nEND\n";

// A settings message for port 9998: optional flag lines, key line / value line pairs (values
// printed with %d or inserted as they stand, never quoted), optional trailing flags, "END".
// The builder only appends; the text is sent as built.
class SettingsMessage {
public:
    // A flag line without value: "NORESET", "MTEST", "MAILTEST", "MAILTEST%d".
    SettingsMessage& flag(const std::string& line, LineEnd end);
    SettingsMessage& pair(const std::string& key, int value, LineEnd end);
    SettingsMessage& pair(const std::string& key, const std::string& value, LineEnd end);
    // A key whose number n (entry or channel, from 1) sits at the %d: "M%dHOST", "DO%d_MD".
    SettingsMessage& pair(const char* keyFormat, int n, int value, LineEnd end);
    SettingsMessage& pair(const char* keyFormat, int n, const std::string& value, LineEnd end);
    // The end line "END"; nothing may follow it.
    SettingsMessage& end(LineEnd end);

    const std::string& text() const { return m_text; }

private:
    void line(const std::string& text, LineEnd end);

    std::string m_text;
};

// One per-entry mail entry as a dialog hands it over (cp932 texts, each at most 64 bytes).
struct MailEntry {
    int mode = 0;
    std::string host;
    int port = 0;
    std::string user;
    std::string pass;
    std::string from;
    std::string to1;
    std::string to2;
    std::string subject;
};

// The four random pads of one scrambled entry: user front, user back, password front, back.
using EntryPads = std::array<std::string, 4>;

// Draws the four pads of an entry, in the order they are used.
EntryPads drawEntryPads();

// The CRLF block of mail entry n (1..8): "M%dMODE", "M%dHOST", "M%dPORT", then the user and
// password either scrambled ("E%dUSER"/"E%dPASS", pad + scrambled text + pad) or in clear
// ("M%dUSER"/"M%dPASS"), then "M%dFROM", "M%dTO1", "M%dTO2", "M%dSUBJ".
void appendEntryBlock(
    SettingsMessage& message, int n, const MailEntry& entry, bool scrambled, const EntryPads& pads);

// The test of mail entry n, scrambled form, sent as written with mixed terminators:
// "NORESET\n", the entry's CRLF block, "MAILTEST%d\n", "END\n". The unit does not restart.
std::string entryMailTestMessage(int n, const MailEntry& entry, const EntryPads& pads);

// The single-account mail message of kind 3 units, LF lines, from the settings' mail fields;
// the test form starts with "NORESET" and asks for one test mail ("MAILTEST") before "END".
std::string singleMailMessage(const UnitSettings& settings, bool test);

} // namespace kovra

#include "core/settings/settings_message.h"

#include "core/settings/credential_scramble.h"
#include "core/units/unit_settings.h"

#include <cstdio>

namespace kovra {

namespace {

constexpr char kEndLine[] = "END";
constexpr char kNoReset[] = "NORESET";
constexpr char kMailTest[] = "MAILTEST";
constexpr char kEntryMailTest[] = "MAILTEST%d";
constexpr size_t kKeyMax = 32; // longest key with its entry number

std::string numberedKey(const char* format, int n)
{
    char key[kKeyMax];
    std::snprintf(key, sizeof key, format, n);
    return key;
}

} // namespace

void SettingsMessage::line(const std::string& text, LineEnd end)
{
    m_text += text;
    m_text += end == LineEnd::Crlf ? "\r\n" : "\n";
}

SettingsMessage& SettingsMessage::flag(const std::string& text, LineEnd end)
{
    line(text, end);
    return *this;
}

SettingsMessage& SettingsMessage::pair(const std::string& key, int value, LineEnd end)
{
    return pair(key, std::to_string(value), end);
}

SettingsMessage& SettingsMessage::pair(const std::string& key, const std::string& value, LineEnd end)
{
    line(key, end);
    line(value, end);
    return *this;
}

SettingsMessage& SettingsMessage::pair(const char* keyFormat, int n, int value, LineEnd end)
{
    return pair(numberedKey(keyFormat, n), value, end);
}

SettingsMessage& SettingsMessage::pair(const char* keyFormat, int n, const std::string& value, LineEnd end)
{
    return pair(numberedKey(keyFormat, n), value, end);
}

SettingsMessage& SettingsMessage::end(LineEnd end)
{
    line(kEndLine, end);
    return *this;
}

EntryPads drawEntryPads()
{
    return { RandomPad(), RandomPad(), RandomPad(), RandomPad() };
}

void appendEntryBlock(
    SettingsMessage& message, int n, const MailEntry& entry, bool scrambled, const EntryPads& pads)
{
    constexpr LineEnd crlf = LineEnd::Crlf;
    message.pair("M%dMODE", n, entry.mode, crlf)
        .pair("M%dHOST", n, entry.host, crlf)
        .pair("M%dPORT", n, entry.port, crlf);
    if (scrambled) {
        message.pair("E%dUSER", n, scrambledValue(entry.user, kUserShift, pads[0], pads[1]), crlf)
            .pair("E%dPASS", n, scrambledValue(entry.pass, kPassShift, pads[2], pads[3]), crlf);
    } else {
        message.pair("M%dUSER", n, entry.user, crlf).pair("M%dPASS", n, entry.pass, crlf);
    }
    message.pair("M%dFROM", n, entry.from, crlf)
        .pair("M%dTO1", n, entry.to1, crlf)
        .pair("M%dTO2", n, entry.to2, crlf)
        .pair("M%dSUBJ", n, entry.subject, crlf);
}

std::string entryMailTestMessage(int n, const MailEntry& entry, const EntryPads& pads)
{
    SettingsMessage message;
    message.flag(kNoReset, LineEnd::Lf);
    appendEntryBlock(message, n, entry, true, pads);
    message.flag(numberedKey(kEntryMailTest, n), LineEnd::Lf).end(LineEnd::Lf);
    return message.text();
}

std::string singleMailMessage(const UnitSettings& settings, bool test)
{
    constexpr LineEnd lf = LineEnd::Lf;
    SettingsMessage message;
    if (test)
        message.flag(kNoReset, lf);
    message.pair("MHOST", settings.mailHost, lf)
        .pair("MPORT", settings.mailPort, lf)
        .pair("MUSER", settings.mailUser, lf)
        .pair("MPASS", settings.mailPass, lf)
        .pair("MFROM", settings.mailFrom, lf)
        .pair("MTO1", settings.mailTo1, lf)
        .pair("MTO2", settings.mailTo2, lf)
        .pair("MSUBJ", settings.mailSubject, lf);
    if (test)
        message.flag(kMailTest, lf);
    return message.end(lf).text();
}

} // namespace kovra

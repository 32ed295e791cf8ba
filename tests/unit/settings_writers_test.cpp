#include "core/settings/credential_scramble.h"
#include "core/settings/settings_answer.h"
#include "core/settings/settings_writers.h"
#include "core/units/unit_table.h"

#include <functional>
#include <gtest/gtest.h>

using namespace kovra;

namespace {

// --- Exact messages ---

UnitSettings connectionSettings()
{
    UnitSettings s;
    s.ports = { 10001, 10002, 10003, 10004 };
    s.remoteHosts = { "192.168.0.11", "192.168.0.12", "", "peer.local" };
    s.remotePorts = { 20001, 20002, 0, -1 };
    s.eRstOption = 1;
    s.sockMode = 3;
    s.notice = 4;
    s.discon = 5;
    s.rqReset = 6;
    s.detect = 7;
    s.diExtension = { 11, 12, 13, 14, 15, 16, 17, 18 };
    s.doExtension = { 21, 22, 23, 24, 25, 26, 27, 28 };
    return s;
}

UnitSettings mailSettings()
{
    UnitSettings s;
    s.mailHost = "smtp.example.jp";
    s.mailPort = 587;
    s.mailUser = "alice";
    s.mailPass = "pw 9";
    s.mailFrom = "kovra@example.jp";
    s.mailTo1 = "ops@example.jp";
    s.mailTo2 = "";
    s.mailSubject = "\x83\x41\x83\x89\x81\x5B\x83\x67"; // cp932 text goes out as it stands
    return s;
}

UnitSettings keepAliveSettings()
{
    UnitSettings s;
    s.keepIdle = 60;
    s.keepInterval = 10;
    s.keepCount = 3;
    s.apMode = 1;
    s.wifiSsid = "plant floor";
    s.wifiPass = "wpa-key";
    s.apChannel = 11;
    return s;
}

std::array<MailEntry, kChannelCount> mailEntries()
{
    std::array<MailEntry, kChannelCount> entries;
    for (int i = 0; i < kChannelCount; ++i) {
        const std::string n = std::to_string(i + 1);
        entries[size_t(i)] = MailEntry { i % 3, "mx" + n + ".example.jp", 25 + i, "user" + n, "pass#" + n,
            "di" + n + "@example.jp", "ops" + n + "@example.jp", "", "DI" + n };
    }
    return entries;
}

struct MessageCase {
    const char* name;
    std::function<std::string()> build;
    std::string expected;
};

class SettingsWritersMessage : public testing::TestWithParam<MessageCase> { };

TEST_P(SettingsWritersMessage, ExactBytes)
{
    EXPECT_EQ(GetParam().build(), GetParam().expected);
}

const std::string kSingleMailBody
    = "MHOST\r\nsmtp.example.jp\r\nMPORT\r\n587\r\nMUSER\r\nalice\r\nMPASS\r\npw 9\r\n"
      "MFROM\r\nkovra@example.jp\r\nMTO1\r\nops@example.jp\r\nMTO2\r\n\r\n"
      "MSUBJ\r\n\x83\x41\x83\x89\x81\x5B\x83\x67\r\n";

const std::string kKeepAliveShort = "K_IDL\r\n60\r\nK_INT\r\n10\r\nK_CNT\r\n3\r\n";
const std::string kKeepAliveWifi = "AP\r\n1\r\nSSID\r\nplant floor\r\nPASS\r\nwpa-key\r\nAP_CH\r\n11\r\n"
                                   "IP\r\n10.0.0.5\r\nSUBM\r\n255.255.255.0\r\nGWAY\r\n10.0.0.1\r\n";

std::string keepAliveFor(int sketchVersion)
{
    return keepAliveMessage(keepAliveSettings(), sketchVersion, "10.0.0.5", "255.255.255.0", "10.0.0.1");
}

INSTANTIATE_TEST_SUITE_P(SettingsWriters, SettingsWritersMessage,
    testing::Values(
        MessageCase { "SingleMailCrlf", [] { return singleMailCrlfMessage(mailSettings(), false); },
            kSingleMailBody + "NORESET\r\nEND\r\n" },
        MessageCase { "SingleMailCrlfTest", [] { return singleMailCrlfMessage(mailSettings(), true); },
            kSingleMailBody + "NORESET\r\nMTEST\r\nEND\r\n" },
        MessageCase { "EntryMailClearThreeDi", [] { return entryMailMessage(mailEntries(), 3, false); },
            "M1MODE\r\n0\r\nM1HOST\r\nmx1.example.jp\r\nM1PORT\r\n25\r\nM1USER\r\nuser1\r\nM1PASS\r\npass#"
            "1\r\n"
            "M1FROM\r\ndi1@example.jp\r\nM1TO1\r\nops1@example.jp\r\nM1TO2\r\n\r\nM1SUBJ\r\nDI1\r\n"
            "M2MODE\r\n1\r\nM2HOST\r\nmx2.example.jp\r\nM2PORT\r\n26\r\nM2USER\r\nuser2\r\nM2PASS\r\npass#"
            "2\r\n"
            "M2FROM\r\ndi2@example.jp\r\nM2TO1\r\nops2@example.jp\r\nM2TO2\r\n\r\nM2SUBJ\r\nDI2\r\n"
            "M3MODE\r\n2\r\nM3HOST\r\nmx3.example.jp\r\nM3PORT\r\n27\r\nM3USER\r\nuser3\r\nM3PASS\r\npass#"
            "3\r\n"
            "M3FROM\r\ndi3@example.jp\r\nM3TO1\r\nops3@example.jp\r\nM3TO2\r\n\r\nM3SUBJ\r\nDI3\r\n"
            "END\r\n" },
        MessageCase { "EntryMailScrambledGivenPads",
            [] {
                return entryMailMessage(
                    mailEntries(), 1, true, { EntryPads { "!!!!!", "~~~~~", "abcde", "12345" } });
            },
            "M1MODE\r\n0\r\nM1HOST\r\nmx1.example.jp\r\nM1PORT\r\n25\r\nE1USER\r\n!!!!!"
                + ScrambleCredential("user1", kUserShift) + "~~~~~\r\nE1PASS\r\nabcde"
                + ScrambleCredential("pass#1", kPassShift)
                + "12345\r\nM1FROM\r\ndi1@example.jp\r\nM1TO1\r\nops1@example."
                  "jp\r\nM1TO2\r\n\r\nM1SUBJ\r\nDI1\r\n"
                  "END\r\n" },
        MessageCase { "EntryMailNoDi", [] { return entryMailMessage(mailEntries(), 0, true); }, "END\r\n" },
        MessageCase { "ConnectionWithERst", [] { return connectionMessage(connectionSettings(), true); },
            "PORT\r\n10001\r\nHIP\r\n192.168.0.11\r\nHPORT\r\n20001\r\nE_RST\r\n1\r\nEND\r\n" },
        MessageCase { "ConnectionWithoutERst", [] { return connectionMessage(connectionSettings(), false); },
            "PORT\r\n10001\r\nHIP\r\n192.168.0.11\r\nHPORT\r\n20001\r\nEND\r\n" },
        MessageCase { "ConnectionsBothExtensions",
            [] { return connectionsMessage(connectionSettings(), 1, 2, 3); },
            "PORT1\r\n10001\r\nHIP1\r\n192.168.0.11\r\nHPORT1\r\n20001\r\n"
            "PORT2\r\n10002\r\nHIP2\r\n192.168.0.12\r\nHPORT2\r\n20002\r\n"
            "PORT3\r\n10003\r\nHIP3\r\n\r\nHPORT3\r\n0\r\n"
            "PORT4\r\n10004\r\nHIP4\r\npeer.local\r\nHPORT4\r\n-1\r\n"
            "SOCK\r\n3\r\nNOTICE\r\n4\r\nDISCON\r\n5\r\nRQ_RST\r\n6\r\nDETECT\r\n7\r\n"
            "DI1_EX\r\n11\r\nDI2_EX\r\n12\r\n"
            "DO1_EX\r\n21\r\nDO2_EX\r\n22\r\nDO3_EX\r\n23\r\n"
            "END\r\n" },
        MessageCase { "KeepAliveLongAt120", [] { return keepAliveFor(120); },
            kKeepAliveShort + kKeepAliveWifi + "END\r\n" },
        MessageCase { "KeepAliveShortAt115", [] { return keepAliveFor(115); }, kKeepAliveShort + "END\r\n" },
        MessageCase { "KeepAliveLongAt99", [] { return keepAliveFor(99); },
            kKeepAliveShort + kKeepAliveWifi + "END\r\n" },
        MessageCase { "DoModes",
            [] {
                DoModeValues values;
                values.keepAliveSeconds = 62;
                values.startOnMask = 0b1010; // DO 2 and DO 4
                values.oneShot = { 0, 0, 15, 7 }; // DO 4 is one-shot despite its bit
                return doModesMessage(values, 4);
            },
            "DO1_MD\r\n0\r\nDO1_OT\r\n0\r\nDO2_MD\r\n1\r\nDO2_OT\r\n0\r\n"
            "DO3_MD\r\n2\r\nDO3_OT\r\n15\r\nDO4_MD\r\n2\r\nDO4_OT\r\n7\r\n"
            "KEEP_A\r\n12\r\nEND\r\n" },
        MessageCase { "SockKeepAlive", [] { return sockKeepAliveMessage(3, 7200, 75, 9); },
            "SOCK\r\n3\r\nK_IDL\r\n7200\r\nK_INT\r\n75\r\nK_CNT\r\n9\r\nEND\r\n" }),
    [](const testing::TestParamInfo<MessageCase>& info) { return std::string(info.param.name); });

// --- Which keys a message carries ---

// How often `key` starts a line of the message.
int keyLines(const std::string& message, const std::string& key)
{
    int count = 0;
    for (size_t at = 0; (at = message.find(key + "\r\n", at)) != std::string::npos; at += key.size())
        count += at == 0 || message[at - 1] == '\n';
    return count;
}

struct ExtensionCase {
    const char* name;
    int mode;
    int diLines;
    int doLines;
};

class SettingsWritersExtension : public testing::TestWithParam<ExtensionCase> { };

TEST_P(SettingsWritersExtension, ModeDecidesTheChannelKeys)
{
    const auto& c = GetParam();
    const std::string message = connectionsMessage(connectionSettings(), c.mode, 4, 2);
    int di = 0;
    int dox = 0;
    for (int n = 1; n <= kChannelCount; ++n) {
        di += keyLines(message, "DI" + std::to_string(n) + "_EX");
        dox += keyLines(message, "DO" + std::to_string(n) + "_EX");
    }
    EXPECT_EQ(di, c.diLines);
    EXPECT_EQ(dox, c.doLines);
    EXPECT_EQ(message.substr(message.size() - 5), "END\r\n");
}

INSTANTIATE_TEST_SUITE_P(SettingsWriters, SettingsWritersExtension,
    testing::Values(ExtensionCase { "None", 0, 0, 0 }, ExtensionCase { "Both", 1, 4, 2 },
        ExtensionCase { "DiOnly", 2, 4, 0 }, ExtensionCase { "Unknown", 3, 0, 0 },
        ExtensionCase { "Negative", -1, 0, 0 }),
    [](const testing::TestParamInfo<ExtensionCase>& info) { return std::string(info.param.name); });

TEST(SettingsWritersCounts, CountsBeyondEightStopAtEight)
{
    const std::string mail = entryMailMessage(mailEntries(), 12, false);
    EXPECT_EQ(keyLines(mail, "M8MODE"), 1);
    EXPECT_EQ(mail.find("M9MODE"), std::string::npos);
    DoModeValues values;
    const std::string modes = doModesMessage(values, 9);
    EXPECT_EQ(keyLines(modes, "DO8_MD"), 1);
    EXPECT_EQ(modes.find("DO9_MD"), std::string::npos);
    EXPECT_EQ(doModesMessage(values, -1), "KEEP_A\r\n0\r\nEND\r\n");
}

// --- Rules by kind and sketch version ---

struct VersionRuleCase {
    const char* name;
    int kind;
    int sketchVersion;
    bool scrambled;
    bool eRst;
    bool keepAliveWifi;
};

class SettingsWritersVersions : public testing::TestWithParam<VersionRuleCase> { };

TEST_P(SettingsWritersVersions, FormChosen)
{
    const auto& c = GetParam();
    EXPECT_EQ(entryMailScrambled(c.kind, c.sketchVersion), c.scrambled);
    EXPECT_EQ(connectionHasERst(c.kind, c.sketchVersion), c.eRst);
    EXPECT_EQ(keepAliveHasWifi(c.sketchVersion), c.keepAliveWifi);
}

INSTANTIATE_TEST_SUITE_P(SettingsWriters, SettingsWritersVersions,
    testing::Values(VersionRuleCase { "Kind5At102", 5, 102, false, false, false },
        VersionRuleCase { "Kind5At103", 5, 103, true, false, false },
        VersionRuleCase { "Kind7At0", 7, 0, true, false, false },
        VersionRuleCase { "Kind3At99", 3, 99, false, false, true },
        VersionRuleCase { "Kind3At100", 3, 100, false, false, false },
        VersionRuleCase { "Kind3At118", 3, 118, false, false, false },
        VersionRuleCase { "Kind3At119", 3, 119, false, false, true },
        VersionRuleCase { "Kind3At126", 3, 126, false, false, true },
        VersionRuleCase { "Kind3At127", 3, 127, false, true, true },
        VersionRuleCase { "Kind6At200", 6, 200, false, false, true }),
    [](const testing::TestParamInfo<VersionRuleCase>& info) { return std::string(info.param.name); });

// --- DO modes and keep-alive ---

struct KeepACase {
    const char* name;
    int seconds;
    int keepA;
};

class SettingsWritersKeepA : public testing::TestWithParam<KeepACase> { };

TEST_P(SettingsWritersKeepA, SecondsInFiveSecondSteps)
{
    DoModeValues values;
    values.keepAliveSeconds = GetParam().seconds;
    EXPECT_EQ(doModesMessage(values, 0), "KEEP_A\r\n" + std::to_string(GetParam().keepA) + "\r\nEND\r\n");
    UnitSettings settings;
    storeDoModes(settings, values, 0);
    EXPECT_EQ(settings.keepInterval, GetParam().keepA);
}

INSTANTIATE_TEST_SUITE_P(SettingsWriters, SettingsWritersKeepA,
    testing::Values(KeepACase { "Top", 1275, 255 }, KeepACase { "Seven", 7, 1 }, KeepACase { "Four", 4, 0 },
        KeepACase { "Zero", 0, 0 }),
    [](const testing::TestParamInfo<KeepACase>& info) { return std::string(info.param.name); });

TEST(SettingsWritersDoModes, DialogOpensWithTheUnitsModes)
{
    UnitSettings settings;
    settings.keepInterval = 12;
    settings.doMode = { 0, 1, 2, 1, 2, 0, 0, 1 };
    settings.doOneShot = { 9, 9, 30, 9, 0, 9, 9, 9 }; // only a mode-2 DO shows its time
    const DoModeValues values = doModeValues(settings);
    EXPECT_EQ(values.keepAliveSeconds, 60);
    EXPECT_EQ(values.startOnMask, 0b10001010u);
    EXPECT_EQ(values.oneShot, (std::array<int, kChannelCount> { 0, 0, 30, 0, 0, 0, 0, 0 }));

    // Written back, a one-shot DO without time becomes a normal one.
    UnitSettings stored = settings;
    storeDoModes(stored, values, 6);
    EXPECT_EQ(stored.doMode, (std::array<int32_t, kChannelCount> { 0, 1, 2, 1, 0, 0, 0, 1 }));
    EXPECT_EQ(stored.doOneShot, (std::array<int32_t, kChannelCount> { 0, 0, 30, 0, 0, 0, 9, 9 }));
    EXPECT_EQ(stored.keepInterval, 12);
}

// --- What the writers send, read back as a unit reports it ---

// Applies the message's CRLF key/value lines up to "END" to a slot, as the reader stores them.
UnitSlot readBack(const std::string& message, int kind)
{
    UnitSlot slot;
    slot.record.kind = kind;
    std::vector<std::string> lines;
    for (size_t at = 0, end; (end = message.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(message.substr(at, end - at));
    for (size_t i = 0; i + 1 < lines.size() && lines[i] != "END"; i += 2)
        applySettingsPair(lines[i], lines[i + 1], slot);
    return slot;
}

TEST(SettingsWritersReadBack, ScrambledEntriesReadBackInClearWithFreshPads)
{
    const auto entries = mailEntries();
    const std::string message = entryMailMessage(entries, 3, true);
    const UnitSettings read = readBack(message, kKindThirdName).settings;
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(read.mailUsers[i], entries[i].user);
        EXPECT_EQ(read.mailPasses[i], entries[i].pass);
        EXPECT_EQ(read.mailHosts[i], entries[i].host);
        EXPECT_EQ(read.mailMode[i], entries[i].mode);
        EXPECT_EQ(read.mailSubjects[i], entries[i].subject);
    }
    EXPECT_TRUE(read.mailUsers[3].empty());
    // The clear text never travels, and each value is a 5-character pad on both sides.
    EXPECT_EQ(message.find("user1"), std::string::npos);
    const std::string key = "E2USER\r\n";
    const size_t at = message.find(key) + key.size();
    const std::string value = message.substr(at, message.find("\r\n", at) - at);
    EXPECT_EQ(value.size(), 2 * kPadLength + entries[1].user.size());
    for (char c : value)
        EXPECT_TRUE(c >= '!' && c <= '~') << value;
}

TEST(SettingsWritersReadBack, ConnectionsAndDoModesAsTheDialogLeftThem)
{
    const UnitSettings sent = connectionSettings();
    const UnitSettings read = readBack(connectionsMessage(sent, 1, 8, 8), kKindKovra4).settings;
    EXPECT_EQ(read.ports, sent.ports);
    EXPECT_EQ(read.remoteHosts, sent.remoteHosts);
    EXPECT_EQ(read.remotePorts, sent.remotePorts);
    EXPECT_EQ(read.diExtension, sent.diExtension);
    EXPECT_EQ(read.doExtension, sent.doExtension);
    EXPECT_EQ((std::array<int32_t, 5> { read.sockMode, read.notice, read.discon, read.rqReset, read.detect }),
        (std::array<int32_t, 5> { 3, 4, 5, 6, 7 }));

    DoModeValues values;
    values.keepAliveSeconds = 300;
    values.startOnMask = 0b0110;
    values.oneShot = { 5, 0, 40, 0 };
    UnitSettings stored;
    storeDoModes(stored, values, 4);
    const UnitSettings modes = readBack(doModesMessage(values, 4), kKindKovra4).settings;
    EXPECT_EQ(modes.doMode, stored.doMode);
    EXPECT_EQ(modes.doOneShot, stored.doOneShot);
    EXPECT_EQ(modes.keepInterval, stored.keepInterval);
}

TEST(SettingsWritersPort, NewPortTakenOnlyWhenItIsOne)
{
    UnitRecord unit;
    unit.setUnitPort(10001);
    UnitSettings settings;
    for (int port : { 0, 65536, -5 }) {
        settings.ports[0] = port;
        takeConnectionPort(unit, settings);
        EXPECT_EQ(unit.unitPort(), 10001) << port;
    }
    settings.ports[0] = 65535;
    takeConnectionPort(unit, settings);
    EXPECT_EQ(unit.unitPort(), 65535);
}

// --- The mode value's direct requests ---

struct ModeAnswerCase {
    const char* name;
    std::string answer;
    bool parsed;
    int value;
};

class SettingsWritersModeAnswer : public testing::TestWithParam<ModeAnswerCase> { };

TEST_P(SettingsWritersModeAnswer, ValueFromCharactersSixAndSeven)
{
    const auto& c = GetParam();
    int value = -1;
    EXPECT_EQ(parseModeReadAnswer(c.answer, value), c.parsed);
    EXPECT_EQ(value, c.parsed ? c.value : -1);
}

INSTANTIATE_TEST_SUITE_P(SettingsWriters, SettingsWritersModeAnswer,
    testing::Values(ModeAnswerCase { "Lower", "mr04910a\xC8", true, 10 },
        ModeAnswerCase { "Upper", "mr04913F\xC8", true, 63 },
        ModeAnswerCase { "NotTheRegisterDigits", "mr049107\xC8", true, 7 },
        ModeAnswerCase { "NotHex", "mr04910G\xC8", false, 0 },
        ModeAnswerCase { "Short", "mr04910\xC8", false, 0 },
        ModeAnswerCase { "Long", "mr04910A0\xC8", false, 0 }, ModeAnswerCase { "Empty", "", false, 0 }),
    [](const testing::TestParamInfo<ModeAnswerCase>& info) { return std::string(info.param.name); });

TEST(SettingsWritersModeRequests, BytesAndRefusedValues)
{
    EXPECT_EQ(modeReadRequest(), "MR0491\xC8");
    EXPECT_EQ(modeWriteRequest(0), "AP \xC8");
    EXPECT_EQ(modeWriteRequest(3), "AP#\xC8");
    EXPECT_EQ(modeWriteRequest(0xDF), "AP\xFF\xC8");
    // Out of the byte, or a byte that would end the request early: nothing to send.
    for (int value : { -1, 0xA8, 0xE0 })
        EXPECT_EQ(modeWriteRequest(value), "") << value;
}

} // namespace

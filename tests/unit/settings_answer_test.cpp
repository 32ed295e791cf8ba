#include "core/platform/socket_error.h"
#include "core/settings/credential_scramble.h"
#include "core/settings/settings_answer.h"
#include "core/units/unit_table.h"

#include <functional>
#include <gtest/gtest.h>

using namespace kovra;

namespace {

// An answer held in memory; after its last byte the source gives `endResult` (the unit closed
// the connection, or nothing more came in time).
class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::string bytes, int endResult = kSocketDisconnected)
        : m_bytes(std::move(bytes))
        , m_end(endResult)
    {
    }
    int next(uint8_t& byte) override
    {
        if (m_at >= m_bytes.size())
            return m_end;
        byte = uint8_t(m_bytes[m_at++]);
        return 0;
    }

private:
    std::string m_bytes;
    size_t m_at = 0;
    int m_end;
};

// --- Version lines ---

struct VersionCase {
    const char* name;
    std::string answer;
    VersionAnswer kind;
    int sketch;
    int text;
};

constexpr VersionAnswer kVersions = VersionAnswer::Versions;
constexpr VersionAnswer kSingleLine = VersionAnswer::SingleLine;
constexpr VersionAnswer kUnreadable = VersionAnswer::Unreadable;

class VersionAnswers : public testing::TestWithParam<VersionCase> { };

TEST_P(VersionAnswers, GivesBothVersions)
{
    const auto& c = GetParam();
    UnitVersions versions { -1, -1 };
    EXPECT_EQ(parseVersionAnswer(c.answer, versions), c.kind);
    EXPECT_EQ(versions.sketch, c.sketch);
    EXPECT_EQ(versions.text, c.text);
}

INSTANTIATE_TEST_SUITE_P(Answers, VersionAnswers,
    testing::Values(
        VersionCase { "OneMeansOneHundred", "SKETCH VER : 1\r\nTEXT VER : 5\r\n", kVersions, 100, 5 },
        VersionCase { "Hundredths", "SKETCH VER : 104\r\nTEXT VER : 5\r\n", kVersions, 104, 5 },
        VersionCase { "ShortForms", "SKETCH VER 127\r\nTEXT VER 3\r\n", kVersions, 127, 3 },
        VersionCase { "ShortFormOneStaysOne", "SKETCH VER1\r\nTEXT VER1\r\n", kVersions, 1, 1 },
        VersionCase { "TextOneNotRemapped", "SKETCH VER : 99\r\nTEXT VER : 1\r\n", kVersions, 99, 1 },
        // Old firmware: one complete line, then the unit closed.
        VersionCase { "SingleLine", "SKETCH VER : 104\r\n", kSingleLine, 0, 0 },
        VersionCase { "SingleShortFormLine", "SKETCH VER 104\r\n", kSingleLine, 0, 0 },
        VersionCase { "ZeroByteEndsTheAnswer", std::string("SKETCH VER : 104\r\n\0TEXT VER : 5\r\n", 34),
            kSingleLine, 0, 0 },
        // Cut short, not "\r\n" lines, or not version lines: nothing is known of the unit.
        VersionCase { "UnknownLines", "HELLO\r\nWORLD\r\n", kUnreadable, 0, 0 },
        VersionCase { "UnknownSingleLine", "KOVRA WIFI\r\n", kUnreadable, 0, 0 },
        VersionCase { "UnknownSecondLine", "SKETCH VER : 104\r\nHELLO\r\n", kUnreadable, 0, 0 },
        VersionCase { "CutInTheFirstLine", "SKETCH VER : 10", kUnreadable, 0, 0 },
        VersionCase { "CutBeforeTheFirstLineFeed", "SKETCH VER : 104\r", kUnreadable, 0, 0 },
        VersionCase { "CutInTheSecondLine", "SKETCH VER : 104\r\nTEXT VER : ", kUnreadable, 0, 0 },
        VersionCase { "FirstLineWithoutReturn", "SKETCH VER : 104\nTEXT VER : 5\r\n", kUnreadable, 0, 0 },
        VersionCase { "SecondLineWithoutReturn", "SKETCH VER : 104\r\nTEXT VER : 5\n", kUnreadable, 0, 0 },
        VersionCase { "NoLineFeedWithinTheLimit", std::string(kVersionAnswerBytes, 'x'), kUnreadable, 0, 0 },
        VersionCase { "Empty", "", kUnreadable, 0, 0 }),
    [](const testing::TestParamInfo<VersionCase>& info) { return std::string(info.param.name); });

TEST(VersionAnswers, ReadStopsAtTheSecondLineFeedOrAtItsLimit)
{
    std::string answer;
    MemorySource twoLines("SKETCH VER : 1\r\nTEXT VER : 5\r\nEXTRA\r\n");
    EXPECT_EQ(readVersionAnswer(twoLines, answer), 0);
    EXPECT_EQ(answer, "SKETCH VER : 1\r\nTEXT VER : 5\r\n");

    MemorySource closedAfterOne("SKETCH VER : 1\r\n"); // the unit closed after one line
    EXPECT_EQ(readVersionAnswer(closedAfterOne, answer), 0);
    EXPECT_EQ(answer, "SKETCH VER : 1\r\n");

    MemorySource endless(std::string(300, 'x'), kSocketTimedOut);
    EXPECT_EQ(readVersionAnswer(endless, answer), 0);
    EXPECT_EQ(answer.size(), kVersionAnswerBytes);

    MemorySource silent("SKETCH VER : 1\r\n", kSocketTimedOut);
    EXPECT_EQ(readVersionAnswer(silent, answer), kSocketTimedOut);
}

// --- Numbers ---

TEST(SettingsNumber, DecimalConversion)
{
    const std::pair<const char*, int32_t> cases[]
        = { { "42", 42 }, { "-7", -7 }, { "+8", 8 }, { "  12x", 12 }, { "x12", 0 }, { "", 0 }, { "-", 0 },
              { "99999999999", 2147483647 }, { "-99999999999", -2147483647 - 1 } };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(settingsNumber(text), value) << text;
}

// --- Pairs into UnitSettings and UnitRecord ---

std::string answerOf(const std::vector<std::pair<std::string, std::string>>& pairs, bool end = true)
{
    std::string text;
    for (const auto& [key, value] : pairs)
        text += key + "\r\n" + value + "\r\n";
    if (end)
        text += "END\r\n\r\n";
    return text;
}

struct PairCase {
    const char* name;
    int kind;
    std::string answer;
    int result;
    std::function<void(const UnitSlot&)> check;
};

class SettingsPairs : public testing::TestWithParam<PairCase> { };

TEST_P(SettingsPairs, StoreTheirFields)
{
    const auto& c = GetParam();
    UnitSlot slot;
    slot.record.kind = c.kind;
    slot.record.subnetMask = makeIpv4(255, 255, 255, 0);
    MemorySource source(c.answer);
    EXPECT_EQ(readSettingsPairs(source, slot, nullptr), c.result);
    c.check(slot);
}

const std::string kLong70(70, 'h');

INSTANTIATE_TEST_SUITE_P(Answers, SettingsPairs,
    testing::Values(
        PairCase { "LaterPortWins", 5, answerOf({ { "PORT", "10001" }, { "PORT1", "10005" }, { "PORT4", "9" } }), 0,
            [](const UnitSlot& s) {
                EXPECT_EQ(s.settings.ports, (std::array<int32_t, 4> { 10005, 0, 0, 9 }));
            } },
        PairCase { "EarlierPortLoses", 5, answerOf({ { "PORT1", "10005" }, { "PORT", "10001" } }), 0,
            [](const UnitSlot& s) { EXPECT_EQ(s.settings.ports[0], 10001); } },
        PairCase { "KeepAliveThenInterval", 5, answerOf({ { "KEEP_A", "12" }, { "K_INT", "30" } }), 0,
            [](const UnitSlot& s) { EXPECT_EQ(s.settings.keepInterval, 30); } },
        PairCase { "IntervalThenKeepAlive", 5, answerOf({ { "K_INT", "30" }, { "KEEP_A", "12" } }), 0,
            [](const UnitSlot& s) { EXPECT_EQ(s.settings.keepInterval, 12); } },
        PairCase { "DhcpAddressOnKind1", 1, answerOf({ { "IP", "0.0.0.0" } }), 0,
            [](const UnitSlot& s) { EXPECT_FALSE(s.record.dhcp); } },
        PairCase { "DhcpAddressOnKind3", 3, answerOf({ { "IP", "0.0.0.0" } }), 0,
            [](const UnitSlot& s) { EXPECT_FALSE(s.record.dhcp); } },
        PairCase { "DhcpAddressOnKind5", 5, answerOf({ { "IP", "0.0.0.0" } }), 0,
            [](const UnitSlot& s) { EXPECT_TRUE(s.record.dhcp); } },
        PairCase { "DhcpAddressOnKind6", 6, answerOf({ { "IP", "0.0.0.0" } }), 0,
            [](const UnitSlot& s) { EXPECT_TRUE(s.record.dhcp); } },
        PairCase { "FixedAddressOnKind7", 7, answerOf({ { "IP", "0.0.0.0" }, { "IP", "203.0.113.9" } }), 0,
            [](const UnitSlot& s) { EXPECT_FALSE(s.record.dhcp); } },
        PairCase { "RecordFields", 6,
            answerOf({ { "MODEL", "26" }, { "ID", "3" }, { "SUBM", "255.255.0.0" }, { "GWAY", "203.0.113.1" } }), 0,
            [](const UnitSlot& s) {
                EXPECT_EQ(s.record.modelIndex, 26);
                EXPECT_EQ(s.record.unitSwitch, 3);
                EXPECT_EQ(s.record.subnetMask, makeIpv4(255, 255, 0, 0));
                EXPECT_EQ(s.record.gateway, makeIpv4(203, 0, 113, 1));
            } },
        PairCase { "UnreadableMaskKeepsTheOld", 6, answerOf({ { "SUBM", "255.255.x" } }), 0,
            [](const UnitSlot& s) { EXPECT_EQ(s.record.subnetMask, makeIpv4(255, 255, 255, 0)); } },
        PairCase { "ChannelsAndEntries", 7,
            answerOf({ { "DO8_MD", "2" }, { "DO8_OT", "40" }, { "DO1_EX", "1" }, { "DI3_EX", "5" }, { "M8MODE", "2" },
                { "M8HOST", "smtp" }, { "M8PORT", "25" }, { "M1TO2", "b@x" }, { "SOCK", "3" }, { "MODE", "1" },
                { "NOTICE", "4" }, { "DISCON", "5" }, { "DETECT", "6" }, { "RQ_RST", "7" }, { "E_RST", "8" } }),
            0,
            [](const UnitSlot& s) {
                EXPECT_EQ(s.settings.doMode[7], 2);
                EXPECT_EQ(s.settings.doOneShot[7], 40);
                EXPECT_EQ(s.settings.doExtension[0], 1);
                EXPECT_EQ(s.settings.diExtension[2], 5);
                EXPECT_EQ(s.settings.mailMode[7], 2);
                EXPECT_EQ(s.settings.mailHosts[7], "smtp");
                EXPECT_EQ(s.settings.mailPorts[7], 25);
                EXPECT_EQ(s.settings.mailTo2s[0], "b@x");
                EXPECT_EQ(s.settings.sockMode, 3);
                EXPECT_EQ(s.settings.unitMode, 1);
                EXPECT_EQ(s.settings.notice, 4);
                EXPECT_EQ(s.settings.discon, 5);
                EXPECT_EQ(s.settings.detect, 6);
                EXPECT_EQ(s.settings.rqReset, 7);
                EXPECT_EQ(s.settings.eRstOption, 8);
            } },
        PairCase { "ScrambledCredentials", 5,
            answerOf({ { "E2USER", scrambledValue("ops-user", kUserShift, "abcde", "vwxyz") },
                { "E2PASS", scrambledValue("s3cr~t", kPassShift, "#####", "$$$$$") } }),
            0,
            [](const UnitSlot& s) {
                EXPECT_EQ(s.settings.mailUsers[1], "ops-user");
                EXPECT_EQ(s.settings.mailPasses[1], "s3cr~t");
            } },
        PairCase { "ScrambledValueShorterThanPads", 5, answerOf({ { "M1USER", "old" }, { "E1USER", "short" } }), 0,
            [](const UnitSlot& s) { EXPECT_EQ(s.settings.mailUsers[0], ""); } },
        PairCase { "EntryTextKeeps64Bytes", 5, answerOf({ { "M1SUBJ", kLong70 } }), 0,
            [](const UnitSlot& s) { EXPECT_EQ(s.settings.mailSubjects[0], std::string(64, 'h')); } },
        PairCase { "EntryTextNeverSplitsADoubleByteCharacter", 5,
            answerOf({ { "M1SUBJ", std::string(63, 'a') + "\x83\x41" } }), 0,
            [](const UnitSlot& s) { EXPECT_EQ(s.settings.mailSubjects[0], std::string(63, 'a')); } },
        PairCase { "CrlfLineOf255IsTooLong", 3, answerOf({ { "MSUBJ", std::string(255, 's') } }), kSettingsLineTooLong,
            [](const UnitSlot& s) { EXPECT_EQ(s.settings.mailSubject, ""); } },
        PairCase { "LfOnlyLinesAreNotUnderstood", 5, "PORT\n10001\nK_IDL\r\n7\r\nEND\r\n\r\n", 0,
            [](const UnitSlot& s) {
                EXPECT_EQ(s.settings.ports[0], 0);
                EXPECT_EQ(s.settings.keepIdle, 7);
            } },
        PairCase { "UnknownKeysIgnored", 5, answerOf({ { "COLOR", "7" }, { "M9HOST", "x" }, { "DO0_MD", "1" } }), 0,
            [](const UnitSlot& s) { EXPECT_EQ(s.settings.doMode[0], 0); } },
        PairCase { "EndWithNothingAfterWaitsForItsValue", 5, answerOf({ { "PORT", "10001" } }, false) + "END\r\n",
            kSocketDisconnected, [](const UnitSlot& s) { EXPECT_EQ(s.settings.ports[0], 10001); } },
        PairCase { "ClosedBeforeEnd", 5, answerOf({ { "PORT", "10001" }, { "HIP", "203.0.113.7" } }, false),
            kSocketDisconnected, [](const UnitSlot& s) { EXPECT_EQ(s.settings.remoteHosts[0], "203.0.113.7"); } },
        PairCase { "LineWithoutLineFeed", 5, "PORT\r\n" + std::string(256, '1') + "\r\nEND\r\n\r\n", kSettingsLineTooLong,
            [](const UnitSlot& s) { EXPECT_EQ(s.settings.ports[0], 0); } },
        PairCase { "LongestLine", 5, "MHOST\r\n" + std::string(254, 'm') + "\r\nEND\r\n\r\n", 0,
            [](const UnitSlot& s) { EXPECT_EQ(s.settings.mailHost.size(), 254u); } }),
    [](const testing::TestParamInfo<PairCase>& info) { return std::string(info.param.name); });

TEST(SettingsPairs, WhatFollowsEndIsNotRead)
{
    UnitSlot slot;
    MemorySource source(answerOf({ { "PORT", "1" } }) + "PORT\r\n2\r\n");
    EXPECT_EQ(readSettingsPairs(source, slot, nullptr), 0);
    EXPECT_EQ(slot.settings.ports[0], 1);
}

TEST(SettingsPairs, At128PairsTheListUsesWhatCameButASetupFileFails)
{
    std::vector<std::pair<std::string, std::string>> pairs(128, { "PORT", "5" });
    pairs.push_back({ "PORT", "6" });
    UnitSlot slot;
    MemorySource forList(answerOf(pairs));
    EXPECT_EQ(readSettingsPairs(forList, slot, nullptr), 0);
    EXPECT_EQ(slot.settings.ports[0], 5);
    std::string dump;
    MemorySource forFile(answerOf(pairs));
    EXPECT_EQ(readSettingsPairs(forFile, slot, &dump), kSettingsNoEnd);
}

// --- The dump text of a setup file ---

TEST(SettingsDump, KeepsArrivalOrderWithoutWifiKeys)
{
    UnitSlot slot;
    slot.record.kind = 3;
    std::string dump;
    MemorySource source(answerOf({ { "PORT", "10001" }, { "SSID", "plant-ap" }, { "AP", "1" },
        { "COLOR", "x" }, { "PASS", "secret" }, { "AP_CH", "6" }, { "K_IDL", "30" } }));
    EXPECT_EQ(readSettingsPairs(source, slot, &dump), 0);
    EXPECT_EQ(dump, "PORT\r\n10001\r\nCOLOR\r\nx\r\nK_IDL\r\n30\r\n");
    EXPECT_EQ(slot.settings.wifiSsid, "plant-ap");
    EXPECT_EQ(slot.settings.wifiPass, "secret");
    EXPECT_EQ(slot.settings.apMode, 1);
    EXPECT_EQ(slot.settings.apChannel, 6);
}

TEST(SettingsDump, TheLargestAnswerFitsItsLimit)
{
    // 127 pairs of the longest lines (254 bytes before "\r\n") and "END": the largest dump there is.
    const std::vector<std::pair<std::string, std::string>> pairs(
        127, { std::string(254, 'K'), std::string(254, 'v') });
    UnitSlot slot;
    std::string dump;
    MemorySource source(answerOf(pairs));
    EXPECT_EQ(readSettingsPairs(source, slot, &dump), 0);
    EXPECT_EQ(dump.size(), 127u * 512u);
    EXPECT_LT(dump.size() + 1, kDumpTextLimit);
}

} // namespace

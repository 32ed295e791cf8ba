#include "core/platform/bind_address.h"
#include "core/platform/socket_error.h"
#include "core/settings/credential_scramble.h"
#include "core/settings/settings_message.h"
#include "core/settings/settings_transport.h"
#include "core/units/unit_settings.h"
#include "core/units/unit_record.h"
#include "net_fake_units.h"

#include <chrono>
#include <gtest/gtest.h>
#include <set>

using namespace kovra;
using namespace kovra::test;

namespace {

// --- Pieces of a message ---

struct PieceCase {
    const char* name;
    size_t length;
    std::vector<size_t> pieces;
};

class SettingsPieces : public testing::TestWithParam<PieceCase> { };

TEST_P(SettingsPieces, EachByteOnceInOrder)
{
    const auto& c = GetParam();
    std::string text;
    for (size_t i = 0; i < c.length; ++i)
        text += char('A' + i % 26);
    std::vector<size_t> sizes;
    std::string joined;
    EXPECT_EQ(sendInPieces(text,
                  [&](const char* data, size_t length) {
                      sizes.push_back(length);
                      joined.append(data, length);
                      return 0;
                  }),
        0);
    EXPECT_EQ(sizes, c.pieces);
    EXPECT_EQ(joined, text);
}

INSTANTIATE_TEST_SUITE_P(Lengths, SettingsPieces,
    testing::Values(PieceCase { "Empty", 0, {} }, PieceCase { "Short", 10, { 10 } },
        PieceCase { "ExactlyOnePiece", 256, { 256 } }, PieceCase { "OneOver", 257, { 256, 1 } },
        PieceCase { "SixHundred", 600, { 256, 256, 88 } }),
    [](const testing::TestParamInfo<PieceCase>& info) { return std::string(info.param.name); });

TEST(SettingsPieces, AFailedPieceEndsTheSending)
{
    int calls = 0;
    EXPECT_EQ(sendInPieces(std::string(600, 'x'),
                  [&](const char*, size_t) { return ++calls == 2 ? kSocketConnectionReset : 0; }),
        kSocketConnectionReset);
    EXPECT_EQ(calls, 2);
}

// --- Message texts ---

const EntryPads kPads = { "!!!!!", "~~~~~", "abcde", "12345" };

MailEntry sampleEntry()
{
    return MailEntry { 1, "smtp.example.jp", 587, "alice", "pw#9", "kovra@example.jp", "ops@example.jp", "",
        "DI alert" };
}

TEST(SettingsMessageText, EntryTestMixesTerminatorsAsWritten)
{
    const std::string user = ScrambleCredential("alice", kUserShift);
    const std::string pass = ScrambleCredential("pw#9", kPassShift);
    EXPECT_EQ(entryMailTestMessage(3, sampleEntry(), kPads),
        "NORESET\n"
        "M3MODE\r\n1\r\nM3HOST\r\nsmtp.example.jp\r\nM3PORT\r\n587\r\n"
        "E3USER\r\n!!!!!"
            + user + "~~~~~\r\nE3PASS\r\nabcde" + pass
            + "12345\r\n"
              "M3FROM\r\nkovra@example.jp\r\nM3TO1\r\nops@example.jp\r\nM3TO2\r\n\r\nM3SUBJ\r\nDI alert\r\n"
              "MAILTEST3\nEND\n");
}

TEST(SettingsMessageText, ClearEntryBlockAndCrlfEnd)
{
    SettingsMessage message;
    appendEntryBlock(message, 1, sampleEntry(), false, kPads);
    message.end(LineEnd::Crlf);
    EXPECT_EQ(message.text(),
        "M1MODE\r\n1\r\nM1HOST\r\nsmtp.example.jp\r\nM1PORT\r\n587\r\nM1USER\r\nalice\r\nM1PASS\r\npw#9\r\n"
        "M1FROM\r\nkovra@example.jp\r\nM1TO1\r\nops@example.jp\r\nM1TO2\r\n\r\nM1SUBJ\r\nDI "
        "alert\r\nEND\r\n");
}

TEST(SettingsMessageText, SingleAccountMailIsLfOnly)
{
    UnitSettings s;
    s.mailHost = "mail";
    s.mailPort = -25; // printed with %d, sign and all
    s.mailUser = "u";
    s.mailPass = "p";
    s.mailFrom = "f@x";
    s.mailTo1 = "a@x";
    s.mailTo2 = "b@x";
    s.mailSubject = "S";
    const std::string body
        = "MHOST\nmail\nMPORT\n-25\nMUSER\nu\nMPASS\np\nMFROM\nf@x\nMTO1\na@x\nMTO2\nb@x\nMSUBJ\nS\n";
    EXPECT_EQ(singleMailMessage(s, false), body + "END\n");
    EXPECT_EQ(singleMailMessage(s, true), "NORESET\n" + body + "MAILTEST\nEND\n");
}

// --- Credential scrambling ---

struct ScrambleCase {
    const char* name;
    std::string clear;
    int shift;
    std::string scrambled;
};

class CredentialScramble : public testing::TestWithParam<ScrambleCase> { };

TEST_P(CredentialScramble, ShiftsWithinPrintables)
{
    const auto& c = GetParam();
    EXPECT_EQ(ScrambleCredential(c.clear, c.shift), c.scrambled);
}

INSTANTIATE_TEST_SUITE_P(Texts, CredentialScramble,
    testing::Values(ScrambleCase { "Plain", "abc", 1, "bcd" },
        ScrambleCase { "WrapsAtTilde", "}~!", 2, "!\"#" },
        ScrambleCase { "NegativeWrapsAtBang", "!\"", -1, "~!" }, ScrambleCase { "FullTurn", "Kv", 94, "Kv" },
        ScrambleCase { "EndsAtSpace", "john doe", 0, "john" },
        ScrambleCase { "EndsAtControl", "ab\tc", 0, "ab" },
        ScrambleCase { "EndsAtDelete",
            "ab\x7f"
            "c",
            0, "ab" },
        ScrambleCase { "EndsAtDoubleByte", "ab\x83\x41", 0, "ab" },
        ScrambleCase { "KeepsAtMost64", std::string(70, 'x'), 0, std::string(64, 'x') }),
    [](const testing::TestParamInfo<ScrambleCase>& info) { return std::string(info.param.name); });

TEST(CredentialScramble, ShiftsAreFixedDifferentAndInRange)
{
    EXPECT_NE(kUserShift, kPassShift);
    for (int shift : { kUserShift, kPassShift }) {
        EXPECT_GE(shift, 1);
        EXPECT_LE(shift, 93);
    }
}

TEST(CredentialScramble, ValueRoundTripsThroughPads)
{
    for (const char* clear : { "alice", "P@ss~w0rd!", "", "~" }) {
        const std::string value = scrambledValue(clear, kPassShift, RandomPad(), RandomPad());
        EXPECT_EQ(value.size(), std::string(clear).size() + 2 * kPadLength);
        EXPECT_EQ(unscrambledValue(value, kPassShift), clear);
        EXPECT_NE(unscrambledValue(value, kUserShift), std::string(clear).empty() ? "x" : clear);
    }
}

TEST(CredentialScramble, UserWithSpaceRoundTripsOnlyToTheSpace)
{
    const std::string value = scrambledValue("john doe", kUserShift, RandomPad(), RandomPad());
    EXPECT_EQ(unscrambledValue(value, kUserShift), "john");
}

TEST(CredentialScramble, ValueShorterThanItsPadsCarriesNothing)
{
    EXPECT_EQ(unscrambledValue("", kUserShift), "");
    EXPECT_EQ(unscrambledValue("123456789", kUserShift), "");
    EXPECT_EQ(unscrambledValue("1234567890", kUserShift), "");
}

TEST(CredentialScramble, PadsArePrintableAndVary)
{
    std::set<std::string> seen;
    for (int i = 0; i < 20; ++i) {
        const std::string pad = RandomPad();
        ASSERT_EQ(pad.size(), kPadLength);
        for (char c : pad) {
            EXPECT_GE(c, '!');
            EXPECT_LE(c, '~');
        }
        seen.insert(pad);
    }
    EXPECT_GT(seen.size(), 15u);
}

// --- The transport against a fake unit ---

class SettingsTransport : public testing::Test {
protected:
    void SetUp() override { setBindAddress(makeIpv4(127, 0, 0, 1)); }
};

TEST_F(SettingsTransport, WholeMessageArrivesAndTheConnectionLingers)
{
    std::string text;
    for (int i = 0; i < 600; ++i)
        text += char('a' + i % 26);
    using Clock = std::chrono::steady_clock;
    Clock::time_point closedAt;
    FakeCommandUnit unit(nextLoopbackAddress(), [&](FakeConnection& connection) {
        connection.read(601, 3000); // ends when the sender closes
        closedAt = Clock::now();
    });
    const auto start = Clock::now();
    EXPECT_EQ(sendSettingsMessageTo(unit.ipText(), unit.port(), text), 0);
    const auto received = unit.received();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(std::string(received[0].begin(), received[0].end()), text);
    EXPECT_GE(closedAt - start, std::chrono::milliseconds(kSettingsLingerMs));
    EXPECT_EQ(unit.connections(), 1);
}

TEST_F(SettingsTransport, FailuresAreReported)
{
    const Ipv4 address = nextLoopbackAddress();
    EXPECT_EQ(
        sendSettingsMessageTo(ipv4ToText(address), closedPort(address), "END\r\n"), kSocketConnectionRefused);
    UnitRecord noAddress;
    EXPECT_EQ(SendSettingsMessage(noAddress, "END\r\n"), kSocketAddressNotAvailable);
}

} // namespace

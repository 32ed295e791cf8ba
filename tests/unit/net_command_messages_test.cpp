#include "core/net/command_messages.h"

#include <gtest/gtest.h>
#include <string>

using namespace kovra;

namespace {

CommandBytes bytesOf(const std::string& text, bool endMark = true)
{
    CommandBytes bytes(text.begin(), text.end());
    if (endMark)
        bytes.push_back(kFrameEnd);
    return bytes;
}

// --- Request builders against the exact bytes. ---

struct RequestCase {
    const char* name;
    CommandBytes built;
    CommandBytes expected;
};

class CommandRequest : public testing::TestWithParam<RequestCase> { };

TEST_P(CommandRequest, HasTheExactBytes)
{
    EXPECT_EQ(GetParam().built, GetParam().expected);
}

const uint8_t kTwoBytes[] = { 0x0A, 0xF0 };

INSTANTIATE_TEST_SUITE_P(Requests, CommandRequest,
    testing::Values(RequestCase { "MemoryRead57", buildMemoryRead(0x57, 1), bytesOf("MR0571") },
        RequestCase { "MemoryReadCountF", buildMemoryRead(0x05, 15), bytesOf("MR005F") },
        RequestCase { "MemoryWrite", buildMemoryWrite(0x40, kTwoBytes, 2), bytesOf("MW04020AF0") },
        RequestCase { "MemoryReadRegister80", buildMemoryRead(0x80, 1), {} },
        RequestCase { "MemoryReadNegative", buildMemoryRead(-1, 1), {} },
        RequestCase { "MemoryReadCount0", buildMemoryRead(0x40, 0), {} },
        RequestCase { "MemoryReadCount16", buildMemoryRead(0x40, 16), {} },
        RequestCase { "MemoryWriteNoData", buildMemoryWrite(0x40, nullptr, 1), {} },
        // "AL": channel + 20h, code + 28h (8 lower with the flag clear), "%04X%04X".
        RequestCase { "AlFlagSet", buildAlRequest(1, 9, true, 0x1234, 0xABCD),
            CommandBytes { 'A', 'L', 0x21, 0x31, '1', '2', '3', '4', 'A', 'B', 'C', 'D', 0xC8 } },
        RequestCase { "AlFlagClear", buildAlRequest(0, 9, false, 0x0000, 0xFFFF),
            CommandBytes { 'A', 'L', 0x20, 0x29, '0', '0', '0', '0', 'F', 'F', 'F', 'F', 0xC8 } },
        RequestCase { "AlCodeBelowRange", buildAlRequest(0, -0x29, true, 0, 0), {} },
        RequestCase { "Ak", buildAkRequest(3), CommandBytes { 'A', 'K', 0x23, 0xC8 } },
        RequestCase { "AkChannelTooLarge", buildAkRequest(0xE0), {} },
        RequestCase { "Ns", buildNsRequest(2, 0x3C), CommandBytes { 'N', 'S', 0x22, '3', 'C', 0xC8 } },
        RequestCase { "Nj", buildNjRequest(0), CommandBytes { 'N', 'J', 0x20, 0xC8 } },
        RequestCase { "Rset0", buildRsetRequest(0), CommandBytes { 'R', 'S', 'E', 'T', 0x20, 0xC8 } },
        RequestCase { "Rset10", buildRsetRequest(10), CommandBytes { 'R', 'S', 'E', 'T', 0x2A, 0xC8 } },
        RequestCase { "Rset11Refused", buildRsetRequest(11), {} },
        RequestCase { "RsetNegativeRefused", buildRsetRequest(-1), {} },
        RequestCase { "ShortWrite", buildShortWrite(0x94, 0x50), CommandBytes { 0x94, 0x50 } },
        RequestCase { "ShortRead", buildShortRead(3), CommandBytes { 0x90, 0x03 } }),
    [](const testing::TestParamInfo<RequestCase>& info) { return std::string(info.param.name); });

// --- Hex fields. ---

TEST(CommandHexField, KeepsTheLastDigitsOfTheEightDigitForm)
{
    EXPECT_EQ(hexField(0x57, 3), "057");
    EXPECT_EQ(hexField(0x1ABC, 3), "ABC");
    EXPECT_EQ(hexField(0xDEADBEEF, 8), "DEADBEEF");
    EXPECT_EQ(hexField(5, 0), "");

    const uint8_t text[] = { '0', 'a', 'F', 'g' };
    uint32_t value = 99;
    EXPECT_TRUE(parseHexField(text, 3, value));
    EXPECT_EQ(value, 0x0AFu);
    EXPECT_FALSE(parseHexField(text, 4, value));
    EXPECT_EQ(value, 0x0AFu) << "a failed parse leaves the value";
}

// --- Answer parsers. ---

struct AnswerCase {
    const char* name;
    std::string answer;
    bool accepted;
    int value; // the parsed value when accepted
};

class MemoryReadAnswer : public testing::TestWithParam<AnswerCase> { };

TEST_P(MemoryReadAnswer, TakesCountHexPairsFromByte6)
{
    const auto& c = GetParam();
    uint8_t data[2] = { 0x11, 0x22 };
    const bool ok
        = parseMemoryReadAnswer(reinterpret_cast<const uint8_t*>(c.answer.data()), c.answer.size(), 2, data);
    EXPECT_EQ(ok, c.accepted);
    if (ok)
        EXPECT_EQ(data[0] << 8 | data[1], c.value);
    else
        EXPECT_EQ(data[0] << 8 | data[1], 0x1122) << "nothing written on failure";
}

INSTANTIATE_TEST_SUITE_P(Answers, MemoryReadAnswer,
    testing::Values(AnswerCase { "TwoPairs", "mr0572A5ff", true, 0xA5FF },
        AnswerCase { "TrailingBytesIgnored", "mr0572A5FFxx", true, 0xA5FF },
        AnswerCase { "OnePairShort", "mr0572A5F", false, 0 }, AnswerCase { "NotHex", "mr0572A5G0", false, 0 },
        AnswerCase { "Empty", "", false, 0 }),
    [](const testing::TestParamInfo<AnswerCase>& info) { return std::string(info.param.name); });

class FramedAnswer : public testing::TestWithParam<AnswerCase> { };

TEST_P(FramedAnswer, NjValueAtBytes3And4)
{
    const auto& c = GetParam();
    uint8_t value = 0x77;
    EXPECT_EQ(
        parseNjAnswer(reinterpret_cast<const uint8_t*>(c.answer.data()), c.answer.size(), value), c.accepted);
    EXPECT_EQ(value, c.accepted ? c.value : 0x77);
}

INSTANTIATE_TEST_SUITE_P(Answers, FramedAnswer,
    testing::Values(AnswerCase { "Value", "nj!3C", true, 0x3C }, AnswerCase { "Short", "nj!3", false, 0 },
        AnswerCase { "NotHex", "nj!Z1", false, 0 }),
    [](const testing::TestParamInfo<AnswerCase>& info) { return std::string(info.param.name); });

TEST(CommandAnswers, EchoRuleAndAcceptances)
{
    const CommandBytes mr = bytesOf("MR0571");
    const std::string good = "mr0571";
    const std::string upper = "MR0571";
    EXPECT_TRUE(echoHolds(mr.data(), mr.size(), reinterpret_cast<const uint8_t*>(good.data()), good.size()));
    EXPECT_FALSE(
        echoHolds(mr.data(), mr.size(), reinterpret_cast<const uint8_t*>(upper.data()), upper.size()));
    EXPECT_FALSE(echoHolds(mr.data(), mr.size(), reinterpret_cast<const uint8_t*>(good.data()), 1));
    EXPECT_FALSE(echoHolds(mr.data(), 1, reinterpret_cast<const uint8_t*>(good.data()), good.size()));
    // A command byte near the top wraps like the unit's byte arithmetic does.
    const uint8_t high[] = { 0xF0, 0xE0 };
    const uint8_t wrapped[] = { 0x10, 0x00 };
    EXPECT_TRUE(echoHolds(high, 2, wrapped, 2));

    const uint8_t ok[] = { 'm', 'w', 'O', 'K' };
    const uint8_t ng[] = { 'm', 'w', 'N', 'G' };
    EXPECT_TRUE(memoryWriteAccepted(ok, 4));
    EXPECT_FALSE(memoryWriteAccepted(ng, 4));
    EXPECT_FALSE(memoryWriteAccepted(ok, 3));

    const CommandBytes write = buildShortWrite(0x91, 0x5F);
    const uint8_t same[] = { 0x91, 0x5F };
    const uint8_t other[] = { 0x91, 0x50 };
    EXPECT_TRUE(shortWriteAccepted(write, same, 2));
    EXPECT_FALSE(shortWriteAccepted(write, other, 2));
    EXPECT_FALSE(shortWriteAccepted(write, same, 1));

    uint8_t value = 0;
    const uint8_t readAnswer[] = { 0x90, 0xA7 };
    const uint8_t wrongAnswer[] = { 0x91, 0xA7 };
    EXPECT_TRUE(parseShortReadAnswer(readAnswer, 2, value));
    EXPECT_EQ(value, 0xA7);
    EXPECT_FALSE(parseShortReadAnswer(wrongAnswer, 2, value));
}

} // namespace

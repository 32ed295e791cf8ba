#include "core/net/discovery_messages.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace kovra;

namespace {

using Bytes = std::vector<uint8_t>;

template <size_t N> Bytes bytesOf(const std::array<uint8_t, N>& a)
{
    return Bytes(a.begin(), a.end());
}

// A 30-byte search answer with the given type pair, nibble bytes and hardware address.
Bytes searchAnswer(const char* pair, uint8_t byte5 = 0, uint8_t byte6 = 0)
{
    Bytes answer(kSearchAnswerSize, 0xEE);
    answer[5] = byte5;
    answer[6] = byte6;
    answer[8] = uint8_t(pair[0]);
    answer[9] = uint8_t(pair[1]);
    const uint8_t mac[] = { 0x00, 0x80, 0x4C, 0x12, 0x34, 0x56 };
    std::copy(std::begin(mac), std::end(mac), answer.begin() + 24);
    return answer;
}

TEST(DiscoveryRequests, HaveTheExactBytes)
{
    EXPECT_EQ(bytesOf(kSearchRequestA), (Bytes { 0x00, 0x00, 0x00, 0xF6 }));
    EXPECT_EQ(bytesOf(kSearchRequestB), (Bytes { 0x4C, 0x4E }));
    EXPECT_EQ(bytesOf(kFirmwareQuery), (Bytes { 0x00, 0x00, 0x00, 0xF4 }));
    for (int n = 0; n < kRecordCount; ++n)
        EXPECT_EQ(bytesOf(recordQuery(n)), (Bytes { 0x00, 0x00, 0x00, uint8_t(0xE0 + n) })) << n;
    EXPECT_EQ(recordAnswerSize(0), 124u);
    EXPECT_EQ(recordAnswerSize(3), 130u);
    EXPECT_EQ(recordAnswerSize(7), 130u);
    EXPECT_EQ(recordAnswerSize(1), 0u) << "records 1 and 2 are not kept";
    EXPECT_EQ(recordAnswerSize(8), 0u);
}

TEST(DiscoveryRequests, AddressSetDatagramLayout)
{
    const std::array<uint8_t, 6> mac { 0x00, 0x80, 0x4C, 0x12, 0xAB, 0xCD };
    const auto datagram = buildAddressSet(mac, makeIpv4(203, 0, 113, 7));
    const Bytes expected { 0x00, 0x00, 0x00, 0xFC, 'I', 'P', '-', 'S', 'E', 'T', 'U', 'P', 0x00, 0x00, 0xAB,
        0xCD, 203, 0, 113, 7 };
    EXPECT_EQ(bytesOf(datagram), expected);
    EXPECT_EQ(bytesOf(buildAddressSet(mac, 0)),
        (Bytes { 0x00, 0x00, 0x00, 0xFC, 'I', 'P', '-', 'S', 'E', 'T', 'U', 'P', 0x00, 0x00, 0xAB, 0xCD, 0, 0,
            0, 0 }));
}

// --- Type pairs. ---

struct TypePairCase {
    const char* pair;
    bool accepted;
};

class SearchAnswerTypePair : public testing::TestWithParam<TypePairCase> { };

TEST_P(SearchAnswerTypePair, IsAcceptedOnlyWhenListed)
{
    UnitRecord unit;
    const Bytes answer = searchAnswer(GetParam().pair);
    EXPECT_EQ(parseSearchAnswer(answer.data(), answer.size(), makeIpv4(127, 0, 0, 5), 30718, unit),
        GetParam().accepted);
    EXPECT_EQ(unit.typePair(), GetParam().pair) << "the pair is stored either way";
}

INSTANTIATE_TEST_SUITE_P(Pairs, SearchAnswerTypePair,
    testing::Values(TypePairCase { "X1", true }, TypePairCase { "X2", true }, TypePairCase { "X4", true },
        TypePairCase { "X5", true }, TypePairCase { "X9", true }, TypePairCase { "X6", true },
        TypePairCase { "Y1", true }, TypePairCase { "_L", true }, TypePairCase { "_W", true },
        TypePairCase { "_T", true }, TypePairCase { "_B", true }, TypePairCase { "qq", false },
        TypePairCase { "X3", false }, TypePairCase { "x1", false }, TypePairCase { "1X", false },
        TypePairCase { "_w", false }));

TEST(SearchAnswer, FillsTheUnitsFields)
{
    UnitRecord unit;
    const Bytes answer = searchAnswer("X6", 0xA7, 0x3F);
    ASSERT_TRUE(parseSearchAnswer(answer.data(), answer.size(), makeIpv4(127, 0, 0, 9), 40000, unit));
    EXPECT_EQ(unit.peerAddress, makeIpv4(127, 0, 0, 9));
    EXPECT_EQ(unit.peerPort, 40000);
    EXPECT_EQ(unit.ipText, "127.0.0.9");
    EXPECT_EQ(macText(unit.mac), "00-80-4C-12-34-56");
    EXPECT_EQ(unit.answerInfo, (std::array<uint8_t, 4> { 0x0A, 0x03, 'X', '6' }));
}

TEST(SearchAnswer, ShortAnswerIsRefusedAndChangesNothing)
{
    UnitRecord unit;
    unit.ipText = "unchanged";
    const Bytes answer = searchAnswer("X1");
    EXPECT_FALSE(parseSearchAnswer(answer.data(), 29, makeIpv4(127, 0, 0, 9), 30718, unit));
    EXPECT_EQ(unit.ipText, "unchanged");
    EXPECT_EQ(unit.mac, (std::array<uint8_t, 6> {}));
}

// --- Firmware text. ---

struct FirmwareCase {
    const char* name;
    Bytes tail; // bytes from 16 on
    const char* text;
    bool gc;
};

class FirmwareAnswer : public testing::TestWithParam<FirmwareCase> { };

TEST_P(FirmwareAnswer, TextFromByte16)
{
    Bytes answer(16, 'Z');
    answer.insert(answer.end(), GetParam().tail.begin(), GetParam().tail.end());
    const std::string text = firmwareTextFromAnswer(answer.data(), answer.size());
    EXPECT_EQ(text, GetParam().text);
    EXPECT_EQ(isGcFirmware(text), GetParam().gc);
}

Bytes textBytes(const std::string& text, size_t size)
{
    Bytes bytes(text.begin(), text.end());
    bytes.resize(size, 0);
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(Answers, FirmwareAnswer,
    testing::Values(FirmwareCase { "Gc", textBytes("V2.10GC", 17), "V2.10GC", true },
        FirmwareCase { "Plain", textBytes("V2.10", 17), "V2.10", false },
        FirmwareCase { "LowerCaseIsNotGc", textBytes("v2.10gc", 17), "v2.10gc", false },
        FirmwareCase { "LongTextKeeps17", textBytes("ABCDEFGHIJKLMNOPQRST", 20), "ABCDEFGHIJKLMNOPQ", false },
        FirmwareCase { "GcBeyond17IsCut", textBytes("ABCDEFGHIJKLMNOPQGC", 19), "ABCDEFGHIJKLMNOPQ", false },
        FirmwareCase { "NothingAfter16", Bytes {}, "", false }),
    [](const testing::TestParamInfo<FirmwareCase>& info) { return std::string(info.param.name); });

// --- Network settings of a wired unit from record 0. ---

struct WiredCase {
    const char* name;
    Bytes address; // record bytes 4-7
    uint8_t hostBits; // byte 10
    Bytes gateway; // bytes 16-19
    Ipv4 current; // peer address before
    bool dhcp;
    Ipv4 address_;
    Ipv4 mask;
    Ipv4 gatewayOut;
};

class WiredNetwork : public testing::TestWithParam<WiredCase> { };

TEST_P(WiredNetwork, DerivedFromRecord0)
{
    const auto& c = GetParam();
    UnitRecord unit;
    unit.peerAddress = c.current;
    std::copy(c.address.begin(), c.address.end(), unit.configBlock0.begin() + 4);
    unit.configBlock0[10] = c.hostBits;
    std::copy(c.gateway.begin(), c.gateway.end(), unit.configBlock0.begin() + 16);
    deriveWiredNetwork(unit);
    EXPECT_EQ(unit.dhcp, c.dhcp);
    EXPECT_EQ(ipv4ToText(unit.peerAddress), ipv4ToText(c.address_));
    EXPECT_EQ(ipv4ToText(unit.subnetMask), ipv4ToText(c.mask));
    EXPECT_EQ(ipv4ToText(unit.gateway), ipv4ToText(c.gatewayOut));
}

INSTANTIATE_TEST_SUITE_P(Records, WiredNetwork,
    testing::Values(
        WiredCase { "Static", { 203, 0, 113, 20 }, 8, { 203, 0, 113, 1 }, makeIpv4(127, 0, 0, 2), false,
            makeIpv4(203, 0, 113, 20), makeIpv4(255, 255, 255, 0), makeIpv4(203, 0, 113, 1) },
        WiredCase { "StaticOnlyByte7", { 0, 0, 0, 9 }, 0, { 0, 0, 0, 0 }, makeIpv4(127, 0, 0, 2), false,
            makeIpv4(0, 0, 0, 9), makeIpv4(255, 255, 255, 255), 0 },
        WiredCase { "Byte6AloneIsDhcp", { 0, 0, 7, 0 }, 8, { 10, 0, 0, 1 }, makeIpv4(172, 16, 0, 5), true,
            makeIpv4(172, 16, 0, 5), makeIpv4(255, 255, 0, 0), 0 },
        WiredCase { "DhcpClassA", { 0, 0, 0, 0 }, 0, { 0, 0, 0, 0 }, makeIpv4(127, 0, 0, 2), true,
            makeIpv4(127, 0, 0, 2), makeIpv4(255, 0, 0, 0), 0 },
        WiredCase { "DhcpClassBEdge", { 0, 0, 0, 0 }, 0, { 0, 0, 0, 0 }, makeIpv4(191, 255, 0, 1), true,
            makeIpv4(191, 255, 0, 1), makeIpv4(255, 255, 0, 0), 0 },
        WiredCase { "DhcpClassC", { 0, 0, 0, 0 }, 0, { 0, 0, 0, 0 }, makeIpv4(192, 168, 1, 1), true,
            makeIpv4(192, 168, 1, 1), makeIpv4(255, 255, 255, 0), 0 },
        WiredCase {
            "HostBits32", { 10, 1, 2, 3 }, 32, { 0, 0, 0, 0 }, 0, false, makeIpv4(10, 1, 2, 3), 0, 0 },
        WiredCase { "HostBitsBeyond32", { 10, 1, 2, 3 }, 200, { 0, 0, 0, 0 }, 0, false, makeIpv4(10, 1, 2, 3),
            0, 0 }),
    [](const testing::TestParamInfo<WiredCase>& info) { return std::string(info.param.name); });

// --- Setup-record write-back datagrams. ---

TEST(SetupRecordWrite, HeadersAndSizes)
{
    Bytes record0(124, 0x5A);
    Bytes record(130, 0xA5);

    const Bytes write0 = buildSetupRecordWrite(0, record0.data(), record0.size());
    ASSERT_EQ(write0.size(), 124u);
    EXPECT_EQ(Bytes(write0.begin(), write0.begin() + 4), (Bytes { 0x00, 0x01, 0x00, 0xC0 }));
    EXPECT_EQ(Bytes(write0.begin() + 4, write0.end()), Bytes(120, 0x5A)) << "the rest goes as read";

    for (int n = 1; n <= 6; ++n) {
        const Bytes write = buildSetupRecordWrite(n, record.data(), record.size());
        ASSERT_EQ(write.size(), 130u);
        EXPECT_EQ(Bytes(write.begin(), write.begin() + 4), (Bytes { 0x00, 0x01, 0x00, uint8_t(0xC0 + n) }))
            << n;
    }
    const Bytes write7 = buildSetupRecordWrite(7, record.data(), record.size());
    EXPECT_EQ(Bytes(write7.begin(), write7.begin() + 4), (Bytes { 0x00, 0x00, 0x00, 0xC7 }));

    EXPECT_TRUE(buildSetupRecordWrite(0, record.data(), record.size()).empty());
    EXPECT_TRUE(buildSetupRecordWrite(3, record0.data(), record0.size()).empty());
    EXPECT_TRUE(buildSetupRecordWrite(8, record.data(), record.size()).empty());
    EXPECT_TRUE(buildSetupRecordWrite(-1, record.data(), record.size()).empty());
}

} // namespace

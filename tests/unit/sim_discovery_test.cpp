// The simulator's discovery port, exercised from the PC's side over loopback.
#include "sim_test_client.h"

#include <set>

using simtest::bytes;
using simtest::hex;
using simtest::LoopbackFleet;
using simtest::UdpClient;

namespace {

const std::string kSearchA = bytes("00 00 00 F6");
const std::string kSearchB = "LN";
constexpr int kQuietMs = 300;

std::string addressBytes(const std::string& dotted)
{
    in_addr address {};
    ::inet_pton(AF_INET, dotted.c_str(), &address);
    return std::string(reinterpret_cast<const char*>(&address), 4);
}

std::string recordQuery(int n)
{
    return bytes("00 00 00") + static_cast<char>(0xE0 + n);
}

std::string replaced(std::string text, const std::string& mark, const std::string& value)
{
    for (size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + value.size()))
        text.replace(at, mark.size(), value);
    return text;
}

// ---- the search answer, byte for byte ----

struct SearchCase {
    const char* label;
    const char* unit; // "$10" is the unit's address
    const char* answer; // {addr}: the unit's address bytes, {low3}: its last three bytes
};

class SimSearchAnswer : public ::testing::TestWithParam<SearchCase> { };

TEST_P(SimSearchAnswer, MatchesTheLayoutByteForByte)
{
    const SearchCase& param = GetParam();
    LoopbackFleet fleet(param.unit);
    const std::string address = addressBytes(fleet.address(10));
    const std::string expected
        = replaced(replaced(param.answer, "{addr}", hex(address)), "{low3}", hex(address.substr(1)));
    UdpClient pc;
    const auto answer = pc.exchange(fleet.address(10), fleet.port(), kSearchA);
    ASSERT_TRUE(answer);
    EXPECT_EQ(hex(answer->bytes), hex(bytes(expected)));
    EXPECT_EQ(answer->from, fleet.address(10));
}

INSTANTIATE_TEST_SUITE_P(Layouts, SimSearchAnswer,
    ::testing::Values(
        SearchCase { "kind0", R"({ "kind": 0, "typePair": "X2", "address": "$10", "model": 1, "info": [1, 2],
                         "mac": "00:11:22:33:44:55" })",
            "00 00 00 F7 00 10 20 00 58 32 {addr} 11 27 00 00 00 00 00 00 00 00 00 11 22 33 44 55" },
        SearchCase { "kind1DefaultMac",
            R"({ "kind": 1, "address": "$10", "model": 2, "port": 4660, "info": [15, 0] })",
            "00 00 00 F7 00 F0 00 00 58 36 {addr} 34 12 00 00 00 00 00 00 00 00 02 4B 56 {low3}" },
        SearchCase { "kind4",
            R"({ "kind": 4, "typePair": "X9", "address": "$10", "model": 20, "port": 65535 })",
            "00 00 00 F7 00 00 00 00 58 39 {addr} FF FF 00 00 00 00 00 00 00 00 02 4B 56 {low3}" },
        SearchCase { "unlistedTypePair", R"({ "kind": 0, "typePair": "ZZ", "address": "$10", "model": 0 })",
            "00 00 00 F7 00 00 00 00 5A 5A {addr} 11 27 00 00 00 00 00 00 00 00 02 4B 56 {low3}" }),
    [](const auto& info) { return std::string(info.param.label); });

// ---- which search requests a unit answers ----

struct SearchRequestCase {
    const char* setting;
    int answersToA;
    int answersToB;
};

class SimSearchRequests : public ::testing::TestWithParam<SearchRequestCase> { };

TEST_P(SimSearchRequests, AnswerOnlyTheRequestsOfTheSetting)
{
    const SearchRequestCase& param = GetParam();
    LoopbackFleet fleet(
        std::string(R"({ "kind": 0, "address": "$10", "searchAnswer": ")") + param.setting + "\" }");
    UdpClient pc;
    pc.send(fleet.address(10), fleet.port(), kSearchA);
    EXPECT_EQ(static_cast<int>(pc.receiveAll(kQuietMs).size()), param.answersToA);
    pc.send(fleet.address(10), fleet.port(), kSearchB);
    EXPECT_EQ(static_cast<int>(pc.receiveAll(kQuietMs).size()), param.answersToB);
}

// The binary family answers request A only: a unit answering both would be listed twice.
INSTANTIATE_TEST_SUITE_P(Settings, SimSearchRequests,
    ::testing::Values(SearchRequestCase { "auto", 1, 0 }, SearchRequestCase { "A", 1, 0 },
        SearchRequestCase { "B", 0, 1 }, SearchRequestCase { "both", 1, 1 }),
    [](const auto& info) { return std::string(info.param.setting); });

// ---- broadcast and unicast ----

TEST(SimDiscovery, BroadcastIsAnsweredOnceByEveryUnitFromItsOwnAddress)
{
    LoopbackFleet fleet(R"({ "kind": 0, "address": "$10" }, { "kind": 1, "address": "$11" },
                           { "kind": 4, "address": "$12", "model": 17 })");
    UdpClient pc;
    pc.send(fleet.broadcast(), fleet.port(), kSearchA);
    pc.send(fleet.broadcast(), fleet.port(), kSearchB);
    std::multiset<std::string> sources;
    for (const auto& answer : pc.receiveAll(kQuietMs)) {
        sources.insert(answer.from);
        ASSERT_EQ(answer.bytes.size(), 30u);
        EXPECT_EQ(answer.bytes.substr(10, 4), addressBytes(answer.from))
            << "address field of " << answer.from;
    }
    EXPECT_EQ(
        sources, (std::multiset<std::string> { fleet.address(10), fleet.address(11), fleet.address(12) }));
}

TEST(SimDiscovery, AnAddressNoUnitHoldsStaysSilent)
{
    LoopbackFleet fleet(R"({ "kind": 0, "address": "$10" })");
    UdpClient pc;
    EXPECT_FALSE(pc.exchange(fleet.address(99), fleet.port(), kSearchA, kQuietMs));
    EXPECT_TRUE(pc.exchange(fleet.address(10), fleet.port(), kSearchA, kQuietMs));
}

TEST(SimDiscovery, FirmwareAnswerCarriesItsTextFromByte16)
{
    LoopbackFleet fleet(R"({ "kind": 1, "address": "$10", "firmware": "GC2.05" })");
    UdpClient pc;
    const auto answer = pc.exchange(fleet.address(10), fleet.port(), bytes("00 00 00 F4"));
    ASSERT_TRUE(answer);
    ASSERT_EQ(answer->bytes.size(), 33u);
    EXPECT_EQ(answer->bytes.substr(0, 4), bytes("00 00 00 F5"));
    EXPECT_EQ(answer->bytes.substr(16), std::string("GC2.05") + std::string(11, '\0'));
}

// ---- stored configuration records ----

struct RecordZeroCase {
    const char* label;
    const char* unit;
    const char* fields; // bytes 4-7, 10, 16-19, 24-25 as hex; {addr} for the unit's address
};

class SimRecordZero : public ::testing::TestWithParam<RecordZeroCase> { };

TEST_P(SimRecordZero, HoldsTheUnitsNetworkSettings)
{
    const RecordZeroCase& param = GetParam();
    LoopbackFleet fleet(param.unit);
    UdpClient pc;
    const auto answer = pc.exchange(fleet.address(10), fleet.port(), recordQuery(0));
    ASSERT_TRUE(answer);
    ASSERT_EQ(answer->bytes.size(), 124u);
    const std::string& record = answer->bytes;
    const std::string fields = record.substr(4, 4) + record[10] + record.substr(16, 4) + record.substr(24, 2);
    EXPECT_EQ(
        hex(fields), hex(bytes(replaced(param.fields, "{addr}", hex(addressBytes(fleet.address(10)))))));
    EXPECT_EQ(record.substr(0, 4), bytes("00 00 00 E8"));
}

INSTANTIATE_TEST_SUITE_P(Settings, SimRecordZero,
    ::testing::Values(RecordZeroCase { "static24",
                          R"({ "kind": 0, "address": "$10", "gateway": "10.1.2.3", "port": 10001 })",
                          "{addr} 08 0A 01 02 03 11 27" },
        RecordZeroCase { "static16", R"({ "kind": 0, "address": "$10", "mask": "255.255.0.0", "port": 258 })",
            "{addr} 10 00 00 00 00 02 01" },
        RecordZeroCase { "dhcp",
            R"({ "kind": 4, "model": 17, "address": "$10", "dhcp": true, "gateway": "10.1.2.3" })",
            "00 00 00 00 00 00 00 00 00 11 27" }),
    [](const auto& info) { return std::string(info.param.label); });

TEST(SimRecords, RecordsThreeToSevenAre130BytesAndKeepWhatIsWritten)
{
    LoopbackFleet fleet(R"({ "kind": 0, "address": "$10", "records": { "3": "01 02 03" } })");
    UdpClient pc;
    for (int n = 1; n < 8; ++n) {
        const auto answer = pc.exchange(fleet.address(10), fleet.port(), recordQuery(n));
        ASSERT_TRUE(answer) << "record " << n;
        ASSERT_EQ(answer->bytes.size(), 130u) << "record " << n;
        EXPECT_EQ(static_cast<unsigned char>(answer->bytes[3]), 0xE8 + n);
    }
    auto record3 = pc.exchange(fleet.address(10), fleet.port(), recordQuery(3));
    ASSERT_TRUE(record3);
    EXPECT_EQ(record3->bytes.substr(4, 4), bytes("01 02 03 00"));

    // A write that more writes follow: acknowledged, kept, no restart.
    std::string changed = record3->bytes;
    changed.replace(0, 4, bytes("00 01 00 C3"));
    changed[50] = '\x5A';
    const auto ack = pc.exchange(fleet.address(10), fleet.port(), changed);
    ASSERT_TRUE(ack);
    EXPECT_EQ(hex(ack->bytes), "00 01 00 CB");
    record3 = pc.exchange(fleet.address(10), fleet.port(), recordQuery(3));
    ASSERT_TRUE(record3);
    EXPECT_EQ(record3->bytes.substr(4), changed.substr(4));
    EXPECT_TRUE(fleet.simulator().isUp(0));

    // The last record of a sequence (00 00 00 C7) makes the unit restart: silent, then back.
    auto record7 = pc.exchange(fleet.address(10), fleet.port(), recordQuery(7));
    ASSERT_TRUE(record7);
    record7->bytes.replace(0, 4, bytes("00 00 00 C7"));
    const auto last = pc.exchange(fleet.address(10), fleet.port(), record7->bytes);
    ASSERT_TRUE(last);
    EXPECT_EQ(hex(last->bytes), "00 00 00 CF");
    EXPECT_FALSE(pc.exchange(fleet.address(10), fleet.port(), kSearchA, 50));
    ASSERT_TRUE(fleet.waitUntilUp());
    record3 = pc.exchange(fleet.address(10), fleet.port(), recordQuery(3));
    ASSERT_TRUE(record3);
    EXPECT_EQ(record3->bytes[50], '\x5A');
}

TEST(SimRecords, RecordZeroWriteMovesTheUnitAndItsPort)
{
    LoopbackFleet fleet(R"({ "kind": 0, "address": "$10", "port": 10001 })");
    UdpClient pc;
    auto record0 = pc.exchange(fleet.address(10), fleet.port(), recordQuery(0));
    ASSERT_TRUE(record0);
    std::string write = record0->bytes;
    write.replace(0, 4, bytes("00 00 00 C0"));
    write.replace(4, 4, addressBytes(fleet.address(77)));
    write[10] = 0;
    write.replace(24, 2, bytes("15 27")); // port 10005
    const auto ack = pc.exchange(fleet.address(10), fleet.port(), write);
    ASSERT_TRUE(ack);
    EXPECT_EQ(ack->from, fleet.address(10));
    EXPECT_EQ(hex(ack->bytes), "00 00 00 C8");
    ASSERT_TRUE(fleet.waitUntilUp());

    EXPECT_FALSE(pc.exchange(fleet.address(10), fleet.port(), kSearchA, kQuietMs));
    const auto moved = pc.exchange(fleet.address(77), fleet.port(), kSearchA);
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->from, fleet.address(77));
    EXPECT_EQ(moved->bytes.substr(10, 6), addressBytes(fleet.address(77)) + bytes("15 27"));
    simtest::TcpClient oldPort;
    simtest::TcpClient newPort;
    EXPECT_EQ(oldPort.connect(fleet.address(77), 10001), ECONNREFUSED);
    EXPECT_EQ(newPort.connect(fleet.address(77), 10005), 0);
}

TEST(SimRecords, WriteAnswerReplacesTheAcknowledgementOfEveryWrite)
{
    LoopbackFleet fleet(R"({ "kind": 0, "address": "$10", "writeAnswer": "00 00 00 C0" })");
    UdpClient pc;
    auto record3 = pc.exchange(fleet.address(10), fleet.port(), recordQuery(3));
    ASSERT_TRUE(record3);
    record3->bytes.replace(0, 4, bytes("00 01 00 C3"));
    const auto ack = pc.exchange(fleet.address(10), fleet.port(), record3->bytes);
    ASSERT_TRUE(ack);
    EXPECT_EQ(hex(ack->bytes), "00 00 00 C0");
}

TEST(SimRecords, AddressSetDatagramMovesOnlyTheUnitWithThatHardwareAddress)
{
    LoopbackFleet fleet(R"({ "kind": 0, "address": "$10", "mac": "00:11:22:33:44:55" },
                           { "kind": 0, "address": "$11", "mac": "00:11:22:33:44:66" },
                           { "kind": 0, "address": "$12", "mac": "00:11:22:33:77:88", "lease": "$40" })");
    UdpClient pc;
    pc.send(fleet.broadcast(), fleet.port(),
        bytes("00 00 00 FC") + "IP-SETUP" + bytes("00 00 44 66") + addressBytes(fleet.address(60)));
    pc.send(fleet.broadcast(), fleet.port(),
        bytes("00 00 00 FC") + "IP-SETUP" + bytes("00 00 77 88 00 00 00 00"));
    EXPECT_TRUE(pc.receiveAll(kQuietMs).empty()) << "the address set is not answered";
    ASSERT_TRUE(fleet.waitUntilUp());

    pc.send(fleet.broadcast(), fleet.port(), kSearchA);
    std::set<std::string> sources;
    for (const auto& answer : pc.receiveAll(kQuietMs))
        sources.insert(answer.from);
    EXPECT_EQ(sources, (std::set<std::string> { fleet.address(10), fleet.address(60), fleet.address(40) }));
    // Address 0.0.0.0 switched the third unit to DHCP: its record 0 address bytes are all zero.
    const auto record0 = pc.exchange(fleet.address(40), fleet.port(), recordQuery(0));
    ASSERT_TRUE(record0);
    EXPECT_EQ(record0->bytes.substr(4, 4), bytes("00 00 00 00"));
}

TEST(SimRecords, ARecordWriteByBroadcastIsRefused)
{
    LoopbackFleet fleet(R"({ "kind": 0, "address": "$10" }, { "kind": 0, "address": "$11" })");
    UdpClient pc;
    auto record0 = pc.exchange(fleet.address(10), fleet.port(), recordQuery(0));
    ASSERT_TRUE(record0);
    std::string write = record0->bytes;
    write.replace(0, 4, bytes("00 00 00 C0"));
    write.replace(4, 4, addressBytes(fleet.address(77)));
    pc.send(fleet.broadcast(), fleet.port(), write);
    EXPECT_TRUE(pc.receiveAll(kQuietMs).empty());
    pc.send(fleet.broadcast(), fleet.port(), kSearchA);
    EXPECT_EQ(pc.receiveAll(kQuietMs).size(), 2u);
    const auto after = pc.exchange(fleet.address(11), fleet.port(), recordQuery(0));
    ASSERT_TRUE(after);
    EXPECT_EQ(after->bytes.substr(4, 4), addressBytes(fleet.address(11)));
    EXPECT_NE(fleet.log().find("\"refused\":\"broadcast\""), std::string::npos);
}

struct BadDatagramCase {
    const char* label;
    std::string datagram;
};

class SimBadDatagram : public ::testing::TestWithParam<BadDatagramCase> { };

TEST_P(SimBadDatagram, IsIgnoredAndChangesNothing)
{
    LoopbackFleet fleet(R"({ "kind": 0, "address": "$10", "mac": "00:11:22:33:44:55" })");
    UdpClient pc;
    const auto before = pc.exchange(fleet.address(10), fleet.port(), recordQuery(0));
    ASSERT_TRUE(before);
    EXPECT_FALSE(pc.exchange(fleet.address(10), fleet.port(), GetParam().datagram, kQuietMs));
    EXPECT_TRUE(fleet.simulator().isUp(0));
    const auto after = pc.exchange(fleet.address(10), fleet.port(), recordQuery(0));
    ASSERT_TRUE(after);
    EXPECT_EQ(hex(after->bytes), hex(before->bytes));
}

INSTANTIATE_TEST_SUITE_P(Datagrams, SimBadDatagram,
    ::testing::Values(BadDatagramCase { "recordAnswerCode", bytes("00 00 00 E8") },
        BadDatagramCase { "searchWithTail", bytes("00 00 00 F6 00") },
        BadDatagramCase { "writeHeaderOnly", bytes("00 00 00 C0") },
        BadDatagramCase { "record0WriteOf130", bytes("00 00 00 C0") + std::string(126, '\x01') },
        BadDatagramCase { "record3WriteOf124", bytes("00 01 00 C3") + std::string(120, '\x01') },
        BadDatagramCase { "unknownWriteFlag", bytes("00 02 00 C0") + std::string(120, '\x01') },
        BadDatagramCase { "addressSetShort", bytes("00 00 00 FC") + "IP-SETUP" + bytes("00 00 44 55 0A") },
        BadDatagramCase {
            "addressSetWrongMark", bytes("00 00 00 FC") + "IP-SETUQ" + bytes("00 00 44 55 0A 00 00 01") },
        BadDatagramCase { "searchBLowerCase", "ln" }, BadDatagramCase { "empty", "" }),
    [](const auto& info) { return std::string(info.param.label); });

TEST(SimDiscovery, EveryRequestIsLoggedWithItsBytesAndAnswer)
{
    LoopbackFleet fleet(R"({ "kind": 0, "address": "$10" })");
    UdpClient pc;
    ASSERT_TRUE(pc.exchange(fleet.address(10), fleet.port(), recordQuery(5)));
    pc.send(fleet.address(10), fleet.port(), bytes("01 02"));
    pc.receiveAll(kQuietMs);
    const std::string log = fleet.log();
    EXPECT_NE(log.find("\"hex\":\"00 00 00 E5\""), std::string::npos) << log;
    EXPECT_NE(log.find("\"request\":\"record5\""), std::string::npos) << log;
    EXPECT_NE(log.find("\"answer\":\"00 00 00 ED 00"), std::string::npos) << log;
    EXPECT_NE(log.find("\"hex\":\"01 02\""), std::string::npos) << log;
    EXPECT_NE(log.find("\"request\":\"unknown\""), std::string::npos) << log;
}

} // namespace

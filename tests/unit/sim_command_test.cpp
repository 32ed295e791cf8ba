// The simulator's TCP command port, exercised from the PC's side over loopback.
#include "command_stream.h"
#include "sim_test_client.h"

using simtest::bytes;
using simtest::hex;
using simtest::LoopbackFleet;
using simtest::TcpClient;

namespace {

constexpr int kQuietMs = 300;
constexpr uint16_t kPort = 10001;
const std::string kEnd = bytes("C8");

// ---- cutting the byte stream into requests ----

struct StreamCase {
    const char* label;
    std::string input;
    std::vector<std::string> requests;
};

class SimCommandStream : public ::testing::TestWithParam<StreamCase> { };

TEST_P(SimCommandStream, CutsRequestsWhereTheUnitWould)
{
    sim::CommandStream stream;
    std::vector<std::string> requests;
    std::string request;
    for (char c : GetParam().input) {
        if (stream.push(static_cast<uint8_t>(c), request))
            requests.push_back(request);
    }
    EXPECT_EQ(requests, GetParam().requests);
}

INSTANTIATE_TEST_SUITE_P(Streams, SimCommandStream,
    ::testing::Values(StreamCase { "oldModelQuery", "UU", { "UU" } },
        StreamCase { "oldThenExtendedQuery", "UUMI" + kEnd, { "UU", "MI" + kEnd } },
        // A short command's value may be C8h: it is not an end mark there.
        StreamCase { "shortWriteOfC8", bytes("91 C8 90 00"), { bytes("91 C8"), bytes("90 00") } },
        StreamCase { "loneUIsDropped", "UMI" + kEnd, { "MI" + kEnd } },
        StreamCase { "framesBackToBack", "NJ!" + kEnd + "AK!" + kEnd, { "NJ!" + kEnd, "AK!" + kEnd } },
        StreamCase { "unfinishedFrameWaits", "MR0571", {} },
        StreamCase { "overlongFrameIsCut", std::string(70, 'A'), { std::string(64, 'A') } }),
    [](const auto& info) { return std::string(info.param.label); });

// ---- the model query ----

struct ModelCase {
    const char* label;
    const char* unit;
    const char* oldAnswer; // to "UU"; empty: none
    const char* extendedAnswer; // to "MI" C8h; empty: none
};

class SimModelQuery : public ::testing::TestWithParam<ModelCase> { };

// As the product asks: "UU", and only when that stays unanswered, "MI" C8h on the same connection.
TEST_P(SimModelQuery, AnswersInTheFormOfItsGeneration)
{
    const ModelCase& param = GetParam();
    LoopbackFleet fleet(param.unit);
    TcpClient pc;
    ASSERT_EQ(pc.connect(fleet.address(10), kPort), 0);
    pc.send("UU");
    EXPECT_EQ(hex(pc.receive(2, kQuietMs)), hex(bytes(param.oldAnswer)));
    pc.send("MI" + kEnd);
    EXPECT_EQ(hex(pc.receiveFrame(kQuietMs)), hex(bytes(param.extendedAnswer)));
}

INSTANTIATE_TEST_SUITE_P(Models, SimModelQuery,
    ::testing::Values(
        // First generation: model in bits 4-6, 15 minus the switch in the low nibble.
        ModelCase {
            "model3Switch5", R"({ "kind": 0, "address": "$10", "model": 3, "switch": 5 })", "3A 00", "" },
        ModelCase { "model6Switch0", R"({ "kind": 1, "address": "$10", "model": 6 })", "6F 00", "" },
        ModelCase {
            "model0SwitchF", R"({ "kind": 0, "address": "$10", "model": 0, "switch": 15 })", "00 00", "" },
        // Analog models cannot be told in three bits: they answer the extended query only.
        ModelCase { "analog8", R"({ "kind": 0, "address": "$10", "model": 8, "switch": 3 })", "",
            "6D 69 0C 08 00 00 C8" },
        ModelCase { "newer17", R"({ "kind": 4, "address": "$10", "model": 17, "switch": 1 })", "",
            "6D 69 0E 0F 01 00 C8" },
        ModelCase {
            "cascade18", R"({ "kind": 4, "address": "$10", "model": 18 })", "", "6D 69 0F 0F 02 00 C8" },
        ModelCase { "cascade32", R"({ "kind": 4, "address": "$10", "model": 32, "switch": 15 })", "",
            "6D 69 00 0F 0F 00 C8" },
        ModelCase {
            "cascade46", R"({ "kind": 4, "address": "$10", "model": 46 })", "", "6D 69 0F 0F 0F 0E C8" },
        ModelCase { "forcedExtended", R"({ "kind": 0, "address": "$10", "model": 2, "modelAnswer": "mi" })",
            "", "6D 69 0F 02 00 00 C8" },
        ModelCase { "neverAnswers", R"({ "kind": 0, "address": "$10", "model": 2, "modelAnswer": "none" })",
            "", "" }),
    [](const auto& info) { return std::string(info.param.label); });

// ---- request/answer exchanges on one connection ----

using simtest::Exchange;

struct CommandCase {
    const char* label;
    const char* unit;
    std::vector<Exchange> exchanges;
};

class SimCommands : public ::testing::TestWithParam<CommandCase> { };

TEST_P(SimCommands, AnswerAsAUnitDoes)
{
    const CommandCase& param = GetParam();
    LoopbackFleet fleet(param.unit);
    simtest::expectExchanges(fleet.address(10), kPort, param.exchanges, kQuietMs);
}

const char kFirstGeneration[] = R"({ "kind": 0, "address": "$10", "model": 1 })";
const char kNewer[] = R"({ "kind": 4, "address": "$10", "model": 17, "registers": { "49": 2, "7F": 255 } })";

INSTANTIATE_TEST_SUITE_P(Commands, SimCommands,
    ::testing::Values(CommandCase { "shortWriteThenRead", kFirstGeneration,
                          { { bytes("94 35"), bytes("94 35") }, { bytes("95 07"), bytes("95 07") },
                              { bytes("90 03"), bytes("90 35") }, { bytes("90 04"), bytes("90 07") },
                              { bytes("90 00"), bytes("90 00") } } },
        CommandCase { "shortWriteOfEndMarkValue", kFirstGeneration,
            { { bytes("91 C8"), bytes("91 C8") }, { bytes("90 00"), bytes("90 C8") } } },
        CommandCase { "shortReadOfUnknownSubcode", kFirstGeneration, { { bytes("90 0F"), "" } } },
        // Echo rule: "MR" is answered by "mr", "MW" by "mw"; data as two hex digits per byte.
        CommandCase { "registersFromTheFleetFile", kNewer,
            { { "MR0491" + kEnd, "mr0491" + std::string("02") + kEnd },
                { "MR07F1" + kEnd, "mr07F1FF" + kEnd } } },
        CommandCase { "memoryWriteThenRead", kNewer,
            { { "MW0573A5B6C7" + kEnd, "mwOK" + kEnd }, { "MR0573" + kEnd, "mr0573A5B6C7" + kEnd },
                { "MR0562" + kEnd, "mr056200A5" + kEnd }, { "MW0571ff" + kEnd, "mwOK" + kEnd },
                { "MR0571" + kEnd, "mr0571FF" + kEnd } } },
        CommandCase { "memoryRequestsRefused", kNewer,
            { { "MR07F2" + kEnd, "mrNG" + kEnd }, { "MR05Z1" + kEnd, "mrNG" + kEnd },
                { "MR057" + kEnd, "mrNG" + kEnd }, { "MW0572AB" + kEnd, "mwNG" + kEnd },
                { "MW0571G0" + kEnd, "mwNG" + kEnd }, { "MR0571" + kEnd, "mr057100" + kEnd } } },
        CommandCase { "alertSetThenRead", kFirstGeneration,
            { { "AL" + bytes("21 2A") + "00640032" + kEnd, "al" + bytes("21 2A") + "00640032" + kEnd },
                { "AK" + bytes("21") + kEnd, "ak" + bytes("21 2A") + "00640032" + kEnd },
                { "AK" + bytes("20") + kEnd, "ak" + bytes("20 20") + "00000000" + kEnd } } },
        CommandCase { "alertRequestsRefused", kFirstGeneration,
            { { "AL" + bytes("21 2A") + "0064003" + kEnd, "" },
                { "AL" + bytes("30 2A") + "00640032" + kEnd, "" }, { "AK" + bytes("21 21") + kEnd, "" } } },
        CommandCase { "noticeSetThenRead", kNewer,
            { { "NS" + bytes("22") + "7F" + kEnd, "ns" + bytes("22") + "7F" + kEnd },
                { "NJ" + bytes("22") + kEnd, "nj" + bytes("22") + "7F" + kEnd },
                { "NJ" + bytes("2F") + kEnd, "nj" + bytes("2F") + "00" + kEnd },
                { "NS" + bytes("22") + "7" + kEnd, "" }, { "NJ" + bytes("30") + kEnd, "" } } },
        CommandCase { "reset", kFirstGeneration,
            { { "RSET" + bytes("2A") + kEnd, "rs" + bytes("2A") + kEnd },
                { "RSET" + bytes("20") + kEnd, "rs" + bytes("20") + kEnd },
                { "RSET" + bytes("2B") + kEnd, "" } } },
        CommandCase { "unknownCommandThenKnown", kFirstGeneration,
            { { "XX" + kEnd, "" }, { "NJ" + bytes("20") + kEnd, "nj" + bytes("20") + "00" + kEnd } } }),
    [](const auto& info) { return std::string(info.param.label); });

TEST(SimCommandPort, ShortValuesOutliveTheConnection)
{
    LoopbackFleet fleet(kFirstGeneration);
    {
        TcpClient pc;
        ASSERT_EQ(pc.connect(fleet.address(10), kPort), 0);
        pc.send(bytes("93 42"));
        EXPECT_EQ(hex(pc.receive(2, 1000)), "93 42");
    }
    TcpClient again;
    ASSERT_EQ(again.connect(fleet.address(10), kPort), 0);
    again.send(bytes("90 02"));
    EXPECT_EQ(hex(again.receive(2, 1000)), "90 42");
}

TEST(SimCommandPort, ARestartDropsOpenConnections)
{
    LoopbackFleet fleet(kFirstGeneration);
    TcpClient pc;
    ASSERT_EQ(pc.connect(fleet.address(10), kPort), 0);
    simtest::UdpClient udp;
    auto record7 = udp.exchange(fleet.address(10), fleet.port(), bytes("00 00 00 E7"));
    ASSERT_TRUE(record7);
    record7->bytes.replace(0, 4, bytes("00 00 00 C7"));
    ASSERT_TRUE(udp.exchange(fleet.address(10), fleet.port(), record7->bytes));
    bool closed = false;
    pc.receive(1, 2000, &closed);
    EXPECT_TRUE(closed);
}

} // namespace

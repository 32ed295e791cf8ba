// The simulator's per-unit fault switches, seen from the PC's side over loopback.
#include "sim_test_client.h"

using simtest::bytes;
using simtest::hex;
using simtest::LoopbackFleet;
using simtest::TcpClient;
using simtest::UdpClient;

namespace {

constexpr uint16_t kPort = 10001;
constexpr int kPromptMs = 250; // an answer without fault comes well within this
constexpr int kLateWaitMs = 2500; // a late answer (600 ms here) comes well within this
const std::string kSearchA = bytes("00 00 00 F6");

// A model-3 unit at switch 5: "UU" is answered by 3A 00.
std::string unitWithFault(const std::string& fault)
{
    return R"({ "kind": 0, "address": "$10", "model": 3, "switch": 5, "fault": )" + fault + " }";
}

// ---- faults on the command port ----

struct TcpFaultCase {
    const char* label;
    const char* fault;
    int connectError;
    const char* prompt; // what comes at once
    const char* late; // what comes after the prompt time
    bool closed; // the unit closes the connection after what it sent
};

class SimTcpFault : public ::testing::TestWithParam<TcpFaultCase> { };

TEST_P(SimTcpFault, SpoilsTheModelAnswerAsSet)
{
    const TcpFaultCase& param = GetParam();
    LoopbackFleet fleet(unitWithFault(param.fault));
    TcpClient pc;
    ASSERT_EQ(pc.connect(fleet.address(10), kPort), param.connectError);
    if (param.connectError != 0)
        return;
    pc.send("UU");
    bool closed = false;
    const std::string prompt = pc.receive(2, kPromptMs, &closed);
    EXPECT_EQ(hex(prompt), hex(bytes(param.prompt)));
    std::string late;
    if (!closed)
        late = pc.receive(2 - prompt.size(), *param.late ? kLateWaitMs : kPromptMs, &closed);
    EXPECT_EQ(hex(late), hex(bytes(param.late)));
    if (!closed)
        pc.receive(1, kPromptMs, &closed);
    EXPECT_EQ(closed, param.closed);
}

INSTANTIATE_TEST_SUITE_P(Faults, SimTcpFault,
    ::testing::Values(TcpFaultCase { "none", R"({ "mode": "none" })", 0, "3A 00", "", false },
        TcpFaultCase { "silent", R"({ "mode": "silent" })", 0, "", "", false },
        TcpFaultCase { "late", R"({ "mode": "late", "delayMs": 600 })", 0, "", "3A 00", false },
        TcpFaultCase { "short", R"({ "mode": "short" })", 0, "3A", "", false },
        TcpFaultCase { "closeMidway", R"({ "mode": "close" })", 0, "3A", "", true },
        TcpFaultCase { "garbage", R"({ "mode": "garbage" })", 0, "70 71", "", false },
        TcpFaultCase { "refuse", R"({ "mode": "refuse" })", ECONNREFUSED, "", "", false },
        TcpFaultCase { "hangup", R"({ "mode": "hangup" })", 0, "", "", true },
        TcpFaultCase { "trickle", R"({ "mode": "trickle", "gapMs": 600 })", 0, "3A", "00", false },
        // The restarting unit drops the connection without an answer.
        TcpFaultCase { "restart", R"({ "mode": "restart" })", 0, "", "", true },
        TcpFaultCase {
            "onlyDatagrams", R"({ "mode": "silent", "channels": ["udp"] })", 0, "3A 00", "", false },
        TcpFaultCase {
            "otherRequest", R"({ "mode": "silent", "requests": ["MR", "record"] })", 0, "3A 00", "", false }),
    [](const auto& info) { return std::string(info.param.label); });

// ---- faults on the discovery port ----

struct UdpFaultCase {
    const char* label;
    const char* fault; // spoils the first matching answer only ("times": 1)
    const char* prompt; // what comes at once: "normal", "half" of it, or these bytes
    bool late; // the normal answer comes later
};

class SimUdpFault : public ::testing::TestWithParam<UdpFaultCase> { };

TEST_P(SimUdpFault, SpoilsTheSearchAnswerAsSet)
{
    const UdpFaultCase& param = GetParam();
    LoopbackFleet fleet(unitWithFault(param.fault));
    UdpClient pc;
    const auto prompt = pc.exchange(fleet.address(10), fleet.port(), kSearchA, kPromptMs);
    const auto late = param.late ? pc.receive(kLateWaitMs) : std::nullopt;
    const auto normal = pc.exchange(fleet.address(10), fleet.port(), kSearchA, kPromptMs);
    ASSERT_TRUE(normal);
    ASSERT_EQ(normal->bytes.size(), 30u);
    const std::string form = param.prompt;
    const std::string expected = form == "normal" ? normal->bytes
        : form == "half"                          ? normal->bytes.substr(0, 15)
                                                  : bytes(form);
    EXPECT_EQ(hex(prompt ? prompt->bytes : ""), hex(expected));
    if (param.late) {
        ASSERT_TRUE(late);
        EXPECT_EQ(hex(late->bytes), hex(normal->bytes));
    }
}

INSTANTIATE_TEST_SUITE_P(Faults, SimUdpFault,
    ::testing::Values(UdpFaultCase { "silent", R"({ "mode": "silent", "times": 1 })", "", false },
        UdpFaultCase { "late", R"({ "mode": "late", "delayMs": 600, "times": 1 })", "", true },
        UdpFaultCase { "cutShort", R"({ "mode": "short", "times": 1 })", "half", false },
        UdpFaultCase { "garbage", R"({ "mode": "garbage", "times": 1 })",
            "70 71 72 73 74 75 76 77 78 79 7A 7B 7C 7D 7E 7F 70 71 72 73 74 75 76 77 78 79 7A 7B 7C 7D",
            false },
        UdpFaultCase { "onlyConnections", R"({ "mode": "silent", "channels": ["tcp"] })", "normal", false },
        // Refusing, closing and trickling are about connections: datagrams are answered as usual.
        UdpFaultCase { "refuse", R"({ "mode": "refuse" })", "normal", false },
        UdpFaultCase { "close", R"({ "mode": "close" })", "normal", false },
        UdpFaultCase { "hangup", R"({ "mode": "hangup" })", "normal", false },
        UdpFaultCase { "trickle", R"({ "mode": "trickle" })", "normal", false }),
    [](const auto& info) { return std::string(info.param.label); });

TEST(SimFault, RequestFilterSpoilsOnlyTheNamedRecord)
{
    LoopbackFleet fleet(unitWithFault(R"({ "mode": "silent", "requests": ["record3"] })"));
    UdpClient pc;
    EXPECT_FALSE(pc.exchange(fleet.address(10), fleet.port(), bytes("00 00 00 E3"), kPromptMs));
    EXPECT_TRUE(pc.exchange(fleet.address(10), fleet.port(), bytes("00 00 00 E4"), kPromptMs));
    EXPECT_TRUE(pc.exchange(fleet.address(10), fleet.port(), kSearchA, kPromptMs));
}

TEST(SimFault, TimesLimitsTheSpoiledAnswers)
{
    LoopbackFleet fleet(unitWithFault(R"({ "mode": "silent", "requests": ["model"], "times": 2 })"));
    for (const char* expected : { "", "", "3A 00", "3A 00" }) {
        TcpClient pc;
        ASSERT_EQ(pc.connect(fleet.address(10), kPort), 0);
        pc.send("UU");
        EXPECT_EQ(hex(pc.receive(2, kPromptMs)), expected);
    }
}

TEST(SimFault, LatencyDelaysEveryAnswer)
{
    LoopbackFleet fleet(R"({ "kind": 0, "address": "$10", "model": 3, "switch": 5, "latencyMs": 600 })");
    UdpClient udp;
    EXPECT_FALSE(udp.exchange(fleet.address(10), fleet.port(), kSearchA, kPromptMs));
    EXPECT_TRUE(udp.receive(kLateWaitMs));
    TcpClient pc;
    ASSERT_EQ(pc.connect(fleet.address(10), kPort), 0);
    pc.send("UU");
    EXPECT_EQ(hex(pc.receive(2, kPromptMs)), "");
    EXPECT_EQ(hex(pc.receive(2, kLateWaitMs)), "3A 00");
}

TEST(SimFault, ShortAnswerLeavesTheConnectionSilentForLaterRequests)
{
    LoopbackFleet fleet(unitWithFault(R"({ "mode": "short", "requests": ["short"] })"));
    TcpClient pc;
    ASSERT_EQ(pc.connect(fleet.address(10), kPort), 0);
    pc.send(bytes("91 05"));
    EXPECT_EQ(hex(pc.receive(2, kPromptMs)), "91");
    pc.send("UU");
    EXPECT_EQ(hex(pc.receive(2, kPromptMs)), "");
}

TEST(SimFault, OversizedAnswerIsTheAnswerFollowedByWrongBytes)
{
    LoopbackFleet fleet(unitWithFault(R"({ "mode": "oversized" })"));
    TcpClient pc;
    ASSERT_EQ(pc.connect(fleet.address(10), kPort), 0);
    pc.send("UU");
    const std::string tcp = pc.receive(sim::Fault::kOversizedTcp + 1, kLateWaitMs);
    ASSERT_EQ(tcp.size(), sim::Fault::kOversizedTcp);
    EXPECT_EQ(hex(tcp.substr(0, 3)), "3A 00 70");

    UdpClient udp;
    const auto datagram = udp.exchange(fleet.address(10), fleet.port(), kSearchA, kPromptMs);
    ASSERT_TRUE(datagram);
    ASSERT_GT(datagram->bytes.size(), 32u); // the test client reads the first 2048 bytes of it
    EXPECT_EQ(hex(datagram->bytes.substr(0, 4)), "00 00 00 F7");
    EXPECT_EQ(hex(datagram->bytes.substr(30, 2)), "70 71");
}

TEST(SimFault, RestartOnADatagramLeavesItUnansweredUntilTheUnitIsBack)
{
    LoopbackFleet fleet(unitWithFault(R"({ "mode": "restart", "requests": ["record0"], "times": 1 })"));
    UdpClient pc;
    EXPECT_FALSE(pc.exchange(fleet.address(10), fleet.port(), bytes("00 00 00 E0"), kPromptMs));
    // Down for the fleet's restart time (150 ms), then it answers again.
    std::optional<simtest::Datagram> answer;
    for (int attempt = 0; attempt < 10 && !answer; ++attempt)
        answer = pc.exchange(fleet.address(10), fleet.port(), bytes("00 00 00 E0"), kPromptMs);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->bytes.size(), 124u);
}

} // namespace

#include "core/net/direct_command.h"
#include "core/net/net_results.h"
#include "core/platform/socket_error.h"
#include "core/settings/credential_scramble.h"
#include "core/settings/settings_message.h"
#include "core/settings/settings_writers.h"
#include "core/settings/write_plan.h"
#include "net_fake_units.h"
#include "platform_test_peer.h"
#include "sim_test_client.h"
#include "text_unit.h"

#include <chrono>
#include <gtest/gtest.h>
#include <mutex>

using namespace kovra;
using namespace kovra::test;

namespace {

// --- The plan as the operator reads it ---

TEST(WritePlanDescribe, EveryStepAsTheOperatorReadsIt)
{
    MailEntry entry { 1, "mx", 25, "u", "p", "a@x", "b@x", "", "S\t1" };
    const WritePlan plan {
        MessageStep { entryMailTestMessage(2, entry, { "!!!!!", "~~~~~", "abcde", "12345" }) },
        DirectStep { { DirectRequest { modeReadRequest(), kModeReadAnswerLength, false, 0 },
            DirectRequest { modeWriteRequest(3), kModeWriteAnswerLength, true, 50 },
            DirectRequest { "RSET\x25\xC8", 0, false, 0 } } },
        AccessorStep { Accessor::C, 60 },
        MemoryStep { 0x60, { 0x0A, 0x00, 0xFF } },
        RecordsStep {
            { SetupRecord { 0, std::vector<uint8_t>(124) }, SetupRecord { 7, std::vector<uint8_t>(130) } } },
        MessageStep { "END" },
    };
    EXPECT_EQ(describeWritePlan(plan),
        "1. settings message to port 9998, 146 bytes:\n"
        "  NORESET\\n\n"
        "  M2MODE\\r\\n\n"
        "  1\\r\\n\n"
        "  M2HOST\\r\\n\n"
        "  mx\\r\\n\n"
        "  M2PORT\\r\\n\n"
        "  25\\r\\n\n"
        "  E2USER\\r\\n\n"
        "  !!!!!"
            + ScrambleCredential("u", kUserShift)
            + "~~~~~\\r\\n\n"
              "  E2PASS\\r\\n\n"
              "  abcde"
            + ScrambleCredential("p", kPassShift)
            + "12345\\r\\n\n"
              "  M2FROM\\r\\n\n"
              "  a@x\\r\\n\n"
              "  M2TO1\\r\\n\n"
              "  b@x\\r\\n\n"
              "  M2TO2\\r\\n\n"
              "  \\r\\n\n"
              "  M2SUBJ\\r\\n\n"
              "  S<09>1\\r\\n\n"
              "  MAILTEST2\\n\n"
              "  END\\n\n"
              "2. direct commands on the command port:\n"
              "  MR0491<C8> -> 9 bytes\n"
              "  AP#<C8> -> 4 bytes, no echo check, pause 50 ms\n"
              "  RSET%<C8>\n"
              "3. accessor C = 60\n"
              "4. memory write from register 60h: 0A 00 FF\n"
              "5. stored records to the discovery port: 0 (124 bytes), 7 (130 bytes)\n"
              "6. settings message to port 9998, 3 bytes:\n"
              "  END\n");
}

// --- Running a plan against fake units ---

constexpr int kPauseMs = 60;
const Bytes kMarker = textBytes("ZZ", true);

// A command port that answers every framed request: "mw" + "OK" to memory writes, the
// request unchanged (no echo) to requests starting "NO", the echo otherwise.
void answerFrames(FakeConnection& connection)
{
    for (Bytes request = connection.readFrame(); !request.empty(); request = connection.readFrame()) {
        if (request[0] == 'M' && request[1] == 'W') {
            connection.write(textBytes("mwOK", true));
        } else if (request[0] == 'N' && request[1] == 'O') {
            connection.write(request);
        } else {
            Bytes answer = request;
            answer[0] = uint8_t(answer[0] + 0x20);
            answer[1] = uint8_t(answer[1] + 0x20);
            connection.write(answer);
        }
    }
}

class WritePlanRun : public testing::Test {
protected:
    // A kind-4 unit whose command port answers framed requests.
    WritePlanRun()
        : m_unit(nextLoopbackAddress(), answerFrames)
    {
        m_record.ipText = m_unit.ipText();
        parseIpv4(m_record.ipText, m_record.peerAddress);
        m_record.setUnitPort(m_unit.port());
        m_record.kind = kKindNewerWired;
    }

    // What the command port received per connection, with a marker connection made after
    // the plan: every connection the plan made has ended by the time the marker's has.
    std::vector<Bytes> receivedAfterPlan()
    {
        DirectCommand marker;
        std::string answer;
        EXPECT_EQ(marker.open(m_record), 0);
        EXPECT_EQ(marker.exchange(std::string(kMarker.begin(), kMarker.end()), kMarker.size(), answer), 0);
        marker.close();
        std::vector<Bytes> received = m_unit.received(size_t(m_unit.connections()));
        EXPECT_EQ(received.back(), kMarker);
        received.pop_back();
        return received;
    }

    LoopbackBinding m_binding;
    FakeCommandUnit m_unit;
    UnitRecord m_record;
};

TEST_F(WritePlanRun, StepsRunInOrderEachOnItsChannel)
{
    std::mutex mutex;
    std::vector<std::string> events;
    FakeDiscoveryUnit discovery(m_record.peerAddress, [&](const Bytes& request) -> std::vector<Bytes> {
        std::lock_guard<std::mutex> lock(mutex);
        events.push_back("record " + std::to_string(request.at(3)));
        return { Bytes(4, 0) };
    });
    const WritePlan plan {
        RecordsStep { { storedSetupRecord(m_record, 3), storedSetupRecord(m_record, 7) } },
        AccessorStep { Accessor::C, 0x3C },
        MemoryStep { 0x60, { 0x0A, 0x00, 0x14 } },
        DirectStep {
            { DirectRequest { "AP#\xC8", 4, false, kPauseMs }, DirectRequest { "AK!\xC8", 4, false, 0 } } },
    };
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(runWritePlan(plan, m_record), 0);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(kPauseMs));

    EXPECT_EQ(events, (std::vector<std::string> { "record 195", "record 199" }));
    // One connection per accessor and memory write, one for the whole direct step.
    EXPECT_EQ(receivedAfterPlan(),
        (std::vector<Bytes> { textBytes("MW040"
                                        "13C",
                                  true),
            textBytes("MW0603"
                      "0A0014",
                true),
            textBytes("AP#\xC8"
                      "AK!",
                true) }));
}

struct FailureCase {
    const char* name;
    WritePlan plan;
    int result;
    std::vector<Bytes> received; // on the command port, per connection
};

void PrintTo(const FailureCase& c, std::ostream* os)
{
    *os << c.name;
}

class WritePlanFailure : public WritePlanRun, public testing::WithParamInterface<FailureCase> { };

TEST_P(WritePlanFailure, FirstFailureEndsThePlan)
{
    const auto& c = GetParam();
    EXPECT_EQ(runWritePlan(c.plan, m_record), c.result);
    EXPECT_EQ(receivedAfterPlan(), c.received);
}

const AccessorStep kLaterStep { Accessor::E, 1 };

INSTANTIATE_TEST_SUITE_P(WritePlan, WritePlanFailure,
    testing::Values(
        // Nobody listens on the settings port of this address.
        FailureCase {
            "MessageRefused", { MessageStep { "END\r\n" }, kLaterStep }, kSocketConnectionRefused, {} },
        FailureCase { "RequestWithoutEndMark",
            { DirectStep { { DirectRequest { "AP#\xC8", 4 }, DirectRequest { "AP#", 4 },
                  DirectRequest { "AK!\xC8", 4 } } },
                kLaterStep },
            kRequestRefused, { textBytes("AP#", true) } },
        FailureCase { "EchoFails",
            { DirectStep { { DirectRequest { "NO!\xC8", 4 }, DirectRequest { "AK!\xC8", 4 } } }, kLaterStep },
            kSendRecvEchoMismatch, { textBytes("NO!", true) } },
        FailureCase { "EchoNotChecked",
            { DirectStep { { DirectRequest { "NO!\xC8", 4, true } } }, MemoryStep { 0x60, {} }, kLaterStep },
            kRequestRefused, { textBytes("NO!", true) } },
        FailureCase { "AccessorValueOutOfRange", { AccessorStep { Accessor::C, 256 }, kLaterStep },
            kRequestRefused, {} },
        FailureCase { "RecordOfWrongSize",
            { RecordsStep { { SetupRecord { 3, std::vector<uint8_t>(12) } } }, kLaterStep }, kRequestRefused,
            {} }),
    [](const testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

// --- A plan against a simulated unit: the message reaches the settings port ---

TEST(WritePlanSimulated, ModeReadThenKeepAliveMessage)
{
    LoopbackBinding binding;
    simtest::LoopbackFleet fleet(R"({ "kind": 6, "address": "$1", "model": 6, "port": 10005 })");
    UnitRecord record;
    record.ipText = fleet.address(1);
    record.setUnitPort(10005);
    const WritePlan plan {
        DirectStep { { DirectRequest { modeReadRequest(), kModeReadAnswerLength } } },
        MessageStep { sockKeepAliveMessage(3, 7200, 75, 9) },
    };
    ASSERT_EQ(runWritePlan(plan, record), 0);
    const std::string log = fleet.log();
    const size_t read = log.find("\"request\":\"MR\"");
    ASSERT_NE(read, std::string::npos);
    EXPECT_LT(read, log.find("\"request\":\"settings\""));
    const auto& unit = dynamic_cast<sim::TextUnit&>(fleet.simulator().unit(0));
    EXPECT_EQ(unit.parameter("K_IDL"), "7200");
    EXPECT_EQ(unit.parameter("SOCK"), "3");
}

} // namespace

TEST(WritePlanDescribe, MaskedPasswordsKeepTheirLineEnds)
{
    // Every password key of the units: the Wi-Fi one, the single account, clear and scrambled
    // entries; the other values stay as they are.
    const WritePlan plan { MessageStep {
        "SSID\r\nplant\r\nPASS\r\nwifi-key\r\nMPASS\nsmtp\nM1PASS\r\nclear\r\n"
        "E2PASS\r\nab~cd\r\nEND\r\n" } };
    EXPECT_EQ(describeWritePlan(plan, true),
        "1. settings message to port 9998, 75 bytes:\n"
        "  SSID\\r\\n\n"
        "  plant\\r\\n\n"
        "  PASS\\r\\n\n"
        "  *\\r\\n\n"
        "  MPASS\\n\n"
        "  *\\n\n"
        "  M1PASS\\r\\n\n"
        "  *\\r\\n\n"
        "  E2PASS\\r\\n\n"
        "  *\\r\\n\n"
        "  END\\r\\n\n");
    EXPECT_NE(describeWritePlan(plan).find("wifi-key"), std::string::npos);
}

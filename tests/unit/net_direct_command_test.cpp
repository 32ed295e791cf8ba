#include "core/net/direct_command.h"
#include "core/net/net_results.h"
#include "core/platform/socket_error.h"
#include "core/settings/settings_writers.h"
#include "net_fake_units.h"
#include "platform_test_peer.h"

#include <gtest/gtest.h>

using namespace kovra;
using namespace kovra::test;

namespace {

Bytes bytesOf(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

// A unit's command port that answers each framed request with reply(request), until the
// connection closes.
FakeCommandUnit::Session answering(std::function<Bytes(const Bytes&)> reply)
{
    return [reply = std::move(reply)](FakeConnection& connection) {
        for (Bytes request = connection.readFrame(); !request.empty(); request = connection.readFrame())
            connection.write(reply(request));
    };
}

// The echo a unit gives: the command letters + 20h, then the rest as it came.
Bytes echoed(const Bytes& request)
{
    Bytes answer = request;
    for (size_t i = 0; i < 2 && i < answer.size(); ++i)
        answer[i] = uint8_t(answer[i] + 0x20);
    return answer;
}

UnitRecord recordOf(const FakeCommandUnit& unit)
{
    UnitRecord record;
    record.ipText = unit.ipText();
    record.setUnitPort(unit.port());
    return record;
}

class DirectCommandTest : public testing::Test {
protected:
    LoopbackBinding m_binding;
};

TEST_F(DirectCommandTest, RequestsShareOneConnectionOnTheUnitsPort)
{
    FakeCommandUnit unit(nextLoopbackAddress(), answering([](const Bytes& request) {
        return request == bytesOf(modeReadRequest()) ? textBytes("mr049107", true) : echoed(request);
    }));
    DirectCommand command;
    ASSERT_EQ(command.open(recordOf(unit)), 0);
    std::string answer;
    ASSERT_EQ(command.exchange(modeReadRequest(), kModeReadAnswerLength, answer), 0);
    int value = -1;
    ASSERT_TRUE(parseModeReadAnswer(answer, value));
    EXPECT_EQ(value, 7);
    ASSERT_EQ(command.exchange(modeWriteRequest(value + 1), kModeWriteAnswerLength, answer), 0);
    EXPECT_EQ(answer, "ap(\xC8");
    command.close();

    EXPECT_EQ(unit.received(), (std::vector<Bytes> { bytesOf(modeReadRequest() + modeWriteRequest(8)) }));
    EXPECT_EQ(unit.connections(), 1);
}

TEST_F(DirectCommandTest, RequestWithoutEndMarkIsRefusedUnsent)
{
    FakeCommandUnit unit(nextLoopbackAddress(), answering(echoed));
    DirectCommand command;
    ASSERT_EQ(command.open(recordOf(unit)), 0);
    for (const std::string& request : { std::string(), std::string("AP#"), modeWriteRequest(0xA8) }) {
        std::string answer = "left from before";
        EXPECT_EQ(command.exchange(request, 4, answer), kRequestRefused) << request;
        EXPECT_EQ(answer, "");
    }
    std::string answer;
    EXPECT_EQ(command.exchange("NJ!\xC8", 4, answer), 0);
    command.close();
    EXPECT_EQ(unit.received(), (std::vector<Bytes> { textBytes("NJ!", true) }));
}

TEST_F(DirectCommandTest, AnswerOnlyWhenAccepted)
{
    // The unit repeats the request unchanged: no echo.
    FakeCommandUnit unit(nextLoopbackAddress(), answering([](const Bytes& request) { return request; }));
    DirectCommand command;
    ASSERT_EQ(command.open(recordOf(unit)), 0);
    std::string answer = "left from before";
    EXPECT_EQ(command.exchange("AP#\xC8", 4, answer), kSendRecvEchoMismatch);
    EXPECT_EQ(answer, "");
    EXPECT_EQ(command.exchange("AP#\xC8", 4, answer, true), 0);
    EXPECT_EQ(answer, "AP#\xC8");
    // Without an answer length nothing is awaited.
    EXPECT_EQ(command.exchange("AP$\xC8", 0, answer), 0);
    EXPECT_EQ(answer, "");
}

TEST_F(DirectCommandTest, OpenFailuresAndClosedChannel)
{
    DirectCommand command;
    std::string answer;
    EXPECT_EQ(command.exchange(modeReadRequest(), kModeReadAnswerLength, answer), kSocketNotConnected);
    UnitRecord record;
    EXPECT_EQ(command.open(record), kSendRecvEmptyAddress);
    const Ipv4 address = nextLoopbackAddress();
    record.ipText = ipv4ToText(address);
    record.setUnitPort(closedPort(address));
    EXPECT_EQ(command.open(record), kSocketConnectionRefused);
}

} // namespace

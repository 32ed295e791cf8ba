// Closing the window cancels the flows' scope: whatever a flow waits on ends at once with
// 10004, whether it already waited or starts waiting after the cancel.
#include "core/platform/cancel_scope.h"
#include "core/platform/connect_with_timeout.h"
#include "core/platform/socket.h"
#include "core/platform/socket_error.h"
#include "platform_test_peer.h"

#include <future>
#include <gtest/gtest.h>

using namespace kovra;
using namespace kovra::test;

namespace {

// Far beyond any test's patience: an operation that ends did so because of the cancel.
constexpr int kLongWaitMs = 30000;

struct BlockingCase {
    const char* name;
    // Runs one blocking operation; `started` is called just before it blocks.
    std::function<int(const std::function<void()>& started)> operation;
};

int receiveOnIdleUdpSocket(const std::function<void()>& started)
{
    Socket socket;
    if (createUdpSocket(socket) != 0 || setReceiveTimeout(socket, kLongWaitMs) != 0)
        return -1;
    uint8_t buffer[32];
    size_t received = 0;
    started();
    return receiveDatagram(socket, buffer, sizeof buffer, received);
}

int waitOnIdleUdpSocket(const std::function<void()>& started)
{
    Socket socket;
    if (createUdpSocket(socket) != 0)
        return -1;
    started();
    return waitReadable(socket, kLongWaitMs);
}

int receiveFromSilentPeer(const std::function<void()>& started)
{
    LoopbackPeer peer(holdUntilClientCloses);
    Socket socket;
    if (createTcpSocket(socket) != 0)
        return -1;
    // After a cancel the connect itself is what fails.
    const int connected = connectWithTimeout(socket, loopback(), peer.port(), 1000);
    if (connected != 0) {
        started();
        return connected;
    }
    if (setReceiveTimeout(socket, kLongWaitMs) != 0)
        return -1;
    uint8_t byte = 0;
    size_t received = 0;
    started();
    const int result = receiveSome(socket, &byte, 1, received);
    socket.close(); // the peer holds until the client closes
    return result;
}

int pauseLong(const std::function<void()>& started)
{
    started();
    return pauseFor(kLongWaitMs) ? 0 : kSocketInterrupted;
}

class CancelScopeBlocking : public testing::TestWithParam<BlockingCase> {
protected:
    LoopbackBinding m_binding;
};

// Runs the operation on a thread inside a scope that is cancelled once the operation is
// about to block, or before it starts.
int runCancelled(const BlockingCase& c, bool cancelWhileWaiting)
{
    CancelScope scope;
    if (!cancelWhileWaiting)
        scope.cancel();
    std::promise<void> started;
    auto result = std::async(std::launch::async, [&] {
        EnterCancelScope enter(&scope);
        return c.operation([&] { started.set_value(); });
    });
    started.get_future().wait();
    scope.cancel();
    return result.get();
}

TEST_P(CancelScopeBlocking, EndsAWaitAlreadyRunning)
{
    EXPECT_EQ(runCancelled(GetParam(), true), kSocketInterrupted);
}

TEST_P(CancelScopeBlocking, EndsAWaitStartedAfterTheCancel)
{
    EXPECT_EQ(runCancelled(GetParam(), false), kSocketInterrupted);
}

INSTANTIATE_TEST_SUITE_P(Operations, CancelScopeBlocking,
    testing::Values(BlockingCase { "UdpReceive", receiveOnIdleUdpSocket },
        BlockingCase { "UdpWait", waitOnIdleUdpSocket }, BlockingCase { "TcpReceive", receiveFromSilentPeer },
        BlockingCase { "Pause", pauseLong }),
    [](const testing::TestParamInfo<BlockingCase>& info) { return std::string(info.param.name); });

TEST(CancelScope, SocketsOutsideTheScopeAndClosedOnesAreLeftAlone)
{
    LoopbackBinding binding;
    CancelScope scope;
    Socket outside;
    ASSERT_EQ(createUdpSocket(outside), 0);
    {
        EnterCancelScope enter(&scope);
        Socket closed;
        ASSERT_EQ(createUdpSocket(closed), 0);
    }
    scope.cancel();
    EXPECT_FALSE(outside.cancelled());
    EXPECT_EQ(waitReadable(outside, 0), kSocketTimedOut);
    EXPECT_TRUE(pauseFor(0)) << "this thread is in no scope";
}

} // namespace

#include "core/platform/connect_with_timeout.h"
#include "core/platform/socket.h"
#include "core/platform/socket_error.h"
#include "unit/platform_test_peer.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <vector>

using namespace kovra;
using namespace kovra::test;
using Clock = std::chrono::steady_clock;

namespace {

long msSince(Clock::time_point start)
{
    return long(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

Ipv4 localAddressOf(const Socket& s, uint16_t* port = nullptr)
{
    sockaddr_in sa {};
    socklen_t length = sizeof sa;
    ::getsockname(s.fd(), reinterpret_cast<sockaddr*>(&sa), &length);
    if (port)
        *port = ntohs(sa.sin_port);
    return sa.sin_addr.s_addr;
}

} // namespace

class PlatformSocket : public ::testing::Test {
    LoopbackBinding m_binding;
};

TEST_F(PlatformSocket, SocketsBindToTheChosenAdapterWithAnyPort)
{
    setBindAddress(makeIpv4(127, 0, 0, 2));
    for (auto create : { createUdpSocket, createTcpSocket }) {
        Socket s;
        ASSERT_EQ(create(s), 0);
        uint16_t port = 0;
        EXPECT_EQ(ipv4ToText(localAddressOf(s, &port)), "127.0.0.2");
        EXPECT_NE(port, 0);
    }
}

TEST_F(PlatformSocket, AnAddressThisMachineDoesNotHaveCannotBeBound)
{
    setBindAddress(makeIpv4(203, 0, 113, 250));
    Socket s;
    EXPECT_EQ(createUdpSocket(s), -1);
    EXPECT_FALSE(s.isOpen());
    EXPECT_EQ(createTcpSocket(s), -1);
}

TEST_F(PlatformSocket, ClosesWhenLeavingScopeAndWhenMoved)
{
    int fd = -1;
    {
        Socket s;
        ASSERT_EQ(createUdpSocket(s), 0);
        fd = s.fd();
        Socket moved(std::move(s));
        EXPECT_FALSE(s.isOpen());
        EXPECT_EQ(moved.fd(), fd);
    }
    EXPECT_EQ(::fcntl(fd, F_GETFD), -1);
    EXPECT_EQ(errno, EBADF);
}

TEST_F(PlatformSocket, ConnectToAnAcceptingPeerSucceedsAndLeavesTheSocketBlocking)
{
    LoopbackPeer peer([](int fd) { holdUntilClientCloses(fd); });
    Socket s;
    ASSERT_EQ(createTcpSocket(s), 0);
    EXPECT_EQ(connectWithTimeout(s, loopback(), peer.port(), kCommandTimeoutMs), 0);
    EXPECT_EQ(::fcntl(s.fd(), F_GETFL) & O_NONBLOCK, 0);
}

TEST_F(PlatformSocket, ARefusedConnectIsReportedAtOnce)
{
    uint16_t port = 0;
    const int closed = listenOnLoopback(1, port);
    ASSERT_GE(closed, 0);
    ::close(closed); // nothing listens on `port` any more

    Socket s;
    ASSERT_EQ(createTcpSocket(s), 0);
    const auto start = Clock::now();
    EXPECT_EQ(connectWithTimeout(s, loopback(), port, kCommandTimeoutMs), kSocketConnectionRefused);
    EXPECT_LT(msSince(start), 500);
    EXPECT_EQ(::fcntl(s.fd(), F_GETFL) & O_NONBLOCK, 0);
}

TEST_F(PlatformSocket, AConnectNobodyAnswersEndsWithTimeOutAfterTheWait)
{
    // A listener with backlog 0 queues one connection; once its queue is full the kernel
    // drops further SYNs unanswered, as an overloaded or filtered unit does.
    uint16_t port = 0;
    const int listener = listenOnLoopback(0, port);
    ASSERT_GE(listener, 0);
    std::vector<Socket> fillers;
    bool full = false;
    for (int i = 0; i < 8 && !full; ++i) {
        Socket filler;
        ASSERT_EQ(createTcpSocket(filler), 0);
        full = connectWithTimeout(filler, loopback(), port, 300) == kSocketTimedOut;
        fillers.push_back(std::move(filler));
    }
    ASSERT_TRUE(full) << "the listen queue never filled";

    Socket s;
    ASSERT_EQ(createTcpSocket(s), 0);
    const auto start = Clock::now();
    EXPECT_EQ(connectWithTimeout(s, loopback(), port, kCommandTimeoutMs), kSocketTimedOut);
    const long elapsed = msSince(start);
    EXPECT_GE(elapsed, 1300);
    EXPECT_LE(elapsed, 3000);
    EXPECT_EQ(::fcntl(s.fd(), F_GETFL) & O_NONBLOCK, 0);
    ::close(listener);
}

TEST_F(PlatformSocket, ReceiveReportsTimeOutAndPeerCloseDistinctly)
{
    LoopbackPeer peer([](int fd) {
        sendBytes(fd, "ab");
        holdUntilClientCloses(fd);
    });
    Socket s;
    ASSERT_EQ(createTcpSocket(s), 0);
    ASSERT_EQ(connectWithTimeout(s, loopback(), peer.port(), kCommandTimeoutMs), 0);
    ASSERT_EQ(setTimeouts(s, 200), 0);
    char buffer[8];
    size_t received = 0;
    EXPECT_EQ(receiveSome(s, buffer, sizeof buffer, received), 0);
    EXPECT_EQ(std::string(buffer, received), "ab");
    const auto start = Clock::now();
    EXPECT_EQ(receiveSome(s, buffer, sizeof buffer, received), kSocketTimedOut);
    EXPECT_GE(msSince(start), 150);
    EXPECT_EQ(received, 0u);

    LoopbackPeer closing([](int fd) { sendBytes(fd, "z"); });
    Socket t;
    ASSERT_EQ(createTcpSocket(t), 0);
    ASSERT_EQ(connectWithTimeout(t, loopback(), closing.port(), kCommandTimeoutMs), 0);
    ASSERT_EQ(setTimeouts(t, 1000), 0);
    EXPECT_EQ(receiveSome(t, buffer, sizeof buffer, received), 0);
    EXPECT_EQ(receiveSome(t, buffer, sizeof buffer, received), kSocketDisconnected);
}

TEST_F(PlatformSocket, SendingToAPeerThatHasGoneFailsInsteadOfSucceeding)
{
    LoopbackPeer peer([](int) {});
    Socket s;
    ASSERT_EQ(createTcpSocket(s), 0);
    ASSERT_EQ(connectWithTimeout(s, loopback(), peer.port(), kCommandTimeoutMs), 0);
    ASSERT_EQ(setTimeouts(s, 1000), 0);
    char c;
    size_t n = 0;
    ASSERT_EQ(receiveSome(s, &c, 1, n), kSocketDisconnected);
    // The first send draws the reset; a later one must report it (and not raise SIGPIPE).
    int result = 0;
    for (int i = 0; i < 10 && result == 0; ++i) {
        result = sendAll(s, "data", 4);
        if (result == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_EQ(result, kSocketConnectionReset);
}

TEST_F(PlatformSocket, DatagramsLongerThanTheBufferAreReportedAsTooLarge)
{
    Socket receiver;
    Socket sender;
    ASSERT_EQ(createUdpSocket(receiver), 0);
    ASSERT_EQ(createUdpSocket(sender), 0);
    uint16_t port = 0;
    localAddressOf(receiver, &port);
    uint16_t senderPort = 0;
    localAddressOf(sender, &senderPort);
    ASSERT_EQ(setReceiveTimeout(receiver, 1000), 0);

    ASSERT_EQ(sendDatagram(sender, loopback(), port, "0123456789", 10), 0);
    ASSERT_EQ(sendDatagram(sender, loopback(), port, "abc", 3), 0);
    char buffer[4];
    size_t received = 0;
    Ipv4 from = 0;
    uint16_t fromPort = 0;
    EXPECT_EQ(
        receiveDatagram(receiver, buffer, sizeof buffer, received, &from, &fromPort), kSocketMessageSize);
    EXPECT_EQ(std::string(buffer, received), "0123");
    EXPECT_EQ(from, loopback());
    EXPECT_EQ(fromPort, senderPort);
    EXPECT_EQ(receiveDatagram(receiver, buffer, sizeof buffer, received), 0);
    EXPECT_EQ(std::string(buffer, received), "abc");
    EXPECT_EQ(receiveDatagram(receiver, buffer, sizeof buffer, received), kSocketTimedOut);
}

TEST_F(PlatformSocket, BroadcastNeedsPermission)
{
    Socket s;
    ASSERT_EQ(createUdpSocket(s), 0);
    const Ipv4 loopbackBroadcast = makeIpv4(127, 255, 255, 255);
    // Sent to this test's own port, so nothing else on the machine sees it.
    uint16_t port = 0;
    localAddressOf(s, &port);
    EXPECT_EQ(sendDatagram(s, loopbackBroadcast, port, "x", 1), kSocketAccessDenied);
    ASSERT_EQ(allowBroadcast(s), 0);
    EXPECT_EQ(sendDatagram(s, loopbackBroadcast, port, "x", 1), 0);
}

TEST_F(PlatformSocket, DrainDropsOnlyWhatHasArrivedWithoutWaiting)
{
    Socket receiver;
    Socket sender;
    ASSERT_EQ(createUdpSocket(receiver), 0);
    ASSERT_EQ(createUdpSocket(sender), 0);
    uint16_t port = 0;
    localAddressOf(receiver, &port);
    const auto start = Clock::now();
    EXPECT_EQ(drainInput(receiver), 0u);
    EXPECT_LT(msSince(start), 100);

    ASSERT_EQ(sendDatagram(sender, loopback(), port, "stale", 5), 0);
    ASSERT_EQ(sendDatagram(sender, loopback(), port, "older", 5), 0);
    ASSERT_EQ(waitReadable(receiver, 1000), 0);
    EXPECT_EQ(drainInput(receiver), 10u);
    EXPECT_EQ(waitReadable(receiver, 0), kSocketTimedOut);
}

TEST_F(PlatformSocket, WaitReadableHonoursItsTimeOut)
{
    Socket s;
    ASSERT_EQ(createUdpSocket(s), 0);
    const auto start = Clock::now();
    EXPECT_EQ(waitReadable(s, 200), kSocketTimedOut);
    const long elapsed = msSince(start);
    EXPECT_GE(elapsed, 180);
    EXPECT_LT(elapsed, 1000);
    Socket closed;
    EXPECT_EQ(waitReadable(closed, 10), kSocketNotSocket);
}

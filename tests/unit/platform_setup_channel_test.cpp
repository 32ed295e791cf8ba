#include "core/platform/setup_channel.h"
#include "core/platform/socket_error.h"
#include "unit/platform_test_peer.h"

#include <chrono>
#include <gtest/gtest.h>
#include <vector>

using namespace kovra;
using namespace kovra::test;
using Clock = std::chrono::steady_clock;

namespace {

const std::string kGreeting = "KOVRA!\r\n>"; // any 9 bytes

long msSince(Clock::time_point start)
{
    return long(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

// Reads lines until one comes back empty.
std::vector<std::string> allLines(const Socket& channel)
{
    std::vector<std::string> lines;
    std::string line;
    while (readLine(channel, line) > 0)
        lines.push_back(line);
    return lines;
}

class PlatformSetupChannel : public ::testing::Test {
    LoopbackBinding m_binding;
};

} // namespace

TEST_F(PlatformSetupChannel, LinesEndAtNulAtTheirCapacityAndAtTheEndOfTheConnection)
{
    const std::string x300(300, 'x');
    const std::string y256(256, 'y');
    struct Case {
        const char* what;
        std::string sent; // after the greeting; the unit closes after it
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        { "carriage returns and line feeds are dropped, not line ends", "Mode\r\nM>\r\n", { "ModeM>" } },
        { "a NUL ends a line", std::string("ab\0cd", 5), { "ab", "cd" } },
        { "300 characters come back as 256 and 44", x300, { std::string(256, 'x'), std::string(44, 'x') } },
        { "a line end right after 256 characters gives no line of its own", y256 + "\r\n", { y256 } },
        { "a NUL right away is an empty line", std::string("\0later", 6), {} },
        { "nothing but the close", "", {} },
    };
    for (const auto& c : cases) {
        const std::string sent = c.sent;
        LoopbackPeer unit([&](int fd) { sendBytes(fd, kGreeting + sent); });
        Socket channel;
        ASSERT_EQ(openSetupChannel(loopback(), channel, unit.port()), 0) << c.what;
        EXPECT_EQ(allLines(channel), c.lines) << c.what;
    }
}

TEST_F(PlatformSetupChannel, OpeningDropsExactlyTheNineGreetingBytes)
{
    LoopbackPeer unit([](int fd) {
        sendBytes(fd, kGreeting);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        sendBytes(fd, "0123");
        holdUntilClientCloses(fd);
    });
    Socket channel;
    ASSERT_EQ(openSetupChannel(loopback(), channel, unit.port()), 0);
    char bytes[4] = {};
    size_t received = 0;
    EXPECT_EQ(readExact(channel, bytes, sizeof bytes, &received), 0);
    EXPECT_EQ(std::string(bytes, received), "0123");
}

TEST_F(PlatformSetupChannel, OpeningFailsWhenTheUnitDoesNotGreet)
{
    struct Case {
        const char* what;
        std::string sent;
        bool hold;
        int result;
    };
    const Case cases[] = {
        { "greeting cut short by the close", "KOVRA", false, kSocketDisconnected },
        { "greeting cut short, unit silent", "KOVRA", true, kSocketTimedOut },
    };
    for (const auto& c : cases) {
        LoopbackPeer unit([&](int fd) {
            sendBytes(fd, c.sent);
            if (c.hold)
                holdUntilClientCloses(fd);
        });
        Socket channel;
        EXPECT_EQ(openSetupChannel(loopback(), channel, unit.port()), c.result) << c.what;
        EXPECT_FALSE(channel.isOpen()) << c.what;
    }

    uint16_t port = 0;
    const int closed = listenOnLoopback(1, port);
    ::close(closed);
    Socket channel;
    EXPECT_EQ(openSetupChannel(loopback(), channel, port), kSocketConnectionRefused);
}

TEST_F(PlatformSetupChannel, ReadExactKeepsWhatCameBeforeATimeOut)
{
    // A unit without the asked block answers "9>" where a record header was expected.
    LoopbackPeer unit([](int fd) {
        sendBytes(fd, kGreeting + "9>");
        holdUntilClientCloses(fd);
    });
    Socket channel;
    ASSERT_EQ(openSetupChannel(loopback(), channel, unit.port()), 0);
    char header[9] = {};
    size_t received = 0;
    const auto start = Clock::now();
    EXPECT_EQ(readExact(channel, header, sizeof header, &received), kSocketTimedOut);
    EXPECT_GE(msSince(start), 900);
    EXPECT_EQ(std::string(header, received), "9>");
}

TEST_F(PlatformSetupChannel, WaitForLineFindsItsTextOrGivesUpOnAnEmptyLine)
{
    struct Case {
        const char* what;
        std::string sent;
        bool hold; // keep the connection open after sending
        const char* pattern;
        int result;
        std::string nextLine; // what follows the matching line
    };
    const std::string noise(300, '-');
    const Case cases[] = {
        { "text in a later line", std::string("Welcome\0Mode?\0rest", 18), true, "Mode", 0, "rest" },
        { "text after a line longer than 256", noise + "S3 0", true, "S3", 0, "" },
        { "the unit closes first", std::string("Hello\0", 6), false, "Mode", -1, "" },
        { "the unit goes silent", "Hello", true, ">", -1, "" },
    };
    for (const auto& c : cases) {
        LoopbackPeer unit([&](int fd) {
            sendBytes(fd, kGreeting + c.sent);
            if (c.hold)
                holdUntilClientCloses(fd);
        });
        Socket channel;
        ASSERT_EQ(openSetupChannel(loopback(), channel, unit.port()), 0) << c.what;
        EXPECT_EQ(waitForLine(channel, c.pattern), c.result) << c.what;
        if (!c.nextLine.empty()) {
            std::string line;
            readLine(channel, line);
            EXPECT_EQ(line, c.nextLine) << c.what;
        }
    }
}

// A unit that keeps talking and never shows the awaited text: the wait ends on its own, by
// its line count or its time budget, not when the unit stops.
TEST_F(PlatformSetupChannel, WaitForLineGivesUpOnAUnitThatTricklesForever)
{
    struct Case {
        const char* what;
        std::string piece; // sent again and again
        int pauseMs; // between pieces
        long atLeastMs;
        long atMostMs;
    };
    // The unit gives up after this long, so the wait ends even where it has no bound.
    constexpr int kTrickleForMs = 15000;
    const Case cases[] = {
        { "a line every 20 ms: the line count ends it", std::string("Status OK\0", 10), 20, 0,
            kSetupWaitBudgetMs - 1 },
        { "one byte every 100 ms, no line end: the time budget ends it", "x", 100, kSetupWaitBudgetMs - 100,
            kSetupWaitBudgetMs + kSetupTimeoutMs + 500 },
    };
    for (const auto& c : cases) {
        LoopbackPeer unit([&](int fd) {
            sendBytes(fd, kGreeting);
            const auto start = Clock::now();
            while (msSince(start) < kTrickleForMs
                && ::send(fd, c.piece.data(), c.piece.size(), MSG_NOSIGNAL) == ssize_t(c.piece.size()))
                std::this_thread::sleep_for(std::chrono::milliseconds(c.pauseMs));
        });
        Socket channel;
        ASSERT_EQ(openSetupChannel(loopback(), channel, unit.port()), 0) << c.what;
        const auto start = Clock::now();
        EXPECT_EQ(waitForLine(channel, ">"), -1) << c.what;
        const long took = msSince(start);
        EXPECT_GE(took, c.atLeastMs) << c.what;
        EXPECT_LE(took, c.atMostMs) << c.what;
        closeChannel(channel);
    }
}

TEST_F(PlatformSetupChannel, SendTextArrivesWholeAndClosingTwiceIsHarmless)
{
    std::string heard;
    {
        LoopbackPeer unit([&](int fd) {
            sendBytes(fd, kGreeting);
            char buffer[64];
            ssize_t n;
            while ((n = ::recv(fd, buffer, sizeof buffer, 0)) > 0)
                heard.append(buffer, size_t(n));
        });
        Socket channel;
        ASSERT_EQ(openSetupChannel(loopback(), channel, unit.port()), 0);
        EXPECT_EQ(sendText(channel, "G0\r\n"), 0);
        EXPECT_EQ(sendText(channel, "RS\r\n"), 0);
        closeChannel(channel);
        closeChannel(channel);
        EXPECT_FALSE(channel.isOpen());
    }
    EXPECT_EQ(heard, "G0\r\nRS\r\n");
}

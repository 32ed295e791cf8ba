#include "core/platform/setup_channel.h"

#include "core/platform/cancel_scope.h"
#include "core/platform/connect_with_timeout.h"

#include <chrono>

namespace kovra {

namespace {
constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';
constexpr char kLineEnd = '\0';

using Clock = std::chrono::steady_clock;

// readLine that also stops at the deadline, so a unit trickling one byte at a time inside
// the receive time-out cannot stretch a single line without end.
int readLineUntil(const Socket& channel, std::string& line, Clock::time_point deadline)
{
    line.clear();
    while (line.size() < kSetupLineCapacity && Clock::now() < deadline) {
        char c = 0;
        size_t n = 0;
        if (receiveSome(channel, &c, 1, n) != 0 || c == kLineEnd)
            break;
        if (c != kCarriageReturn && c != kLineFeed)
            line.push_back(c);
    }
    return int(line.size());
}
} // namespace

int openSetupChannel(Ipv4 unit, Socket& channel, uint16_t port)
{
    channel.close();
    Socket s;
    if (createTcpSocket(s) != 0)
        return -1;
    int result = connectWithTimeout(s, unit, port, kSetupConnectTimeoutMs);
    if (result == 0)
        result = setTimeouts(s, kSetupTimeoutMs);
    if (result == 0) {
        char greeting[kSetupGreetingBytes];
        result = readExact(s, greeting, sizeof greeting);
    }
    if (result == 0)
        channel = std::move(s);
    return result;
}

int readExact(const Socket& channel, void* buffer, size_t count, size_t* received)
{
    char* bytes = static_cast<char*>(buffer);
    size_t done = 0;
    int result = 0;
    while (done < count && result == 0) {
        size_t n = 0;
        result = receiveSome(channel, bytes + done, count - done, n);
        done += n;
    }
    if (received)
        *received = done;
    return result;
}

int readLine(const Socket& channel, std::string& line)
{
    return readLineUntil(channel, line, Clock::time_point::max());
}

int waitForLine(const Socket& channel, const std::string& pattern)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(kSetupWaitBudgetMs);
    std::string line;
    for (int lines = 0; lines < kSetupWaitMaxLines; ++lines) {
        if (readLineUntil(channel, line, deadline) == 0)
            return -1;
        if (line.find(pattern) != std::string::npos)
            return 0;
        if (Clock::now() >= deadline)
            return -1;
        if (!pauseFor(kSetupLinePauseMs))
            return -1;
    }
    return -1;
}

int sendText(const Socket& channel, const std::string& text)
{
    return sendAll(channel, text.data(), text.size());
}

void closeChannel(Socket& channel)
{
    channel.close();
}

} // namespace kovra

#include "core/platform/setup_channel.h"

#include "core/platform/connect_with_timeout.h"

#include <chrono>
#include <thread>

namespace kovra {

namespace {
constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';
constexpr char kLineEnd = '\0';
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
    line.clear();
    while (line.size() < kSetupLineCapacity) {
        char c = 0;
        size_t n = 0;
        if (receiveSome(channel, &c, 1, n) != 0 || c == kLineEnd)
            break;
        if (c != kCarriageReturn && c != kLineFeed)
            line.push_back(c);
    }
    return int(line.size());
}

int waitForLine(const Socket& channel, const std::string& pattern)
{
    std::string line;
    for (;;) {
        if (readLine(channel, line) == 0)
            return -1;
        if (line.find(pattern) != std::string::npos)
            return 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(kSetupLinePauseMs));
    }
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

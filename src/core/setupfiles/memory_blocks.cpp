#include "core/setupfiles/memory_blocks.h"

#include "core/platform/cancel_scope.h"
#include "core/platform/socket_error.h"
#include "core/setupfiles/memory_records.h"
#include "core/setupfiles/rec_image.h"

#include <chrono>
#include <fstream>
#include <iterator>

namespace kovra {

namespace {
constexpr const char* kModePrompt = "Mode";
constexpr const char* kModeChoice = "M";
constexpr const char* kCommandPrompt = ">";
constexpr const char* kRestart = "RS\r\n";
constexpr const char* kLineEnd = "\r\n";
constexpr size_t kCommandEchoBytes = 5;
constexpr size_t kBlockEndBytes = 2;
constexpr size_t kAcknowledgementBytes = 3;
constexpr char kAcknowledged = '0';
// The limit of a .rec file: every block of the read order and its number.
constexpr size_t kMaxRecImage = kRecHeaderBytes + 1 + kBlock0Bytes + 7 * (1 + kBlockBytes);

// A closing window ends the pause at once; the console socket, shut down with it, then fails
// the next exchange.
void pause(int ms)
{
    pauseFor(ms);
}

enum class ConsoleOpen { Ready, NoConnection, NoHandshake };

// Connect, then the "Mode" / "M" / ">" hand-shake.
ConsoleOpen openConsole(const std::string& ipText, uint16_t port, Socket& console)
{
    Ipv4 unit = 0;
    if (!parseIpv4(ipText, unit) || openSetupChannel(unit, console, port) != 0)
        return ConsoleOpen::NoConnection;
    if (waitForLine(console, kModePrompt) != 0 || sendText(console, kModeChoice) != 0
        || waitForLine(console, kCommandPrompt) != 0)
        return ConsoleOpen::NoHandshake;
    return ConsoleOpen::Ready;
}

using Clock = std::chrono::steady_clock;

// A block's answer (echo, records, end) must be whole within this time from its command,
// however its bytes arrive: each read waits at most kSetupTimeoutMs, but a unit sending a
// byte now and then would otherwise hold a save for minutes.
constexpr auto kBlockAnswerBudget = std::chrono::milliseconds(3 * kSetupTimeoutMs);

// readExact that also gives up at `deadline`. A block is a few hundred characters: they are
// read one at a time, so that the deadline is checked between them.
int readBefore(
    const Socket& console, char* buffer, size_t count, Clock::time_point deadline, size_t* received = nullptr)
{
    size_t at = 0;
    int result = 0;
    for (; at < count && result == 0; ++at) {
        result = Clock::now() < deadline ? readExact(console, buffer + at, 1) : kSocketTimedOut;
        if (result != 0)
            break;
    }
    if (received)
        *received = at;
    return result;
}

enum class BlockRead { Done, Missing, Failed };

// The records of one block after its "G%d" echo, appended to `out`.
BlockRead readBlockRecords(const Socket& console, size_t length, Clock::time_point deadline, std::string& out)
{
    std::string block;
    for (;;) {
        std::string head(kRecordHeadChars, '\0');
        size_t got = 0;
        if (readBefore(console, head.data(), head.size(), deadline, &got) != 0) {
            const bool missing = got >= 2 && head.compare(0, 2, kNoSuchBlock) == 0;
            return missing && block.empty() ? BlockRead::Missing : BlockRead::Failed;
        }
        const int count = recordDataCount(head);
        if (head[0] != ':' || count < 0)
            return BlockRead::Failed;
        std::string digits(size_t(count) * 2, '\0');
        std::string tail(kRecordTailChars, '\0');
        if (readBefore(console, digits.data(), digits.size(), deadline) != 0 || !appendHexBytes(digits, block)
            || readBefore(console, tail.data(), tail.size(), deadline) != 0 || block.size() > length)
            return BlockRead::Failed;
        if (count == 0)
            break;
    }
    if (block.size() != length)
        return BlockRead::Failed;
    out += block;
    return BlockRead::Done;
}

int readBlocks(const Socket& console, std::string& image)
{
    for (const int n : kReadBlockOrder) {
        if (sendText(console, "G" + std::to_string(n) + kLineEnd) != 0)
            return kBlocksFailed;
        const Clock::time_point deadline = Clock::now() + kBlockAnswerBudget;
        pause(kBlockCommandPauseMs);
        char echo[kCommandEchoBytes];
        if (readBefore(console, echo, sizeof echo, deadline) != 0)
            return kBlocksFailed;
        image.push_back(char(n));
        const BlockRead read = readBlockRecords(console, memoryBlockLength(n), deadline, image);
        if (read == BlockRead::Missing) {
            image.pop_back();
            return kBlocksDone;
        }
        char end[kBlockEndBytes];
        if (read == BlockRead::Failed || readBefore(console, end, sizeof end, deadline) != 0)
            return kBlocksFailed;
        pause(kBlockCommandPauseMs);
    }
    return kBlocksDone;
}

int sendBlock(const Socket& console, int n, const std::string& bytes)
{
    const std::string records = blockRecords(bytes);
    for (size_t at = 0; at < records.size();) {
        const size_t next = records.find(':', at + 1);
        const size_t end = next == std::string::npos ? records.size() : next;
        if (sendText(console, records.substr(at, end - at)) != 0)
            return kBlocksSendFailed;
        pause(kRecordPauseMs);
        at = end;
    }
    if (sendText(console, kEndRecord) != 0)
        return kBlocksSendFailed;
    pause(kRecordPauseMs);
    char answer[kAcknowledgementBytes];
    if (waitForLine(console, "S" + std::to_string(n)) != 0 || readExact(console, answer, sizeof answer) != 0
        || answer[1] != kAcknowledged)
        return kBlocksNotAcknowledged;
    return kBlocksDone;
}

int writeBlocks(const Socket& console, const std::string& image)
{
    size_t at = kRecHeaderBytes;
    for (int entry = 0; entry < kMaxWrittenEntries; ++entry) {
        if (at >= image.size())
            return kBlocksFailed;
        const int n = static_cast<unsigned char>(image[at++]);
        const size_t length = memoryBlockLength(n);
        if (n == kUnwrittenBlock) {
            at += length;
            continue;
        }
        if (sendText(console, "S" + std::to_string(n) + kLineEnd) != 0)
            return kBlocksSendFailed;
        pause(kBlockCommandPauseMs);
        if (image.size() - at < length)
            return kBlocksFailed;
        const int result = sendBlock(console, n, image.substr(at, length));
        if (result != kBlocksDone)
            return result;
        at += length;
    }
    return kBlocksDone;
}
} // namespace

int ReadMemoryBlocks(const std::string& ipText, std::string& image, uint16_t port)
{
    image.assign(kRecHeader, kRecHeaderBytes);
    Socket console;
    const ConsoleOpen opened = openConsole(ipText, port, console);
    if (opened == ConsoleOpen::NoConnection)
        return kBlocksNoConnection;
    const int result = opened == ConsoleOpen::Ready ? readBlocks(console, image) : kBlocksFailed;
    closeChannel(console);
    return result;
}

int WriteMemoryBlocks(const std::string& path, const std::string& ipText, uint16_t port)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return kBlocksFileUnopened;
    // One byte over the longest image still shows the file for what it is (an entry beyond
    // the seventh is never read).
    std::string image(kMaxRecImage + 1, '\0');
    file.read(image.data(), std::streamsize(image.size()));
    image.resize(size_t(file.gcount()));
    return writeMemoryImage(image, ipText, port);
}

int writeMemoryImage(const std::string& image, const std::string& ipText, uint16_t port)
{
    if (image.size() < kRecHeaderBytes)
        return kBlocksFileNoHeader;
    Socket console;
    if (openConsole(ipText, port, console) != ConsoleOpen::Ready) {
        closeChannel(console);
        return kBlocksNoConnection;
    }
    int result = writeBlocks(console, image);
    if (result == kBlocksDone && sendText(console, kRestart) != 0)
        result = kBlocksNoConnection;
    closeChannel(console);
    return result;
}

} // namespace kovra

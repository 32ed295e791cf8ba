#include "memory_console.h"

#include "connection.h"
#include "hex_text.h"

namespace sim {

namespace {
const std::string kNul(1, '\0');
const std::string kGreeting = "\r\nKOVRA\r\n"; // nine bytes
const std::string kModePrompt = "Mode" + kNul;
const std::string kPrompt = ">" + kNul;
const std::string kLineEnd = "\r\n" + kNul;
const std::string kMissing = "9>";
const std::string kEndRecord = ":00000001FF";
constexpr int kRecordData = 32;
constexpr int kDataType = 0x10;

std::string hex2(int value)
{
    return HexText::format(static_cast<unsigned>(value & 0xFF), 2);
}

std::string record(int offset, const std::string& data)
{
    int sum = static_cast<int>(data.size()) + (offset >> 8) + (offset & 0xFF) + kDataType;
    std::string text
        = ":" + hex2(static_cast<int>(data.size())) + hex2(offset >> 8) + hex2(offset) + hex2(kDataType);
    for (const char c : data) {
        sum += static_cast<unsigned char>(c);
        text += hex2(static_cast<unsigned char>(c));
    }
    return text + hex2(-sum);
}

// Reads bytes up to "\n" (dropping "\r"); false when the connection ends first.
bool readLine(Connection& connection, std::string& line)
{
    line.clear();
    uint8_t byte = 0;
    while (connection.readByte(byte)) {
        if (byte == '\n')
            return true;
        if (byte != '\r')
            line.push_back(static_cast<char>(byte));
    }
    return false;
}

bool readChars(Connection& connection, size_t count, std::string& out)
{
    out.clear();
    uint8_t byte = 0;
    while (out.size() < count && connection.readByte(byte))
        out.push_back(static_cast<char>(byte));
    return out.size() == count;
}

// The block number of "G<n>" / "S<n>"; -1 for anything else.
int blockNumber(const std::string& line)
{
    if (line.size() != 2 || line[1] < '0' || line[1] > '9')
        return -1;
    return line[1] - '0';
}

int expectedLength(int n)
{
    return n == 0 ? MemoryConsole::kBlock0Length : MemoryConsole::kBlockLength;
}
} // namespace

MemoryConsole::MemoryConsole(Blocks blocks)
    : m_blocks(std::move(blocks))
{
}

void MemoryConsole::serve(Connection& connection)
{
    if (!connection.reply("console", "", kGreeting + kModePrompt))
        return;
    std::string line;
    bool commandMode = false;
    uint8_t byte = 0;
    // Until "M" the unit waits for the mode choice, byte by byte, without a line end.
    while (!commandMode && connection.readByte(byte)) {
        if (byte == 'M') {
            commandMode = true;
            if (!connection.reply("M", "M", kPrompt))
                return;
        }
    }
    bool restart = false;
    while (commandMode && readLine(connection, line)) {
        const int n = blockNumber(line);
        bool go = true;
        if (line == "RS") {
            restart = true;
            go = connection.reply("RS", line, {});
        } else if (line[0] == 'G' && n >= 0) {
            go = blockRead(connection, line, n);
        } else if (line[0] == 'S' && n >= 0) {
            go = blockWrite(connection, line, n);
        } else if (!line.empty()) {
            go = connection.reply("unknown", line, {});
        }
        if (!go)
            break;
    }
    if (restart)
        m_blocks.restart();
}

bool MemoryConsole::blockRead(Connection& connection, const std::string& line, int n)
{
    const std::string bytes = m_blocks.read(n);
    std::string answer = line + kLineEnd;
    if (bytes.empty())
        return connection.reply(line, line, answer + kMissing);
    for (size_t offset = 0; offset < bytes.size(); offset += kRecordData)
        answer += record(static_cast<int>(offset), bytes.substr(offset, kRecordData)) + kLineEnd;
    return connection.reply(line, line, answer + kEndRecord + kLineEnd + kPrompt);
}

bool MemoryConsole::blockWrite(Connection& connection, const std::string& line, int n)
{
    // The records come without line ends: ":" LL AAAA TT, the data, the checksum.
    std::string block;
    bool valid = !m_blocks.read(n).empty();
    for (;;) {
        std::string head;
        std::string rest;
        if (!readChars(connection, 9, head))
            return false;
        unsigned count = 0;
        unsigned offset = 0;
        unsigned type = 0;
        if (head[0] != ':' || !HexText::parse(head, 1, 2, count) || !HexText::parse(head, 3, 4, offset)
            || !HexText::parse(head, 7, 2, type)) {
            valid = false;
            break; // the rest of the stream cannot be told apart any more
        }
        if (!readChars(connection, 2 * count + 2, rest))
            return false;
        if (type == 1)
            break;
        std::string data;
        unsigned checksum = 0;
        const bool parsed = HexText::parseBytes(rest.substr(0, 2 * count), data)
            && HexText::parse(rest, 2 * count, 2, checksum);
        std::string expected = parsed ? record(static_cast<int>(offset), data) : std::string();
        valid = valid && parsed && type == kDataType && offset == block.size() && count <= kRecordData
            && expected == head + rest;
        block += data;
    }
    valid = valid && static_cast<int>(block.size()) == expectedLength(n);
    if (valid)
        m_blocks.write(n, block);
    return connection.reply(line, line + " (" + std::to_string(block.size()) + " bytes)",
        line + kLineEnd + (valid ? "R0" : "R1") + kNul);
}

} // namespace sim

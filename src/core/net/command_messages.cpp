#include "core/net/command_messages.h"

#include "core/platform/hex_digit.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>

namespace kovra {

namespace {

constexpr uint8_t kAlCodeOffset = 0x28;
constexpr int kAlClearFlagShift = 8; // the code is sent 8 lower when the flag is clear
constexpr uint8_t kRsetFlag = 0x20;
constexpr size_t kNjValueOffset = 3;
constexpr size_t kMemoryWriteOkOffset = 2;

// A byte value that travels as value + offset; -1 when it would not fit in a byte.
int offsetByte(int value, int offset)
{
    const int byte = value + offset;
    return byte >= 0 && byte <= 0xFF ? byte : -1;
}

void append(CommandBytes& bytes, const std::string& text)
{
    bytes.insert(bytes.end(), text.begin(), text.end());
}

CommandBytes framed(const char* letters, std::initializer_list<int> body)
{
    CommandBytes bytes { uint8_t(letters[0]), uint8_t(letters[1]) };
    for (int byte : body)
        bytes.push_back(uint8_t(byte));
    return bytes;
}

bool memoryArgumentsValid(int registerCode, int count)
{
    return registerCode >= 0 && registerCode < kRegisterLimit && count >= 1 && count <= kMemoryCountMax;
}

CommandBytes memoryHeader(const char* letters, int registerCode, int count)
{
    CommandBytes bytes { uint8_t(letters[0]), uint8_t(letters[1]) };
    append(bytes, hexField(uint32_t(registerCode), kRegisterDigits));
    append(bytes, hexField(uint32_t(count), kCountDigits));
    return bytes;
}

} // namespace

bool echoHolds(const uint8_t* request, size_t requestLength, const uint8_t* answer, size_t answerLength)
{
    if (requestLength < 2 || answerLength < 2)
        return false;
    return answer[0] == uint8_t(request[0] + kEchoOffset) && answer[1] == uint8_t(request[1] + kEchoOffset);
}

std::string hexField(uint32_t value, int digits)
{
    char text[9];
    std::snprintf(text, sizeof text, "%08X", value);
    if (digits < 1 || digits > 8)
        return {};
    return std::string(text + 8 - digits);
}

bool parseHexField(const uint8_t* text, size_t digits, uint32_t& value)
{
    if (digits < 1 || digits > 8)
        return false;
    uint32_t result = 0;
    for (size_t i = 0; i < digits; ++i) {
        const int digit = hexDigitValue(text[i]);
        if (digit < 0)
            return false;
        result = result << 4 | uint32_t(digit);
    }
    value = result;
    return true;
}

CommandBytes buildShortWrite(uint8_t command, uint8_t value)
{
    return { command, value };
}

CommandBytes buildShortRead(uint8_t subcode)
{
    return { kShortReadCommand, subcode };
}

bool shortWriteAccepted(const CommandBytes& request, const uint8_t* answer, size_t length)
{
    return request.size() == 2 && length >= 2 && answer[0] == request[0] && answer[1] == request[1];
}

bool parseShortReadAnswer(const uint8_t* answer, size_t length, uint8_t& value)
{
    if (length < 2 || answer[0] != kShortReadCommand)
        return false;
    value = answer[1];
    return true;
}

CommandBytes buildMemoryRead(int registerCode, int count)
{
    if (!memoryArgumentsValid(registerCode, count))
        return {};
    CommandBytes bytes = memoryHeader("MR", registerCode, count);
    bytes.push_back(kFrameEnd);
    return bytes;
}

CommandBytes buildMemoryWrite(int registerCode, const uint8_t* data, int count)
{
    if (!memoryArgumentsValid(registerCode, count) || data == nullptr)
        return {};
    CommandBytes bytes = memoryHeader("MW", registerCode, count);
    for (int i = 0; i < count; ++i)
        append(bytes, hexField(data[i], 2));
    bytes.push_back(kFrameEnd);
    return bytes;
}

bool parseMemoryReadAnswer(const uint8_t* answer, size_t length, int count, uint8_t* data)
{
    if (count < 1 || count > kMemoryCountMax || length < kMemoryDataOffset + size_t(count) * 2)
        return false;
    uint8_t values[kMemoryCountMax];
    for (int i = 0; i < count; ++i) {
        uint32_t value = 0;
        if (!parseHexField(answer + kMemoryDataOffset + size_t(i) * 2, 2, value))
            return false;
        values[i] = uint8_t(value);
    }
    std::copy(values, values + count, data);
    return true;
}

bool memoryWriteAccepted(const uint8_t* answer, size_t length)
{
    return length >= kMemoryWriteOkOffset + 2 && answer[kMemoryWriteOkOffset] == 'O'
        && answer[kMemoryWriteOkOffset + 1] == 'K';
}

CommandBytes buildAlRequest(int channel, int code, bool flag, uint16_t first, uint16_t second)
{
    const int channelByte = offsetByte(channel, kChannelOffset);
    const int codeByte = offsetByte(flag ? code : code - kAlClearFlagShift, kAlCodeOffset);
    if (channelByte < 0 || codeByte < 0)
        return {};
    CommandBytes bytes = framed("AL", { channelByte, codeByte });
    append(bytes, hexField(first, 4) + hexField(second, 4));
    bytes.push_back(kFrameEnd);
    return bytes;
}

CommandBytes buildAkRequest(int channel)
{
    const int channelByte = offsetByte(channel, kChannelOffset);
    if (channelByte < 0)
        return {};
    return framed("AK", { channelByte, kFrameEnd });
}

CommandBytes buildNsRequest(int index, uint8_t value)
{
    const int indexByte = offsetByte(index, kChannelOffset);
    if (indexByte < 0)
        return {};
    CommandBytes bytes = framed("NS", { indexByte });
    append(bytes, hexField(value, 2));
    bytes.push_back(kFrameEnd);
    return bytes;
}

CommandBytes buildNjRequest(int index)
{
    const int indexByte = offsetByte(index, kChannelOffset);
    if (indexByte < 0)
        return {};
    return framed("NJ", { indexByte, kFrameEnd });
}

bool parseNjAnswer(const uint8_t* answer, size_t length, uint8_t& value)
{
    uint32_t parsed = 0;
    if (length < kNjValueOffset + 2 || !parseHexField(answer + kNjValueOffset, 2, parsed))
        return false;
    value = uint8_t(parsed);
    return true;
}

CommandBytes buildRsetRequest(int n)
{
    if (n < 0 || n > kRsetMax)
        return {};
    return { 'R', 'S', 'E', 'T', uint8_t(n | kRsetFlag), kFrameEnd };
}

} // namespace kovra

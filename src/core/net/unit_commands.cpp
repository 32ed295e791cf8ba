#include "core/net/unit_commands.h"

#include "core/net/command_channel.h"
#include "core/net/net_results.h"
#include "core/units/model_table.h"

#include <algorithm>

namespace kovra {

namespace {

constexpr size_t kShortAnswerLength = 2;
constexpr int kHighNibbleMaxDi = 4; // models with at most 4 DI keep the mask in the high nibble
constexpr int kOneRegisterMaxDi = 8; // above 8 DI the high register holds bits 16-23
constexpr int kHighRegisterShift = 16;
constexpr int kNone = -1;

enum class Layout {
    OneByte,
    HighNibble, // written as (value << 4) + 15
    DiMask,
    TwoBytes, // low byte in the first register, high byte in the second
};

struct AccessorRule {
    int writeLow, writeHigh; // kind-4 registers
    int readLow, readHigh;
    int writeCommand; // other kinds
    int readSubcode;
    Layout layout;
};

constexpr AccessorRule kRules[] = {
    { 0x57, 0x55, 0x57, 0x55, 0x94, 3, Layout::DiMask }, // A
    { 0x58, 0x56, 0x58, 0x56, 0x95, 4, Layout::DiMask }, // B
    { 0x40, kNone, 0x40, kNone, 0x91, 0, Layout::OneByte }, // C
    { 0x40, kNone, 0x40, kNone, 0x91, 0, Layout::HighNibble }, // D
    { 0x44, kNone, 0x44, kNone, 0x93, 2, Layout::OneByte }, // E
    { 0x5D, 0x5C, 0x5D, 0x5B, kNone, kNone, Layout::DiMask }, // F
    { 0x5F, 0x5E, 0x5F, 0x5D, kNone, kNone, Layout::TwoBytes }, // G
    { 0x70, kNone, 0x70, kNone, kNone, kNone, Layout::OneByte }, // H
};

const AccessorRule& ruleOf(Accessor accessor)
{
    return kRules[static_cast<int>(accessor)];
}

// The bytes of a value: the low byte and, when `usesHigh`, the high register's byte.
struct SettingBytes {
    uint8_t low = 0;
    uint8_t high = 0;
    bool usesHigh = false;
};

// Splits a value into its register bytes. False when it does not fit the layout.
bool encode(Layout layout, int diCount, uint32_t value, SettingBytes& bytes)
{
    switch (layout) {
    case Layout::OneByte:
        bytes.low = uint8_t(value);
        return value <= 0xFF;
    case Layout::HighNibble:
        bytes.low = uint8_t((value << 4) + 0x0F);
        return value <= 0x0F;
    case Layout::TwoBytes:
        bytes = { uint8_t(value), uint8_t(value >> 8), true };
        return value <= 0xFFFF;
    case Layout::DiMask:
        if (diCount <= kHighNibbleMaxDi) {
            bytes.low = uint8_t(value << 4);
            return value <= 0x0F;
        }
        if (diCount <= kOneRegisterMaxDi) {
            bytes.low = uint8_t(value);
            return value <= 0xFF;
        }
        bytes = { uint8_t(value), uint8_t(value >> kHighRegisterShift), true };
        return (value & ~uint32_t(0x00FF00FF)) == 0;
    }
    return false;
}

uint32_t decode(Layout layout, int diCount, const SettingBytes& bytes)
{
    switch (layout) {
    case Layout::OneByte:
        return bytes.low;
    case Layout::HighNibble:
        return uint32_t(bytes.low >> 4);
    case Layout::TwoBytes:
        return uint32_t(bytes.low) | uint32_t(bytes.high) << 8;
    case Layout::DiMask:
        if (diCount <= kHighNibbleMaxDi)
            return uint32_t(bytes.low >> 4);
        return uint32_t(bytes.low) | uint32_t(bytes.high) << kHighRegisterShift;
    }
    return 0;
}

bool usesHighRegister(Layout layout, int diCount)
{
    return layout == Layout::TwoBytes || (layout == Layout::DiMask && diCount > kOneRegisterMaxDi);
}

// A framed request without echo check and a fixed answer length.
int sendFixed(const UnitRecord& unit, const CommandBytes& request, uint8_t* answer, size_t answerLength)
{
    if (request.empty())
        return kRequestRefused;
    return sendRecv(unit.ipText, unit.unitPort(), request.data(), request.size(), answer, answerLength, true);
}

} // namespace

int shortWrite(const UnitRecord& unit, uint8_t command, uint8_t value)
{
    const CommandBytes request = buildShortWrite(command, value);
    uint8_t answer[kShortAnswerLength] = {};
    const int result = sendFixed(unit, request, answer, sizeof answer);
    if (result != 0)
        return result;
    return shortWriteAccepted(request, answer, sizeof answer) ? 0 : kAnswerRefused;
}

int shortRead(const UnitRecord& unit, uint8_t subcode, uint8_t& value)
{
    uint8_t answer[kShortAnswerLength] = {};
    const int result = sendFixed(unit, buildShortRead(subcode), answer, sizeof answer);
    if (result != 0)
        return result;
    return parseShortReadAnswer(answer, sizeof answer, value) ? 0 : kAnswerRefused;
}

int memoryRead(const UnitRecord& unit, int registerCode, int count, uint8_t* bytes)
{
    const CommandBytes request = buildMemoryRead(registerCode, count);
    if (request.empty() || bytes == nullptr)
        return kRequestRefused;
    uint8_t answer[kMemoryAnswerMax];
    const int length
        = readFramed(unit.ipText, unit.unitPort(), request.data(), request.size(), answer, sizeof answer);
    if (length < 0 || length > int(kMemoryAnswerMax))
        return length; // a negative code or a socket error
    return parseMemoryReadAnswer(answer, size_t(length), count, bytes) ? 0 : kAnswerRefused;
}

int memoryWrite(const UnitRecord& unit, int registerCode, const uint8_t* bytes, int count)
{
    const CommandBytes request = buildMemoryWrite(registerCode, bytes, count);
    if (request.empty())
        return kRequestRefused;
    uint8_t answer[kMemoryAnswerMax];
    const int length
        = readFramed(unit.ipText, unit.unitPort(), request.data(), request.size(), answer, sizeof answer);
    if (length < 0 || length > int(kMemoryAnswerMax))
        return length;
    return memoryWriteAccepted(answer, size_t(length)) ? 0 : kAnswerRefused;
}

int readSetting(const UnitRecord& unit, Accessor accessor, uint32_t& value)
{
    const AccessorRule& rule = ruleOf(accessor);
    const int diCount = modelDiCount(unit.modelIndex);
    SettingBytes bytes;
    int result = 0;
    if (unit.kind == kKindNewerWired) {
        result = memoryRead(unit, rule.readLow, 1, &bytes.low);
        if (result == 0 && usesHighRegister(rule.layout, diCount))
            result = memoryRead(unit, rule.readHigh, 1, &bytes.high);
    } else {
        if (rule.readSubcode == kNone)
            return kRequestRefused;
        result = shortRead(unit, uint8_t(rule.readSubcode), bytes.low);
    }
    if (result == 0)
        value = decode(rule.layout, diCount, bytes);
    return result;
}

int writeSetting(const UnitRecord& unit, Accessor accessor, uint32_t value)
{
    const AccessorRule& rule = ruleOf(accessor);
    const bool registers = unit.kind == kKindNewerWired;
    // The short commands carry one byte: only the low part of a DI mask travels.
    const int diCount = registers ? modelDiCount(unit.modelIndex)
                                  : std::min(modelDiCount(unit.modelIndex), kOneRegisterMaxDi);
    SettingBytes bytes;
    if (!encode(rule.layout, diCount, value, bytes))
        return kRequestRefused;
    if (!registers) {
        if (rule.writeCommand == kNone)
            return kRequestRefused;
        return shortWrite(unit, uint8_t(rule.writeCommand), bytes.low);
    }
    int result = memoryWrite(unit, rule.writeLow, &bytes.low, 1);
    if (result == 0 && bytes.usesHigh)
        result = memoryWrite(unit, rule.writeHigh, &bytes.high, 1);
    return result;
}

int sendAlRequest(const UnitRecord& unit, int channel, int code, bool flag, uint16_t first, uint16_t second,
    std::array<uint8_t, kAlAnswerLength>& answer)
{
    return sendFixed(unit, buildAlRequest(channel, code, flag, first, second), answer.data(), answer.size());
}

int sendAkRequest(const UnitRecord& unit, int channel, std::array<uint8_t, kAkAnswerLength>& answer)
{
    return sendFixed(unit, buildAkRequest(channel), answer.data(), answer.size());
}

int sendNsRequest(const UnitRecord& unit, int index, uint8_t value)
{
    uint8_t answer[kNsAnswerLength];
    return sendFixed(unit, buildNsRequest(index, value), answer, sizeof answer);
}

int sendNjRequest(const UnitRecord& unit, int index, uint8_t& value)
{
    uint8_t answer[kNjAnswerLength];
    const int result = sendFixed(unit, buildNjRequest(index), answer, sizeof answer);
    if (result != 0)
        return result;
    return parseNjAnswer(answer, sizeof answer, value) ? 0 : kAnswerRefused;
}

int sendRsetRequest(const UnitRecord& unit, int n)
{
    uint8_t answer[kRsetAnswerLength];
    return sendFixed(unit, buildRsetRequest(n), answer, sizeof answer);
}

} // namespace kovra

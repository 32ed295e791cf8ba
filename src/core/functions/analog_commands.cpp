#include "core/functions/analog_commands.h"

#include "core/alerts/analog_scaling.h"
#include "core/alerts/hex_count.h"
#include "core/net/command_messages.h"
#include "core/net/net_results.h"
#include "core/platform/cancel_scope.h"
#include "core/platform/socket_error.h"
#include "core/settings/settings_writers.h"

namespace kovra {

namespace {

constexpr uint8_t kValueOffset = 0x20; // the settings bytes travel as value + 20h
constexpr uint8_t kCurrentFlag = 8; // added to the AO byte for a current output
constexpr int kOutputFirstRegister = 0x30;
constexpr int kOutputRegisterCount = 3; // kind, count high, count low
constexpr size_t kOutputHeadLength = 6; // "mr", three register digits, one count digit
constexpr size_t kIndexOffset = 2; // the channel byte follows the two letters
constexpr size_t kRangeOffset = 3;
constexpr uint8_t kRangeMask = 0x0F;
constexpr size_t kThermoValuesOffset = 3;
constexpr size_t kThermoCountsOffset = 8;
constexpr int kCountDigitsPerValue = 4;

bool inList(int value, int count)
{
    return value >= 0 && value < count;
}

bool isCount(int value)
{
    return value >= kCountMin && value <= kCountMax;
}

std::string framed(const char* letters, std::initializer_list<int> body)
{
    std::string bytes(letters, 2);
    for (int byte : body)
        bytes.push_back(char(byte));
    return bytes;
}

std::string withEnd(std::string bytes)
{
    bytes.push_back(char(kFrameEnd));
    return bytes;
}

// The answer's letters are the request's + 20h, its channel byte is that of AI `input` and it
// ends with the end mark.
bool frameHolds(const std::string& answer, const char* requestLetters, int input, size_t length)
{
    return inList(input, kAnalogInputMax) && answer.size() == length
        && answer[0] == char(requestLetters[0] + kEchoOffset)
        && answer[1] == char(requestLetters[1] + kEchoOffset)
        && uint8_t(answer[kIndexOffset]) == uint8_t(input + kChannelOffset)
        && uint8_t(answer[length - 1]) == kFrameEnd;
}

// A settings byte of an answer: its value when it is one of the list's `count` values.
bool settingByte(const std::string& answer, size_t at, int count, int& value)
{
    const int candidate = int(uint8_t(answer[at])) - kValueOffset;
    if (!inList(candidate, count))
        return false;
    value = candidate;
    return true;
}

} // namespace

std::string rangeReadRequest(int input)
{
    if (!inList(input, kAnalogInputMax))
        return {};
    return withEnd(framed("AJ", { input + kChannelOffset }));
}

bool parseRangeReadAnswer(const std::string& answer, int input, int rangeCount, int& range)
{
    if (!frameHolds(answer, "AJ", input, kRangeReadAnswerLength))
        return false;
    const int candidate = uint8_t(answer[kRangeOffset]) & kRangeMask;
    if (!inList(candidate, rangeCount))
        return false;
    range = candidate;
    return true;
}

std::string rangeWriteRequest(int input, int range)
{
    if (!inList(input, kAnalogInputMax) || !inList(range, kThermocoupleRange + 1))
        return {};
    return withEnd(framed("AR", { input + kChannelOffset, range + kValueOffset }));
}

std::string outputReadRequest(int output)
{
    if (!inList(output, kAnalogOutputMax))
        return {};
    const CommandBytes bytes
        = buildMemoryRead(kOutputFirstRegister + kOutputRegisterCount * output, kOutputRegisterCount);
    return std::string(bytes.begin(), bytes.end());
}

bool parseOutputReadAnswer(const std::string& answer, int output, AnalogOutputInitial& value)
{
    std::string head = outputReadRequest(output).substr(0, kOutputHeadLength);
    if (head.size() != kOutputHeadLength || answer.size() != kOutputReadAnswerLength
        || uint8_t(answer.back()) != kFrameEnd)
        return false;
    head[0] = char(head[0] + kEchoOffset);
    head[1] = char(head[1] + kEchoOffset);
    uint8_t data[kOutputRegisterCount];
    if (answer.compare(0, kOutputHeadLength, head) != 0
        || !parseMemoryReadAnswer(
            reinterpret_cast<const uint8_t*>(answer.data()), answer.size(), kOutputRegisterCount, data)
        || (data[0] != kOutputVoltage && data[0] != kOutputCurrent))
        return false;
    value.kind = data[0];
    value.raw = int(int16_t(uint16_t(data[1] << 8 | data[2])));
    return true;
}

std::string outputWriteRequest(int output, const AnalogOutputInitial& value)
{
    if (!inList(output, kAnalogOutputMax) || (value.kind != kOutputVoltage && value.kind != kOutputCurrent)
        || !isCount(value.raw))
        return {};
    const int channel = kChannelOffset + output + (value.kind == kOutputCurrent ? kCurrentFlag : 0);
    return withEnd(framed("AQ", { channel }) + rawToHex(value.raw, kCountDigitsPerValue));
}

std::string thermoReadRequest(int input)
{
    if (!inList(input, kAnalogInputMax))
        return {};
    return withEnd(framed("TJ", { input + kChannelOffset }));
}

bool parseThermoReadAnswer(const std::string& answer, int input, ThermocoupleSettings& settings)
{
    if (!frameHolds(answer, "TJ", input, kThermoReadAnswerLength))
        return false;
    ThermocoupleSettings read;
    int coldJunction = 0;
    int burnoutDetection = 0;
    size_t at = kThermoValuesOffset;
    if (!settingByte(answer, at++, kThermocoupleTypeCount, read.type)
        || !settingByte(answer, at++, 2, coldJunction) || !settingByte(answer, at++, 2, burnoutDetection)
        || !settingByte(answer, at++, kBurnoutOutputCount, read.burnoutOutput)
        || !settingByte(answer, at, kScaleRangeCount, read.scale))
        return false;
    const std::string_view counts(answer.data() + kThermoCountsOffset, 2 * kCountDigitsPerValue);
    const auto lower = hexToRaw(counts.substr(0, kCountDigitsPerValue));
    const auto upper = hexToRaw(counts.substr(kCountDigitsPerValue));
    if (!lower || !upper)
        return false;
    read.coldJunction = coldJunction != 0;
    read.burnoutDetection = burnoutDetection != 0;
    read.lower = *lower;
    read.upper = *upper;
    settings = read;
    return true;
}

std::string thermoWriteRequest(int input, const ThermocoupleSettings& settings)
{
    if (!inList(input, kAnalogInputMax) || !inList(settings.type, kThermocoupleTypeCount)
        || !inList(settings.burnoutOutput, kBurnoutOutputCount) || !inList(settings.scale, kScaleRangeCount)
        || !isCount(settings.lower) || !isCount(settings.upper))
        return {};
    return withEnd(
        framed("TW",
            { input + kChannelOffset, settings.type + kValueOffset, int(settings.coldJunction) + kValueOffset,
                int(settings.burnoutDetection) + kValueOffset, settings.burnoutOutput + kValueOffset,
                settings.scale + kValueOffset })
        + rawToHex(settings.lower, kCountDigitsPerValue) + rawToHex(settings.upper, kCountDigitsPerValue));
}

DirectRequest analogRequest(std::string bytes, size_t answerLength)
{
    DirectRequest request;
    request.bytes = std::move(bytes);
    request.answerLength = answerLength;
    request.pauseAfterMs = kAnalogCommandPauseMs;
    return request;
}

int runDirectRead(DirectCommand& command, const DirectRequest& request,
    const std::function<bool(const std::string&)>& parse)
{
    std::string answer;
    const int result = command.exchange(request.bytes, request.answerLength, answer, request.skipCheck);
    if (result != 0)
        return result;
    if (!pauseFor(request.pauseAfterMs))
        return kSocketInterrupted;
    return parse(answer) ? 0 : kAnswerRefused;
}

int readSamplingRate(DirectCommand& command, int& rate)
{
    return runDirectRead(
        command, analogRequest(modeReadRequest(), kModeReadAnswerLength), [&rate](const std::string& answer) {
            int value = 0;
            if (!parseModeReadAnswer(answer, value) || !inList(value, kSamplingRateCount))
                return false;
            rate = value;
            return true;
        });
}

DirectRequest samplingRateWrite(int rate)
{
    return analogRequest(modeWriteRequest(rate), kModeWriteAnswerLength);
}

} // namespace kovra

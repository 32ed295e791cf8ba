#include "core/alerts/analog_alert_commands.h"

#include "core/alerts/hex_count.h"
#include "core/net/command_messages.h"

namespace kovra {

namespace {

constexpr uint8_t kValueOffset = 0x20; // channel, mode and nibble bytes travel as value + 20h
constexpr uint8_t kEchoOffset = 0x20;
constexpr uint8_t kFlagBit = 0x08;
constexpr uint8_t kConditionBits = 0x03;
constexpr uint8_t kModeHighBits = 0xF0;
constexpr uint8_t kNibble = 0x0F;
constexpr int kBandDigits = 4;
constexpr size_t kModeByte = 3;
constexpr size_t kLowDigits = 4;
constexpr size_t kHighDigits = 8;
constexpr size_t kNibbleBytes = 4;
constexpr uint8_t kRecordEnabledBit = 0x01;
constexpr uint8_t kRecordDirectionBit = 0x02;
constexpr int kLastInput = 2;
const std::string kEnd(1, char(kFrameEnd));

uint8_t byteAt(const std::string& text, size_t index)
{
    return uint8_t(text[index]);
}

bool echoes(const std::string& answer, const char* letters)
{
    return byteAt(answer, 0) == uint8_t(letters[0] + kEchoOffset)
        && byteAt(answer, 1) == uint8_t(letters[1] + kEchoOffset);
}

bool framed(const std::string& answer, size_t length, const char* letters)
{
    return answer.size() == length && echoes(answer, letters) && byteAt(answer, length - 1) == kFrameEnd;
}

bool validChannel(int channel)
{
    return channel >= 0 && channel < kAnalogAlertChannels;
}

// A nibble byte of "DN"/"DM": 20h..2Fh.
bool nibbleByte(uint8_t byte, uint8_t& nibble)
{
    if ((byte & ~kNibble) != kValueOffset)
        return false;
    nibble = byte & kNibble;
    return true;
}

} // namespace

std::string analogAlertReadRequest(int channel)
{
    if (!validChannel(channel))
        return {};
    return std::string("AK") + char(kValueOffset + channel) + kEnd;
}

bool parseAnalogAlertAnswer(const std::string& answer, int channel, AnalogAlert& alert)
{
    if (!validChannel(channel) || !framed(answer, kAnalogAlertAnswerLength, "AK")
        || byteAt(answer, 2) != kValueOffset + channel)
        return false;
    const uint8_t mode = byteAt(answer, kModeByte);
    if ((mode & kModeHighBits) != kValueOffset || (mode & ~(kModeHighBits | kFlagBit | kConditionBits)) != 0
        || (mode & kConditionBits) > kAlertConditionOutside)
        return false;
    const auto low = hexToRaw(std::string_view(answer).substr(kLowDigits, kBandDigits));
    const auto high = hexToRaw(std::string_view(answer).substr(kHighDigits, kBandDigits));
    if (!low || !high)
        return false;
    alert.condition = mode & kConditionBits;
    alert.flag = (mode & kFlagBit) != 0;
    alert.low = *low;
    alert.high = *high;
    return true;
}

std::string analogAlertWriteRequest(int channel, const AnalogAlert& alert)
{
    if (!validChannel(channel) || alert.condition < kAlertConditionNone
        || alert.condition > kAlertConditionOutside)
        return {};
    const char mode = char(kValueOffset + (alert.flag ? kFlagBit : 0) + alert.condition);
    return std::string("AL") + char(kValueOffset + channel) + mode + rawToHex(alert.low, kBandDigits)
        + rawToHex(alert.high, kBandDigits) + kEnd;
}

std::string diAlertReadRequest()
{
    return "DN" + kEnd;
}

bool parseDiAlertAnswer(const std::string& answer, DiAlertMasks& masks)
{
    if (!framed(answer, kDiAlertAnswerLength, "DN"))
        return false;
    std::array<uint8_t, kNibbleBytes> nibbles {};
    for (size_t i = 0; i < kNibbleBytes; ++i)
        if (!nibbleByte(byteAt(answer, 2 + i), nibbles[i]))
            return false;
    masks.on = uint8_t(nibbles[0] | (nibbles[2] << 4));
    masks.enabled = uint8_t(nibbles[1] | (nibbles[3] << 4));
    return true;
}

std::string diAlertWriteRequest(const DiAlertMasks& masks)
{
    std::string request = "DM";
    for (uint8_t nibble : { masks.on & kNibble, masks.enabled & kNibble, masks.on >> 4, masks.enabled >> 4 })
        request += char(kValueOffset + nibble);
    return request + kEnd;
}

std::vector<uint8_t> doAlertRegisterBytes(const DoAlertRecords& records)
{
    std::vector<uint8_t> bytes;
    for (const DoAlertRecord& record : records) {
        bytes.push_back(uint8_t((record.enabled ? kRecordEnabledBit : 0)
            | (record.direction == kDirectionOnPriority ? kRecordDirectionBit : 0)));
        bytes.push_back(uint8_t(record.monitoredInput));
        bytes.push_back(uint8_t(record.width >> 8));
        bytes.push_back(uint8_t(record.width & 0xFF));
    }
    return bytes;
}

bool parseDoAlertRegisterBytes(const std::vector<uint8_t>& bytes, DoAlertRecords& records)
{
    if (bytes.size() < size_t(kDoAlertRegisterBytes))
        return false;
    DoAlertRecords parsed;
    for (size_t n = 0; n < parsed.size(); ++n) {
        const uint8_t* record = bytes.data() + n * kDoAlertRecordBytes;
        if ((record[0] & ~(kRecordEnabledBit | kRecordDirectionBit)) != 0 || record[1] > kLastInput)
            return false;
        parsed[n].enabled = (record[0] & kRecordEnabledBit) != 0;
        parsed[n].direction
            = (record[0] & kRecordDirectionBit) != 0 ? kDirectionOnPriority : kDirectionOffPriority;
        parsed[n].monitoredInput = record[1];
        parsed[n].width = uint16_t((record[2] << 8) | record[3]);
    }
    records = parsed;
    return true;
}

} // namespace kovra

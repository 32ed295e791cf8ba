#include "analog_commands.h"

#include "hex_text.h"

namespace sim {

namespace {

constexpr uint8_t kModeRegister = 0x49;
constexpr uint8_t kModeValues = 8; // the eight sampling rates, 10 to 14400 sps
constexpr uint8_t kOutputRegisterBase = 0x30; // AO n: kind, raw high byte, raw low byte from 30h + 3n
constexpr size_t kOutputRegisterStride = 3;
constexpr uint8_t kOutputCurrent = 0x08; // in the channel byte of "AQ": the AO gives current
constexpr uint8_t kOutputChannelMask = 0x07;
constexpr uint8_t kOutputChannelLimit = 0x10;
constexpr uint8_t kOutputKindVoltage = 0;
constexpr uint8_t kOutputKindCurrent = 1;
constexpr unsigned kNegativeRaw = 0x8000; // current is never below zero
constexpr uint8_t kRanges = 6; // ±100mV, ±1V, ±10V, ±30V and the two 0-20mA ranges
constexpr uint8_t kThermocoupleRange = 6; // one more on the thermocouple models
constexpr uint8_t kDefaultRange = 2; // ±10V
constexpr uint8_t kRangeAnswerMark = 0x40; // "aj" carries 40h + range, then a spare 20h
constexpr uint8_t kRangeAnswerSpare = 0x20;
constexpr size_t kValueDigits = 4; // a 16-bit raw value or temperature as "%04X"
// Thermocouple option limits in the order they travel: type K, J, T, E, N, R, S, B; cold-junction
// compensation off/on; burn-out detection off/on; burn-out output 800000h/7FFFFFh; scale range
// 0-10V, 0-5V, 1-5V, 4-20mA.
constexpr uint8_t kThermocoupleLimits[] = { 8, 2, 2, 2, 4 };
constexpr uint8_t kDefaultThermocouple[] = { 0, 1, 1, 0, 0 };
constexpr uint16_t kDefaultLower = 0; // 0.0 degrees
constexpr uint16_t kDefaultUpper = 1000; // 100.0 degrees, in 0.1 degree steps

// Request lengths, end mark included.
constexpr size_t kChannelRequestLength = 4; // two letters, one value byte
constexpr size_t kRangeWriteLength = 5;
constexpr size_t kChannelFieldEnd = 3; // two letters and the channel byte
constexpr size_t kOutputWriteLength = kChannelFieldEnd + kValueDigits + 1;

const std::string kEnd(1, static_cast<char>(kEndMark));

uint8_t valueByte(const std::string& request, size_t offset)
{
    return static_cast<uint8_t>(static_cast<uint8_t>(request[offset]) - kChannelOffset);
}

char travelling(uint8_t value)
{
    return static_cast<char>(value + kChannelOffset);
}

} // namespace

AnalogCommands::AnalogCommands(const ModelChannels& channels, bool sampling)
    : m_channels(channels)
    , m_sampling(sampling || channels.ais > 0)
{
    m_ranges.fill(kDefaultRange);
    Thermocouple initial {};
    for (size_t i = 0; i < kThermocoupleOptions; ++i)
        initial.options[i] = kDefaultThermocouple[i];
    initial.lower = kDefaultLower;
    initial.upper = kDefaultUpper;
    m_thermocouples.fill(initial);
}

bool AnalogCommands::handles(const std::string& letters)
{
    return letters == "AP" || letters == "AJ" || letters == "AR" || letters == "AQ" || letters == "TJ"
        || letters == "TW";
}

std::string AnalogCommands::answer(const std::string& request, Registers& registers)
{
    const std::string letters = request.substr(0, 2);
    if (letters == "AP")
        return modeWrite(request, registers);
    if (letters == "AJ")
        return rangeRead(request);
    if (letters == "AR")
        return rangeWrite(request);
    if (letters == "AQ")
        return outputWrite(request, registers);
    if (letters == "TJ")
        return thermocoupleRead(request);
    if (letters == "TW")
        return thermocoupleWrite(request);
    return {};
}

bool AnalogCommands::input(const std::string& request, size_t& n) const
{
    n = valueByte(request, 2);
    return n < static_cast<size_t>(m_channels.ais) && n < kMaxInputs;
}

std::string AnalogCommands::modeWrite(const std::string& request, Registers& registers) const
{
    if (!m_sampling || request.size() != kChannelRequestLength)
        return {};
    const uint8_t value = valueByte(request, 2);
    if (value >= kModeValues)
        return {};
    registers[kModeRegister] = value;
    return echo(request) + request[2] + kEnd;
}

std::string AnalogCommands::rangeRead(const std::string& request) const
{
    size_t n = 0;
    if (request.size() != kChannelRequestLength || !input(request, n))
        return {};
    return echo(request) + request[2] + static_cast<char>(kRangeAnswerMark + m_ranges[n])
        + static_cast<char>(kRangeAnswerSpare) + kEnd;
}

std::string AnalogCommands::rangeWrite(const std::string& request)
{
    size_t n = 0;
    if (request.size() != kRangeWriteLength || !input(request, n))
        return {};
    const uint8_t range = valueByte(request, 3);
    if (range >= kRanges && !(m_channels.thermocouple && range == kThermocoupleRange))
        return {};
    m_ranges[n] = range;
    return echo(request) + request.substr(2, 2) + kEnd;
}

std::string AnalogCommands::outputWrite(const std::string& request, Registers& registers) const
{
    if (request.size() != kOutputWriteLength)
        return {};
    const uint8_t channel = valueByte(request, 2);
    const size_t n = channel & kOutputChannelMask;
    const bool current = (channel & kOutputCurrent) != 0;
    unsigned raw = 0;
    if (channel >= kOutputChannelLimit || n >= static_cast<size_t>(m_channels.aos)
        || !HexText::parse(request, kChannelFieldEnd, kValueDigits, raw) || (current && raw >= kNegativeRaw))
        return {};
    const size_t base = kOutputRegisterBase + kOutputRegisterStride * n;
    registers[base] = current ? kOutputKindCurrent : kOutputKindVoltage;
    registers[base + 1] = static_cast<uint8_t>(raw >> 8);
    registers[base + 2] = static_cast<uint8_t>(raw & 0xFF);
    return echo(request) + request[2] + HexText::format(raw, kValueDigits) + kEnd;
}

std::string AnalogCommands::thermocoupleRead(const std::string& request) const
{
    size_t n = 0;
    if (!m_channels.thermocouple || request.size() != kChannelRequestLength || !input(request, n))
        return {};
    const Thermocouple& settings = m_thermocouples[n];
    std::string answer = echo(request) + request[2];
    for (uint8_t option : settings.options)
        answer += travelling(option);
    return answer + HexText::format(settings.lower, kValueDigits)
        + HexText::format(settings.upper, kValueDigits) + kEnd;
}

std::string AnalogCommands::thermocoupleWrite(const std::string& request)
{
    size_t n = 0;
    const size_t digits = kChannelFieldEnd + kThermocoupleOptions;
    if (!m_channels.thermocouple || request.size() != digits + 2 * kValueDigits + 1 || !input(request, n))
        return {};
    Thermocouple settings {};
    for (size_t i = 0; i < kThermocoupleOptions; ++i) {
        settings.options[i] = valueByte(request, kChannelFieldEnd + i);
        if (settings.options[i] >= kThermocoupleLimits[i])
            return {};
    }
    unsigned lower = 0;
    unsigned upper = 0;
    if (!HexText::parse(request, digits, kValueDigits, lower)
        || !HexText::parse(request, digits + kValueDigits, kValueDigits, upper))
        return {};
    settings.lower = static_cast<uint16_t>(lower);
    settings.upper = static_cast<uint16_t>(upper);
    m_thermocouples[n] = settings;
    return echo(request) + request[2] + kEnd;
}

} // namespace sim

// Answers of the analog other-settings commands (input range, AO initial value,
// thermocouple settings) on arbitrary bytes, and arbitrary text typed into the AO value and
// temperature edits: what a parser accepts must be in its lists and write back unchanged.
#include "core/functions/analog_commands.h"
#include "core/functions/analog_settings_form.h"
#include "core/functions/thermo_settings_form.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <string>

namespace {

// The answer as the exchange delivers it: exactly `length` bytes (the data repeated).
std::string answerOf(const std::string& data, size_t length)
{
    std::string answer;
    while (!data.empty() && answer.size() < length)
        answer += data.substr(0, length - answer.size());
    return answer;
}

// Fuzzed bytes as hexadecimal digits, and as settings bytes of which most are in their lists.
std::string hexDigits(const std::string& data, size_t count)
{
    static const char kDigits[] = "0123456789ABCDEFx";
    std::string digits;
    for (size_t i = 0; i < count; ++i)
        digits += i < data.size() ? kDigits[uint8_t(data[i]) % 17] : '0';
    return digits;
}

std::string settingBytes(const std::string& data)
{
    const int counts[] = { 8, 2, 2, 2, 4 };
    std::string bytes;
    for (size_t i = 0; i < std::size(counts); ++i)
        bytes += char(0x20 + (i < data.size() ? uint8_t(data[i]) % (counts[i] + 1) : 0));
    return bytes;
}

// A frame the echo and channel checks accept around the fuzzed payload, so that the value
// checks behind them run too.
std::string framed(const char* head, int channel, const std::string& payload, size_t length)
{
    std::string answer = std::string(head) + char(channel + 0x20) + payload;
    answer.resize(length - 1, ' ');
    return answer + '\xC8';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the channel asked for (a few past the last too); the rest is the answer.
    const int channel = data[0] % 7;
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);

    for (const std::string& answer : { bytes, answerOf(bytes, kovra::kRangeReadAnswerLength),
             framed("aj", channel, bytes, kovra::kRangeReadAnswerLength) }) {
        int range = -1;
        if (kovra::parseRangeReadAnswer(answer, channel, kovra::kThermocoupleRange + 1, range)
            && kovra::rangeWriteRequest(channel, range).empty())
            std::abort();
    }

    kovra::AnalogSettingsForm outputs(11);
    const std::string request = kovra::outputReadRequest(channel);
    const std::string registers = request.size() > 6 ? request.substr(2, 4) : "0303";
    for (const std::string& answer : { bytes, answerOf(bytes, kovra::kOutputReadAnswerLength),
             "mr" + registers + "0" + hexDigits(bytes, 5) + '\xC8' }) {
        kovra::AnalogOutputInitial value;
        if (!kovra::parseOutputReadAnswer(answer, channel, value))
            continue;
        if (kovra::outputWriteRequest(channel, value).empty())
            std::abort();
        // A count the unit reported is shown in span and written back as it came (but for a
        // negative current, which OK refuses).
        outputs.loadOutput(channel, value);
        if (value.kind == kovra::kOutputCurrent && value.raw < 0)
            continue;
        if (outputs.check() || outputs.output(channel).raw != value.raw)
            std::abort();
    }

    kovra::ThermoSettingsForm thermo(12);
    for (const std::string& answer : { bytes, answerOf(bytes, kovra::kThermoReadAnswerLength),
             framed("tj", channel,
                 settingBytes(bytes) + hexDigits(bytes.substr(std::min<size_t>(bytes.size(), 5)), 8),
                 kovra::kThermoReadAnswerLength) }) {
        kovra::ThermoInput input;
        if (!kovra::parseThermoReadAnswer(answer, channel, input.thermocouple))
            continue;
        const std::string request = kovra::thermoWriteRequest(channel, input.thermocouple);
        kovra::ThermocoupleSettings again;
        if (request.size() != answer.size()
            || !kovra::parseThermoReadAnswer("tj" + request.substr(2), channel, again)
            || again.lower != input.thermocouple.lower || again.upper != input.thermocouple.upper)
            std::abort();
        thermo.setInput(channel, input);
    }

    // Typed text: nothing may overflow a conversion; the stored values stay in range.
    outputs.setOutputKind(0, data[0] & 1);
    outputs.enterOutputText(0, bytes);
    outputs.check();
    const int raw = outputs.output(0).raw;
    (void)kovra::outputInitialText({ outputs.outputKind(0), raw });
    const auto temperature = data[0] & 2 ? kovra::ThermoSettingsForm::Temperature::Lower
                                         : kovra::ThermoSettingsForm::Temperature::Upper;
    thermo.enterTemperature(0, temperature, bytes);
    for (const kovra::FormField& field : thermo.fields())
        field.set(bytes);
    const kovra::ThermocoupleSettings& entered = thermo.input(0).thermocouple;
    if (raw < -32768 || raw > 32767 || entered.lower < -32768 || entered.lower > 32767
        || entered.upper < -32768 || entered.upper > 32767)
        std::abort();
    (void)thermo.temperatureText(0, temperature);
    return 0;
}

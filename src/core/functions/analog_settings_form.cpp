#include "core/functions/analog_settings_form.h"

#include "core/alerts/analog_scaling.h"
#include "core/alerts/number_text.h"
#include "core/units/model_table.h"

#include <algorithm>

namespace kovra {

const char* const kOutputValueError = "値設定エラー";

namespace {

constexpr double kCurrentMax = 20.0; // mA
constexpr double kVoltageMax = 10.0; // V, either sign
constexpr int kOutputDecimals = 5;

// The scaling of an AO kind among the analog range types: 0..20 mA and ±10 V.
AnalogRangeType outputRangeType(int kind)
{
    return kind == kOutputCurrent ? kRangeCurrent250Ohm : kRangeVoltage10V;
}

bool validKind(int kind)
{
    return kind == kOutputVoltage || kind == kOutputCurrent;
}

} // namespace

double outputInitialValue(const AnalogOutputInitial& output)
{
    if (output.kind == kOutputCurrent)
        return output.raw * kCurrentMax / kCountMax;
    return rawToValue(output.raw, kRangeVoltage10V, false);
}

int outputInitialRaw(int kind, double value)
{
    return int16_t(valueToRaw(value, outputRangeType(kind), false));
}

std::string outputInitialText(const AnalogOutputInitial& output)
{
    return formatFixed(outputInitialValue(output), 0, kOutputDecimals, true);
}

AnalogSettingsForm::AnalogSettingsForm(int modelId)
    : m_inputCount(std::clamp(modelCapabilities(modelId)[kCapAiCount], 0, kRangeInputs))
    , m_outputCount(std::clamp(modelCapabilities(modelId)[kCapAoCount], 0, kAnalogOutputMax))
{
    for (auto& output : m_outputs)
        output.text = outputInitialText(AnalogOutputInitial {});
    if (m_inputCount > 0) {
        addChoiceField("sps", samplingRateChoices(), m_samplingRate);
        for (int input = 0; input < m_inputCount; ++input)
            addChoiceField(
                "ai" + std::to_string(input + 1) + ".range", rangeChoices(), m_ranges[size_t(input)]);
    }
    for (int output = 0; output < m_outputCount; ++output) {
        const std::string prefix = "ao" + std::to_string(output + 1);
        OutputEntry& entry = m_outputs[size_t(output)];
        addChoiceField(prefix + ".kind", outputKindChoices(), entry.kind);
        // Like the edit box: any text, read as a number by OK.
        addField({ prefix + ".value", FormField::Kind::Number, {}, [&entry] { return entry.text; },
            [&entry](const std::string& text) {
                entry.text = text;
                return true;
            } });
    }
}

const std::vector<ChoiceItem>& AnalogSettingsForm::rangeChoices()
{
    static const std::vector<ChoiceItem> choices { { "±100mV", 0 }, { "±1V", 1 }, { "±10V", 2 },
        { "±30V", 3 }, { "0-20mA (外付け250Ω)", 4 }, { "0-20mA (外付け50Ω)", 5 } };
    return choices;
}

const std::vector<ChoiceItem>& AnalogSettingsForm::outputKindChoices()
{
    static const std::vector<ChoiceItem> choices { { "voltage", kOutputVoltage },
        { "current", kOutputCurrent } };
    return choices;
}

std::optional<std::string> AnalogSettingsForm::check()
{
    for (int output = 0; output < m_outputCount; ++output) {
        const OutputEntry& entry = m_outputs[size_t(output)];
        const double value = readLeadingNumber(entry.text);
        // Written so that a NaN fails too.
        const bool inSpan = entry.kind == kOutputCurrent ? value >= 0.0 && value <= kCurrentMax
                                                         : value >= -kVoltageMax && value <= kVoltageMax;
        if (!inSpan)
            return std::string(kOutputValueError);
    }
    return std::nullopt;
}

void AnalogSettingsForm::setSamplingRate(int rate)
{
    if (rate >= 0 && rate < kSamplingRateCount)
        m_samplingRate = rate;
}

void AnalogSettingsForm::setInputRange(int input, int range)
{
    if (hasInput(input) && range >= 0 && range < kInputRangeCount)
        m_ranges[size_t(input)] = range;
}

void AnalogSettingsForm::setOutputKind(int output, int kind)
{
    if (hasOutput(output) && validKind(kind))
        m_outputs[size_t(output)].kind = kind;
}

void AnalogSettingsForm::setOutputText(int output, const std::string& text)
{
    if (hasOutput(output))
        m_outputs[size_t(output)].text = text;
}

NumericEntry AnalogSettingsForm::enterOutputText(int output, const std::string& text)
{
    NumericEntry entry = filterNumericEntry(text);
    setOutputText(output, entry.accepted);
    return entry;
}

void AnalogSettingsForm::loadOutput(int output, const AnalogOutputInitial& value)
{
    if (!hasOutput(output) || !validKind(value.kind))
        return;
    m_outputs[size_t(output)] = { value.kind, outputInitialText(value) };
}

AnalogOutputInitial AnalogSettingsForm::output(int output) const
{
    const OutputEntry& entry = m_outputs.at(size_t(output));
    return { entry.kind, outputInitialRaw(entry.kind, readLeadingNumber(entry.text)) };
}

} // namespace kovra

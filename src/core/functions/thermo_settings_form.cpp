#include "core/functions/thermo_settings_form.h"

#include "core/alerts/analog_range_type.h"
#include "core/alerts/analog_scaling.h"
#include "core/alerts/number_text.h"
#include "core/units/model_table.h"

#include <algorithm>
#include <cmath>

namespace kovra {

namespace {

constexpr double kTenthsPerDegree = 10.0;
constexpr int kTemperatureDecimals = 1;

// Truncated toward zero and held in floating point, so that no value (a huge one, a NaN)
// reaches an undefined integer conversion.
int temperatureTenths(double degrees)
{
    const double tenths = std::trunc(degrees * kTenthsPerDegree);
    if (std::isnan(tenths))
        return 0;
    return int(std::clamp(tenths, double(kCountMin), double(kCountMax)));
}

bool inList(int value, int count)
{
    return value >= 0 && value < count;
}

} // namespace

ThermoSettingsForm::ThermoSettingsForm(int modelId)
    : m_inputCount(std::clamp(modelCapabilities(modelId)[kCapAiCount], 0, kAnalogInputMax))
{
    addChoiceField("sps", samplingRateChoices(), m_samplingRate);
    for (int n = 0; n < m_inputCount; ++n) {
        const std::string prefix = "ai" + std::to_string(n + 1) + ".";
        ThermoInput& entry = m_inputs[size_t(n)];
        ThermocoupleSettings& thermocouple = entry.thermocouple;
        addChoiceField(prefix + "range", rangeChoices(), entry.range);
        addChoiceField(prefix + "type", typeChoices(), thermocouple.type);
        addCheckField(prefix + "cold-junction", thermocouple.coldJunction);
        addCheckField(prefix + "burnout", thermocouple.burnoutDetection);
        addChoiceField(prefix + "burnout-output", burnoutOutputChoices(), thermocouple.burnoutOutput);
        addChoiceField(prefix + "scale", scaleChoices(), thermocouple.scale);
        for (const auto& [name, which] :
            { std::pair { "lower", Temperature::Lower }, std::pair { "upper", Temperature::Upper } }) {
            int& tenths = temperature(n, which);
            addField({ prefix + name, FormField::Kind::Number, {},
                [this, n, which = which] { return temperatureText(n, which); },
                [&tenths](const std::string& text) {
                    tenths = temperatureTenths(readLeadingNumber(text));
                    return true;
                } });
        }
    }
}

const std::vector<ChoiceItem>& ThermoSettingsForm::rangeChoices()
{
    static const std::vector<ChoiceItem> choices = [] {
        std::vector<ChoiceItem> list;
        for (int range = 0; range < kInputRangeCount; ++range)
            list.push_back({ analogRangeListText(AnalogRangeType(range)), range });
        list.push_back({ "熱電対", kThermocoupleRange });
        return list;
    }();
    return choices;
}

const std::vector<ChoiceItem>& ThermoSettingsForm::typeChoices()
{
    static const std::vector<ChoiceItem> choices { { "K", 0 }, { "J", 1 }, { "T", 2 }, { "E", 3 }, { "N", 4 },
        { "R", 5 }, { "S", 6 }, { "B", 7 } };
    return choices;
}

const std::vector<ChoiceItem>& ThermoSettingsForm::burnoutOutputChoices()
{
    static const std::vector<ChoiceItem> choices { { "800000h", 0 }, { "7FFFFFh", 1 } };
    return choices;
}

const std::vector<ChoiceItem>& ThermoSettingsForm::scaleChoices()
{
    static const std::vector<ChoiceItem> choices { { "0-10V", 0 }, { "0-5V", 1 }, { "1-5V", 2 },
        { "4-20ｍA", 3 } };
    return choices;
}

void ThermoSettingsForm::setSamplingRate(int rate)
{
    if (inList(rate, kSamplingRateCount))
        m_samplingRate = rate;
}

void ThermoSettingsForm::setInput(int input, const ThermoInput& values)
{
    if (!hasInput(input))
        return;
    setRange(input, values.range);
    const ThermocoupleSettings& t = values.thermocouple;
    setType(input, t.type);
    setColdJunction(input, t.coldJunction);
    setBurnoutDetection(input, t.burnoutDetection);
    setBurnoutOutput(input, t.burnoutOutput);
    setScale(input, t.scale);
    temperature(input, Temperature::Lower) = std::clamp(t.lower, kCountMin, kCountMax);
    temperature(input, Temperature::Upper) = std::clamp(t.upper, kCountMin, kCountMax);
}

void ThermoSettingsForm::setRange(int input, int range)
{
    if (hasInput(input) && inList(range, kThermocoupleRange + 1))
        m_inputs[size_t(input)].range = range;
}

void ThermoSettingsForm::setType(int input, int type)
{
    if (hasInput(input) && inList(type, kThermocoupleTypeCount))
        m_inputs[size_t(input)].thermocouple.type = type;
}

void ThermoSettingsForm::setColdJunction(int input, bool on)
{
    if (hasInput(input))
        m_inputs[size_t(input)].thermocouple.coldJunction = on;
}

void ThermoSettingsForm::setBurnoutDetection(int input, bool on)
{
    if (hasInput(input))
        m_inputs[size_t(input)].thermocouple.burnoutDetection = on;
}

void ThermoSettingsForm::setBurnoutOutput(int input, int output)
{
    if (hasInput(input) && inList(output, kBurnoutOutputCount))
        m_inputs[size_t(input)].thermocouple.burnoutOutput = output;
}

void ThermoSettingsForm::setScale(int input, int scale)
{
    if (hasInput(input) && inList(scale, kScaleRangeCount))
        m_inputs[size_t(input)].thermocouple.scale = scale;
}

NumericEntry ThermoSettingsForm::enterTemperature(int input, Temperature which, const std::string& text)
{
    NumericEntry entry = filterNumericEntry(text);
    if (hasInput(input))
        temperature(input, which) = temperatureTenths(entry.value);
    return entry;
}

std::string ThermoSettingsForm::temperatureText(int input, Temperature which) const
{
    const ThermocoupleSettings& t = this->input(input).thermocouple;
    const int tenths = which == Temperature::Lower ? t.lower : t.upper;
    return formatFixed(tenths / kTenthsPerDegree, 0, kTemperatureDecimals);
}

int& ThermoSettingsForm::temperature(int input, Temperature which)
{
    ThermocoupleSettings& t = m_inputs[size_t(input)].thermocouple;
    return which == Temperature::Lower ? t.lower : t.upper;
}

} // namespace kovra

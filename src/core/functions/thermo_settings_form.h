#pragma once

#include "core/alerts/numeric_entry_filter.h"
#include "core/app/dialog_form.h"
#include "core/functions/analog_commands.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace kovra {

// One AI of the thermocouple models: its input range and its thermocouple settings (used
// while the range is the thermocouple).
struct ThermoInput {
    int range = 0;
    ThermocoupleSettings thermocouple;
};

// "その他の設定" of the models with thermocouple inputs (template 136): the ADC sampling
// rate and, per AI, the range, thermocouple type, cold-junction compensation, burn-out
// detection and output, output scale and the temperature span. It has no checks of its
// own: every control stores its value as it changes.
class ThermoSettingsForm : public DialogForm {
public:
    static constexpr int kTemplateId = 136;

    // One entry per AI of the model (at most five).
    explicit ThermoSettingsForm(int modelId);

    int templateId() const override { return kTemplateId; }
    std::string dialogName() const override { return "ThermoSettingsDialog"; }
    std::optional<std::string> check() override { return std::nullopt; }

    int inputCount() const { return m_inputCount; }

    // The rows of the lists: ranges (the six analog ranges, then "熱電対"), thermocouple
    // types, burn-out outputs and output scales.
    static const std::vector<ChoiceItem>& rangeChoices();
    static const std::vector<ChoiceItem>& typeChoices();
    static const std::vector<ChoiceItem>& burnoutOutputChoices();
    static const std::vector<ChoiceItem>& scaleChoices();

    // Values outside their lists and AIs the model lacks are ignored.
    int samplingRate() const { return m_samplingRate; }
    void setSamplingRate(int rate);
    const ThermoInput& input(int input) const { return m_inputs.at(size_t(input)); }
    void setInput(int input, const ThermoInput& values);
    void setRange(int input, int range);
    void setType(int input, int type);
    void setColdJunction(int input, bool on);
    void setBurnoutDetection(int input, bool on);
    void setBurnoutOutput(int input, int output);
    void setScale(int input, int scale);

    // The type, the six radios, the scale and the two temperatures take effect only for an
    // AI whose range is the thermocouple.
    bool thermocoupleEnabled(int input) const { return this->input(input).range == kThermocoupleRange; }

    // The temperatures are kept in 0.1 degree steps: a typed value is multiplied by 10,
    // truncated and held to the count range.
    enum class Temperature { Lower, Upper };
    // One change of a temperature edit: the numeric-entry filter's outcome; the form keeps
    // the value of the accepted text.
    NumericEntry enterTemperature(int input, Temperature which, const std::string& text);
    // The stored temperature as its edit shows it after losing focus: "%.1f".
    std::string temperatureText(int input, Temperature which) const;

private:
    bool hasInput(int input) const { return input >= 0 && input < m_inputCount; }
    int& temperature(int input, Temperature which);

    int m_inputCount = 0;
    int m_samplingRate = 0;
    std::array<ThermoInput, kAnalogInputMax> m_inputs {};
};

} // namespace kovra

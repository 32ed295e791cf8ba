#pragma once

#include "core/alerts/numeric_entry_filter.h"
#include "core/app/dialog_form.h"
#include "core/functions/analog_commands.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace kovra {

// Shown when an AO initial value is outside its kind's span.
extern const char* const kOutputValueError;

// The value an AO initial count stands for: current counts scale against 32767 on both
// sides (0x7FFF is 20 mA); voltage counts against 32767 above zero and 32768 below.
double outputInitialValue(const AnalogOutputInitial& output);
// The count of a value within its kind's span: rounded half away from zero, held to the
// 16-bit count range (20 mA and +10 V give 0x7FFF, -10 V gives 0x8000).
int outputInitialRaw(int kind, double value);
// The value as the AO edit shows it: "%+.5f", always with a decimal point.
std::string outputInitialText(const AnalogOutputInitial& output);

// "その他の設定" of models 8, 9 and 11 (template 132). Model 8 sets its ADC sampling rate and
// the ranges of AI1..AI3; models 9 and 11 the kind and initial value of their AOs (two on
// model 9, three on 11). The unit's values are read into the form before it opens.
class AnalogSettingsForm : public DialogForm {
public:
    static constexpr int kTemplateId = 132;
    static constexpr int kRangeInputs = 3; // the dialog has range combos for AI1..AI3

    explicit AnalogSettingsForm(int modelId);

    int templateId() const override { return kTemplateId; }
    std::string dialogName() const override { return "AnalogSettingsDialog"; }
    // Per AO in order: current 0..20 mA, voltage -10..+10 V, else kOutputValueError.
    std::optional<std::string> check() override;

    // What the dialog shows for the model: the sampling rate and the ranges of this many AIs
    // (model 8: 3), the AO group with this many AOs (models 9 and 11).
    int inputCount() const { return m_inputCount; }
    int outputCount() const { return m_outputCount; }

    // The rows of the range combos (index 0..5).
    static const std::vector<ChoiceItem>& rangeChoices();
    // The AO kinds by the names kovractl takes ("voltage", "current").
    static const std::vector<ChoiceItem>& outputKindChoices();

    // Values outside their lists and channels the model lacks are ignored.
    int samplingRate() const { return m_samplingRate; }
    void setSamplingRate(int rate);
    int inputRange(int input) const { return m_ranges.at(size_t(input)); }
    void setInputRange(int input, int range);
    int outputKind(int output) const { return m_outputs.at(size_t(output)).kind; }
    void setOutputKind(int output, int kind);
    // The text of an AO's value edit; OK reads the number at its start.
    const std::string& outputText(int output) const { return m_outputs.at(size_t(output)).text; }
    void setOutputText(int output, const std::string& text);
    // One change of an AO's value edit: the numeric-entry filter's outcome; the form keeps
    // the accepted text.
    NumericEntry enterOutputText(int output, const std::string& text);

    // The AO as the unit reported it: its kind and its value shown "%+.5f".
    void loadOutput(int output, const AnalogOutputInitial& value);
    // The AO as OK writes it: its kind and the count of its checked value.
    AnalogOutputInitial output(int output) const;

private:
    struct OutputEntry {
        int kind = kOutputVoltage;
        std::string text;
    };

    bool hasInput(int input) const { return input >= 0 && input < m_inputCount; }
    bool hasOutput(int output) const { return output >= 0 && output < m_outputCount; }

    int m_inputCount = 0;
    int m_outputCount = 0;
    int m_samplingRate = 0;
    std::array<int, kRangeInputs> m_ranges {};
    std::array<OutputEntry, kAnalogOutputMax> m_outputs {};
};

} // namespace kovra

#include "core/functions/analog_commands.h"
#include "core/functions/analog_settings_form.h"
#include "core/functions/other_settings_paths.h"

namespace kovra {

namespace {

// Model 8 reads and writes its sampling rate and AI ranges, models 9 and 11 their AO initial
// values, all on one connection to the unit's command port.
class AnalogSettingsPath : public DialogPath {
public:
    explicit AnalogSettingsPath(const UnitSlot& unit)
        : m_unit(unit.record)
        , m_form(unit.record.modelIndex)
    {
    }

    DialogForm& form() override { return m_form; }
    int load() override;
    WritePlan plan() override;
    // store() keeps nothing: the settings reader has none of these values, the unit is asked
    // for them again each time the dialog opens.

private:
    UnitRecord m_unit;
    AnalogSettingsForm m_form;
};

int AnalogSettingsPath::load()
{
    DirectCommand command;
    if (const int result = command.open(m_unit))
        return result;
    int result = 0;
    if (m_form.inputCount() > 0) {
        int rate = 0;
        if ((result = readSamplingRate(command, rate)) == 0)
            m_form.setSamplingRate(rate);
    }
    for (int input = 0; input < m_form.inputCount() && result == 0; ++input) {
        int range = 0;
        result = runDirectRead(command, analogRequest(rangeReadRequest(input), kRangeReadAnswerLength),
            [&range, input](const std::string& answer) {
                return parseRangeReadAnswer(answer, input, kInputRangeCount, range);
            });
        if (result == 0)
            m_form.setInputRange(input, range);
    }
    for (int output = 0; output < m_form.outputCount() && result == 0; ++output) {
        AnalogOutputInitial value;
        result = runDirectRead(command, analogRequest(outputReadRequest(output), kOutputReadAnswerLength),
            [&value, output](
                const std::string& answer) { return parseOutputReadAnswer(answer, output, value); });
        if (result == 0)
            m_form.loadOutput(output, value);
    }
    return result;
}

WritePlan AnalogSettingsPath::plan()
{
    DirectStep step;
    if (m_form.inputCount() > 0)
        step.requests.push_back(samplingRateWrite(m_form.samplingRate()));
    for (int input = 0; input < m_form.inputCount(); ++input)
        step.requests.push_back(
            analogRequest(rangeWriteRequest(input, m_form.inputRange(input)), kRangeWriteAnswerLength));
    for (int output = 0; output < m_form.outputCount(); ++output)
        step.requests.push_back(
            analogRequest(outputWriteRequest(output, m_form.output(output)), kOutputWriteAnswerLength));
    return { step };
}

} // namespace

std::unique_ptr<DialogPath> makeAnalogSettingsPath(const UnitSlot& unit)
{
    return std::make_unique<AnalogSettingsPath>(unit);
}

} // namespace kovra

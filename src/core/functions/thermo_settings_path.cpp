#include "core/functions/analog_commands.h"
#include "core/functions/other_settings_paths.h"
#include "core/functions/thermo_settings_form.h"

namespace kovra {

namespace {

// The sampling rate and, per AI, the range and the thermocouple settings, read before the
// dialog opens and written after OK on one connection to the unit's command port.
class ThermoSettingsPath : public DialogPath {
public:
    explicit ThermoSettingsPath(const UnitSlot& unit)
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
    ThermoSettingsForm m_form;
};

int ThermoSettingsPath::load()
{
    DirectCommand command;
    if (const int result = command.open(m_unit))
        return result;
    int rate = 0;
    int result = readSamplingRate(command, rate);
    if (result == 0)
        m_form.setSamplingRate(rate);
    for (int input = 0; input < m_form.inputCount() && result == 0; ++input) {
        ThermoInput values;
        result = runDirectRead(command, analogRequest(rangeReadRequest(input), kRangeReadAnswerLength),
            [&values, input](const std::string& answer) {
                return parseRangeReadAnswer(answer, input, kThermocoupleRange + 1, values.range);
            });
        if (result == 0)
            result = runDirectRead(command, analogRequest(thermoReadRequest(input), kThermoReadAnswerLength),
                [&values, input](const std::string& answer) {
                    return parseThermoReadAnswer(answer, input, values.thermocouple);
                });
        if (result == 0)
            m_form.setInput(input, values);
    }
    return result;
}

WritePlan ThermoSettingsPath::plan()
{
    DirectStep step;
    step.requests.push_back(samplingRateWrite(m_form.samplingRate()));
    for (int input = 0; input < m_form.inputCount(); ++input) {
        const ThermoInput& values = m_form.input(input);
        step.requests.push_back(
            analogRequest(rangeWriteRequest(input, values.range), kRangeWriteAnswerLength));
        step.requests.push_back(
            analogRequest(thermoWriteRequest(input, values.thermocouple), kThermoWriteAnswerLength));
    }
    return { step };
}

} // namespace

std::unique_ptr<DialogPath> makeThermoSettingsPath(const UnitSlot& unit)
{
    return std::make_unique<ThermoSettingsPath>(unit);
}

} // namespace kovra

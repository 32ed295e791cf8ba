#include "core/alerts/do_alert_form.h"

#include "core/alerts/analog_scaling.h"

namespace kovra {

namespace {

// The counts as the preview reads them: High and Low signed, the width unsigned.
int signedCount(uint16_t raw)
{
    return raw >= 0x8000 ? int(raw) - 0x10000 : int(raw);
}

} // namespace

DoAlertForm::DoAlertForm(const DoAlertSetup& setup)
    : m_inputs(setup.inputs)
    , m_monitoredInput(
          setup.monitoredInput >= 0 && setup.monitoredInput < kDoAlertInputCount ? setup.monitoredInput : 0)
    , m_direction(doAlertChoice(setup.hysteresisDirection))
    , m_width(setup.hysteresisWidth)
{
    reloadInput();
    addFields();
}

void DoAlertForm::addFields()
{
    addSetterField("input", { { "ai1", 0 }, { "ai2", 1 }, { "ai3", 2 } }, &DoAlertForm::monitoredInput,
        &DoAlertForm::selectMonitoredInput);
    addSetterField("led", { { "inside", kLedLitInside }, { "outside", kLedLitOutside } },
        &DoAlertForm::ledCondition, &DoAlertForm::setLedCondition);
    addEntryField("high", &DoAlertForm::highText, &DoAlertForm::enterHigh);
    addEntryField("low", &DoAlertForm::lowText, &DoAlertForm::enterLow);
    addEntryField("width", &DoAlertForm::widthText, &DoAlertForm::enterWidth);
    addSetterField("direction",
        { { "off-first", kDirectionOffPriority }, { "on-first", kDirectionOnPriority } },
        &DoAlertForm::direction, &DoAlertForm::setDirection);
}

void DoAlertForm::addSetterField(const std::string& name, const std::vector<ChoiceItem>& choices,
    int (DoAlertForm::*get)() const, void (DoAlertForm::*set)(int))
{
    addField({ name, FormField::Kind::Choice, choices,
        [this, choices, get] { return choiceText(choices, (this->*get)()); },
        [this, choices, set](const std::string& text) {
            for (const auto& choice : choices) {
                if (choice.text == text) {
                    (this->*set)(choice.value);
                    return true;
                }
            }
            return false;
        } });
}

void DoAlertForm::addEntryField(const std::string& name, std::string (DoAlertForm::*get)() const,
    AnalogEntryOutcome (DoAlertForm::*enter)(const std::string&))
{
    addField({ name, FormField::Kind::Number, {}, [this, get] { return (this->*get)(); },
        [this, enter](const std::string& text) { return !(this->*enter)(text).nonNumeric; } });
}

AnalogRangeType DoAlertForm::rangeType() const
{
    return m_inputs[size_t(m_monitoredInput)].rangeType;
}

std::string DoAlertForm::highText() const
{
    return formatEntry(rawToValue(m_high, rangeType(), false));
}

std::string DoAlertForm::lowText() const
{
    return formatEntry(rawToValue(m_low, rangeType(), false));
}

std::string DoAlertForm::widthText() const
{
    return formatEntry(rawToValue(m_width, rangeType(), true));
}

std::string DoAlertForm::rangeName() const
{
    return analogRangeName(rangeType());
}

void DoAlertForm::selectMonitoredInput(int input)
{
    if (input < 0 || input >= kDoAlertInputCount)
        return;
    m_monitoredInput = input;
    reloadInput();
}

void DoAlertForm::setLedCondition(int ledCondition)
{
    m_ledCondition = doAlertChoice(ledCondition);
    updatePreview();
}

void DoAlertForm::setDirection(int direction)
{
    m_direction = doAlertChoice(direction);
    updatePreview();
}

AnalogEntryOutcome DoAlertForm::enterHigh(const std::string& text)
{
    const AnalogEntryOutcome outcome = enterAnalogValue(text, rangeType(), AnalogEntryLimit::Threshold);
    m_high = outcome.raw;
    updatePreview();
    return outcome;
}

AnalogEntryOutcome DoAlertForm::enterLow(const std::string& text)
{
    const AnalogEntryOutcome outcome = enterAnalogValue(text, rangeType(), AnalogEntryLimit::Threshold);
    m_low = outcome.raw;
    updatePreview();
    return outcome;
}

AnalogEntryOutcome DoAlertForm::enterWidth(const std::string& text)
{
    const AnalogEntryOutcome outcome = enterAnalogValue(text, rangeType(), AnalogEntryLimit::Hysteresis);
    m_width = outcome.raw;
    updatePreview();
    return outcome;
}

std::array<std::string, kDoAlertLabelCount> DoAlertForm::labelTexts() const
{
    return doAlertLabelTexts(m_preview, rangeType());
}

DoAlertResult DoAlertForm::result() const
{
    DoAlertResult result;
    result.monitoredInput = m_monitoredInput;
    result.hysteresisWidth = m_width;
    result.hysteresisDirection = m_direction;
    result.ledCondition = m_ledCondition;
    result.high = m_high;
    result.low = m_low;
    return result;
}

void DoAlertForm::reloadInput()
{
    const DoAlertInput& input = m_inputs[size_t(m_monitoredInput)];
    m_ledCondition = doAlertChoice(input.ledCondition);
    m_high = input.high;
    m_low = input.low;
    updatePreview();
}

void DoAlertForm::updatePreview()
{
    m_preview = computeDoAlertPreview(
        signedCount(m_high), signedCount(m_low), m_width, m_ledCondition, m_direction, rangeType());
}

} // namespace kovra

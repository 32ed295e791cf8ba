#include "core/alerts/do_alert_form.h"
#include "core/alerts/numeric_entry_filter.h"

#include <gtest/gtest.h>

using namespace kovra;

namespace {

// AI1 ±10 V lit inside 1..2 V, AI2 0-20 mA lit outside 4..16 mA, AI3 ℃ 10..30 degrees.
DoAlertSetup threeInputs(int monitored)
{
    DoAlertSetup setup;
    setup.inputs[0] = { kLedLitInside, 6553, 3277, kRangeVoltage10V };
    setup.inputs[1] = { kLedLitOutside, 26214, 6553, kRangeCurrent250Ohm };
    setup.inputs[2] = { kLedLitInside, 300, 100, kRangeTemperature };
    setup.monitoredInput = monitored;
    setup.hysteresisWidth = 0;
    setup.hysteresisDirection = kDirectionOffPriority;
    return setup;
}

TEST(AlertsDoAlertForm, OpensOnTheMonitoredInput)
{
    struct Case {
        int monitored;
        int expectedInput;
        const char* rangeName;
        const char* highText;
        const char* lowText;
        int ledCondition;
    };
    const Case cases[] = {
        { 0, 0, "電圧[±10V]", "1.999878", "1.000092", kLedLitInside },
        { 1, 1, "電流[0-20mA]", "16.000244", "3.999756", kLedLitOutside },
        { 2, 2, "温度[℃]", "30.000000", "10.000000", kLedLitInside },
        // A stored index the list does not have opens AI1 instead of reading past the inputs.
        { 3, 0, "電圧[±10V]", "1.999878", "1.000092", kLedLitInside },
        { -1, 0, "電圧[±10V]", "1.999878", "1.000092", kLedLitInside },
    };
    for (const auto& c : cases) {
        const DoAlertForm form(threeInputs(c.monitored));
        EXPECT_EQ(form.monitoredInput(), c.expectedInput) << c.monitored;
        EXPECT_EQ(form.rangeName(), c.rangeName) << c.monitored;
        EXPECT_EQ(form.highText(), c.highText) << c.monitored;
        EXPECT_EQ(form.lowText(), c.lowText) << c.monitored;
        EXPECT_EQ(form.ledCondition(), c.ledCondition) << c.monitored;
    }
}

TEST(AlertsDoAlertForm, StoredChoicesOutsideTheirListsReadAsTheFirstEntry)
{
    DoAlertSetup setup = threeInputs(0);
    setup.inputs[0].ledCondition = 4;
    setup.hysteresisDirection = -2;
    DoAlertForm form(setup);
    EXPECT_EQ(form.ledCondition(), kLedLitInside);
    EXPECT_EQ(form.direction(), kDirectionOffPriority);
    form.setLedCondition(1);
    form.setDirection(9);
    EXPECT_EQ(form.ledCondition(), kLedLitOutside);
    EXPECT_EQ(form.direction(), kDirectionOffPriority);
}

TEST(AlertsDoAlertForm, ChangingTheInputDropsWhatWasTyped)
{
    DoAlertForm form(threeInputs(0));
    form.enterHigh("5");
    form.setLedCondition(kLedLitOutside);
    form.enterWidth("0.5");
    form.selectMonitoredInput(1);
    EXPECT_EQ(form.high(), 26214);
    EXPECT_EQ(form.ledCondition(), kLedLitOutside);
    EXPECT_EQ(form.rangeName(), "電流[0-20mA]");
    // The width belongs to the output: its count stays and is shown in the new range.
    EXPECT_EQ(form.width(), 1638);
    EXPECT_EQ(form.widthText(), "0.999786");
    form.selectMonitoredInput(0);
    EXPECT_EQ(form.high(), 6553);
    EXPECT_EQ(form.ledCondition(), kLedLitInside);
    form.selectMonitoredInput(3);
    EXPECT_EQ(form.monitoredInput(), 0);
}

TEST(AlertsDoAlertForm, TypingIsLimitedForTheMonitoredType)
{
    struct Case {
        int monitored;
        const char* field;
        const char* typed;
        bool nonNumeric;
        const char* boxText; // nullptr: unchanged
        uint16_t raw;
    };
    const Case cases[] = {
        { 0, "high", "50", false, "10.000000", 0x7FFF },
        { 0, "low", "-50", false, "-10.000000", 0x8000 },
        { 0, "low", "1a5", true, "1", 3277 },
        { 0, "width", "25", false, "20.000000", 0xFFFE },
        { 1, "low", "-2", false, "0.000000", 0 },
        { 1, "width", "25", false, "20.000000", 0x7FFF },
        { 2, "high", "4000", false, "3276.700000", 32767 },
        { 2, "width", "100", false, nullptr, 1000 },
    };
    for (const auto& c : cases) {
        DoAlertForm form(threeInputs(c.monitored));
        const std::string field = c.field;
        const AnalogEntryOutcome outcome = field == "high" ? form.enterHigh(c.typed)
            : field == "low"                               ? form.enterLow(c.typed)
                                                           : form.enterWidth(c.typed);
        EXPECT_EQ(outcome.nonNumeric, c.nonNumeric) << c.typed;
        EXPECT_EQ(outcome.replaceText, c.boxText != nullptr) << c.typed;
        if (c.boxText) {
            EXPECT_EQ(outcome.text, c.boxText) << c.typed;
        }
        const uint16_t stored = field == "high" ? form.high() : field == "low" ? form.low() : form.width();
        EXPECT_EQ(stored, c.raw) << c.field << " " << c.typed;
    }
}

TEST(AlertsDoAlertForm, PreviewFollowsEveryChange)
{
    DoAlertForm form(threeInputs(0));
    EXPECT_EQ(form.preview().picture, 143);
    const std::array<std::string, kDoAlertLabelCount> initial { "", " 1.9999 V", "", "", "", " 1.0001 V",
        "" };
    EXPECT_EQ(form.labelTexts(), initial);

    form.enterLow("2");
    EXPECT_EQ(form.preview().picture, 174); // Low equal to High, lit inside: never lit
    form.setLedCondition(kLedLitOutside);
    EXPECT_EQ(form.preview().picture, 171);
    EXPECT_EQ(form.labelTexts(), (std::array<std::string, kDoAlertLabelCount> {}));

    form.enterLow("1");
    form.enterWidth("0.2");
    form.setDirection(kDirectionOnPriority);
    EXPECT_EQ(form.preview().picture, 155); // lit outside, hysteresis inside
    form.enterWidth("5");
    EXPECT_EQ(form.preview().picture, 156); // wider than the band
    const std::array<std::string, kDoAlertLabelCount> wide { "", " 1.9999 V", "", "", "", " 1.0001 V", "" };
    EXPECT_EQ(form.labelTexts(), wide);

    form.selectMonitoredInput(2);
    EXPECT_EQ(form.labelTexts()[1], "  30.00 ℃");
}

TEST(AlertsDoAlertForm, ResultCarriesTheEditedValues)
{
    DoAlertForm form(threeInputs(1));
    form.enterHigh("12");
    form.enterLow("3");
    form.enterWidth("1");
    form.setLedCondition(kLedLitInside);
    form.setDirection(kDirectionOnPriority);
    const DoAlertResult result = form.result();
    EXPECT_EQ(result.monitoredInput, 1);
    EXPECT_EQ(result.high, 19660);
    EXPECT_EQ(result.low, 4915);
    EXPECT_EQ(result.hysteresisWidth, 1638);
    EXPECT_EQ(result.ledCondition, kLedLitInside);
    EXPECT_EQ(result.hysteresisDirection, kDirectionOnPriority);
}

} // namespace

TEST(AlertsDoAlertForm, NamedFieldsGoThroughTheDialogsOwnRules)
{
    struct Step {
        const char* field;
        const char* text;
        DialogForm::SetResult result;
        const char* high; // the high field afterwards
    };
    const Step steps[] = {
        // Choosing another input reloads its band, as the list does.
        { "input", "ai2", DialogForm::SetResult::Set, "16.000244" },
        { "input", "ai4", DialogForm::SetResult::NotAllowed, "16.000244" },
        // Typed values are limited to the range: 0-20 mA stops at 20.
        { "high", "25", DialogForm::SetResult::Set, "20.000000" },
        { "high", "x", DialogForm::SetResult::NotAllowed, nullptr },
        { "led", "outside", DialogForm::SetResult::Set, nullptr },
        { "direction", "on-first", DialogForm::SetResult::Set, nullptr },
        { "direction", "1", DialogForm::SetResult::NotAllowed, nullptr },
        { "colour", "red", DialogForm::SetResult::UnknownField, nullptr },
    };
    DoAlertForm form(threeInputs(0));
    for (const auto& step : steps) {
        EXPECT_EQ(form.setFieldText(step.field, step.text), step.result) << step.field << "=" << step.text;
        if (step.high) {
            EXPECT_EQ(form.field("high")->get(), step.high) << step.field << "=" << step.text;
        }
    }
    const DoAlertResult result = form.result();
    EXPECT_EQ(result.monitoredInput, 1);
    EXPECT_EQ(result.ledCondition, kLedLitOutside);
    EXPECT_EQ(result.hysteresisDirection, kDirectionOnPriority);
    EXPECT_FALSE(form.check().has_value());
}

#pragma once

#include "core/alerts/analog_entry.h"
#include "core/alerts/analog_range_type.h"
#include "core/alerts/do_alert_preview.h"
#include "core/app/dialog_form.h"

#include <array>
#include <cstdint>
#include <string>

namespace kovra {

constexpr int kDoAlertInputCount = 3; // AI1..AI3
// The DO alert dialog's template has no number of its own among the units' dialogs; it is
// registered under this one.
constexpr int kDoAlertTemplateId = 150;

// One analog input as the caller's channel row holds it. High and Low are signed counts.
struct DoAlertInput {
    int ledCondition = kLedLitInside;
    uint16_t high = 0;
    uint16_t low = 0;
    AnalogRangeType rangeType = kRangeVoltage10V;
};

// What the DO alert dialog opens with: the three inputs and the output's DO alert record
// (its enable check box stays with the caller).
struct DoAlertSetup {
    std::array<DoAlertInput, kDoAlertInputCount> inputs {};
    int monitoredInput = 0; // 0..2 for AI1..AI3
    uint16_t hysteresisWidth = 0; // unsigned count
    int hysteresisDirection = kDirectionOffPriority;
};

// What OK hands back: monitored input, width and direction for the DO alert record; LED
// condition, High and Low for the channel row of the monitored input (the band it shares
// with its AI mail alert).
struct DoAlertResult {
    int monitoredInput = 0;
    uint16_t hysteresisWidth = 0;
    int hysteresisDirection = kDirectionOffPriority;
    int ledCondition = kLedLitInside;
    uint16_t high = 0;
    uint16_t low = 0;
};

// The DO alert dialog without its widgets: the values, the reload when the monitored input
// changes, the limits applied while typing and the preview. Its fields: `input` (ai1..ai3),
// `led` (inside/outside), `high`, `low`, `width` (engineering values, limited as typed) and
// `direction` (off-first/on-first). OK has no checks: every entry is limited as it is typed.
class DoAlertForm : public DialogForm {
public:
    // A monitored input outside 0..2 opens AI1; LED conditions and a direction other than
    // 0 or 1 read as 0.
    explicit DoAlertForm(const DoAlertSetup& setup);

    int templateId() const override { return kDoAlertTemplateId; }
    std::string dialogName() const override { return "DoAlertDialog"; }
    std::optional<std::string> check() override { return std::nullopt; }

    int monitoredInput() const { return m_monitoredInput; }
    AnalogRangeType rangeType() const;
    int ledCondition() const { return m_ledCondition; }
    int direction() const { return m_direction; }
    uint16_t high() const { return m_high; }
    uint16_t low() const { return m_low; }
    uint16_t width() const { return m_width; }

    // The boxes' texts ("%f" of the values) and the range name for the caption.
    std::string highText() const;
    std::string lowText() const;
    std::string widthText() const;
    std::string rangeName() const;

    // Reloads LED condition, High and Low from that input's entry; what was typed for the
    // previous input is dropped. An index outside 0..2 changes nothing.
    void selectMonitoredInput(int input);
    void setLedCondition(int ledCondition);
    void setDirection(int direction);

    // One change of the High, Low or width box; the outcome says what the box must show.
    AnalogEntryOutcome enterHigh(const std::string& text);
    AnalogEntryOutcome enterLow(const std::string& text);
    AnalogEntryOutcome enterWidth(const std::string& text);

    const DoAlertPreview& preview() const { return m_preview; }
    std::array<std::string, kDoAlertLabelCount> labelTexts() const;

    DoAlertResult result() const;

private:
    void addFields();
    // A choice field that goes through the form's own setter (which updates the preview).
    void addSetterField(const std::string& name, const std::vector<ChoiceItem>& choices,
        int (DoAlertForm::*get)() const, void (DoAlertForm::*set)(int));
    // A field whose text goes through one of the enter functions (the numeric-entry filter
    // refuses what it would refuse while typing).
    void addEntryField(const std::string& name, std::string (DoAlertForm::*get)() const,
        AnalogEntryOutcome (DoAlertForm::*enter)(const std::string&));
    void reloadInput();
    void updatePreview();

    std::array<DoAlertInput, kDoAlertInputCount> m_inputs;
    int m_monitoredInput = 0;
    int m_ledCondition = kLedLitInside;
    int m_direction = kDirectionOffPriority;
    uint16_t m_high = 0;
    uint16_t m_low = 0;
    uint16_t m_width = 0;
    DoAlertPreview m_preview;
};

} // namespace kovra

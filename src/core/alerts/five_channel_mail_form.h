#pragma once

#include "core/alerts/analog_alert_commands.h"
#include "core/alerts/analog_entry.h"
#include "core/alerts/analog_mail_form.h"
#include "core/alerts/analog_range_type.h"
#include "core/alerts/do_alert_form.h"

#include <array>

namespace kovra {

// The five-channel mail dialog has no template number among the units' dialogs; it is
// registered under this one.
constexpr int kFiveChannelMailTemplateId = 154;
constexpr int kFiveChannelAiMax = 5;
constexpr int kFiveChannelDoMax = kDoAlertRecordCount;

// One channel row: the range its counts are read in, the band (signed counts) it shares with
// the DO alerts, the LED condition and the AI mail alert.
struct AnalogMailChannel {
    AnalogRangeType range = kRangeVoltage10V;
    uint16_t low = 0;
    uint16_t high = 0;
    int ledCondition = kLedLitInside;
    bool mail = false;
};

// The mail alert dialog of the analog QX units ("メールアラート設定"): one SMTP account with the
// SMTP-AUTH box, the server as a host name or an IP address by unit, rows Ch1..Ch5 up to the
// model's AI count and DO1/DO2 up to its DO count, each DO with its DO alert record edited in
// the DO alert dialog. Fields: the account's, chN.range (the list texts), chN.low and chN.high
// (in the row's unit), chN.led (inside/outside), chN.mail (on/off), doN.alert (on/off),
// doN.input (ai1..ai3), doN.width (in the monitored input's unit), doN.direction
// (off-first/on-first).
class FiveChannelMailForm : public AnalogMailForm {
public:
    // hostName: the unit takes its server as a host name, else as an IP address. The counts
    // are held to 0..5 inputs and 0..2 outputs.
    FiveChannelMailForm(const UnitSettings& settings, bool hostName, int aiCount, int doCount,
        const std::array<AnalogMailChannel, kFiveChannelAiMax>& channels, const DoAlertRecords& records);

    int templateId() const override { return kFiveChannelMailTemplateId; }
    std::string dialogName() const override { return "FiveChannelMailDialog"; }
    // The dialog's checks in order (server set, port, sender, recipients, message), then the
    // refusals of what would break the mail message.
    std::optional<std::string> check() override;

    static const std::vector<ChoiceItem>& rangeChoices(); // "100mV" .. "℃"
    static const std::vector<ChoiceItem>& ledChoices(); // "範囲内", "範囲外"

    bool hostName() const { return m_hostName; }
    int aiCount() const { return m_aiCount; }
    int doCount() const { return m_doCount; }

    const AnalogMailChannel& channel(int ai) const { return m_channels[size_t(ai)]; }
    // A new range keeps the counts: the boxes show them again under it.
    void setRange(int ai, AnalogRangeType range) { m_channels[size_t(ai)].range = range; }
    void setLedCondition(int ai, int led) { m_channels[size_t(ai)].ledCondition = led; }
    void setMail(int ai, bool on) { m_channels[size_t(ai)].mail = on; }
    // The Low and High boxes: "%f" of the counts under the row's range, and one change of a
    // box (the numeric-entry filter, then valueToRaw signed under the row's range).
    std::string lowText(int ai) const;
    std::string highText(int ai) const;
    AnalogEntryOutcome enterLow(int ai, const std::string& text);
    AnalogEntryOutcome enterHigh(int ai, const std::string& text);

    const DoAlertRecords& doRecords() const { return m_records; }
    void setDoAlertEnabled(int output, bool on) { m_records[size_t(output)].enabled = on; }

    // What the DO alert dialog of DO `output` opens with: AI1..AI3's rows and the record.
    DoAlertSetup doAlertSetup(int output) const;
    // What it gave back on OK: the record takes monitored input, width and direction, the
    // monitored input's row Low, High and LED condition (the band is shared).
    void takeDoAlert(int output, const DoAlertResult& result);
    // The "設定" button of DO `output`: the DO alert dialog through `ui`; true when it closed
    // with OK and its values were taken.
    bool editDoAlert(int output, UserInterface& ui);

    // The band of a row as "AL" carries it: condition 1 + LED condition, the flag the mail.
    static AnalogAlert alertOf(const AnalogMailChannel& channel);
    // A row from what "AK" and "AJ" read.
    static AnalogMailChannel channelOf(const AnalogAlert& alert, AnalogRangeType range);

protected:
    std::optional<std::string> checkAccount() override;

private:
    void addChannelFields(int ai);
    void addOutputFields(int output);

    bool m_hostName = false;
    int m_aiCount = 0;
    int m_doCount = 0;
    std::array<AnalogMailChannel, kFiveChannelAiMax> m_channels;
    DoAlertRecords m_records;
};

} // namespace kovra

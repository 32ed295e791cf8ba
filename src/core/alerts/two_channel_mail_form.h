#pragma once

#include "core/alerts/analog_alert_commands.h"
#include "core/alerts/analog_mail_form.h"

#include <array>

namespace kovra {

// The two-channel mail dialog has no template number among the units' dialogs; it is
// registered under this one.
constexpr int kTwoChannelMailTemplateId = 153;
constexpr int kTwoChannelAiCount = 2; // AI1 ±10 V, AI2 0-20 mA
constexpr int kTwoChannelDiCount = 3;

// What a DI row's list stands for: no mail, mail on ON, mail on OFF.
constexpr int kDiAlertNone = 0;
constexpr int kDiAlertOn = 1;
constexpr int kDiAlertOff = 2;

// The mail alert dialog of the QX units ("メールアラート設定"): one SMTP account, AI1 in volts
// and AI2 in milliamperes each with its condition and band, DI1..DI3 each none/ON/OFF. Fields:
// the account's (no SMTP-AUTH box: user and password always go), aiN.condition
// (none/inside/outside), aiN.low and aiN.high (V for AI1, mA for AI2, as the boxes show them),
// diN (none/on/off).
class TwoChannelMailForm : public AnalogMailForm {
public:
    // The account as the unit reported it, the conditions as "AK" and "DN" read them.
    TwoChannelMailForm(const UnitSettings& settings,
        const std::array<AnalogAlert, kTwoChannelAiCount>& alerts, const DiAlertMasks& masks);

    int templateId() const override { return kTwoChannelMailTemplateId; }
    std::string dialogName() const override { return "TwoChannelMailDialog"; }
    // Port, AI1's band, AI2's band, then the refusals of what would break the mail message.
    // On success the bands are stored as counts.
    std::optional<std::string> check() override;

    static const std::vector<ChoiceItem>& conditionChoices(); // "なし", "範囲内", "範囲外"
    static const std::vector<ChoiceItem>& diChoices(); // "なし", "ON", "OFF"

    // The conditions as the dialog's rows hold them; the bands as the boxes' texts.
    int condition(int ai) const { return m_alerts[size_t(ai)].condition; }
    void setCondition(int ai, int condition) { m_alerts[size_t(ai)].condition = condition; }
    int diAlert(int di) const { return m_diAlerts[size_t(di)]; }
    void setDiAlert(int di, int value) { m_diAlerts[size_t(di)] = value; }

    // After check(): the bands as counts (the flag as read) and the DI masks.
    const std::array<AnalogAlert, kTwoChannelAiCount>& alerts() const { return m_alerts; }
    DiAlertMasks diMasks() const;

protected:
    std::optional<std::string> checkAccount() override;

private:
    std::array<AnalogAlert, kTwoChannelAiCount> m_alerts;
    std::array<std::string, kTwoChannelAiCount> m_lowTexts;
    std::array<std::string, kTwoChannelAiCount> m_highTexts;
    std::array<int, kTwoChannelDiCount> m_diAlerts {};
};

} // namespace kovra

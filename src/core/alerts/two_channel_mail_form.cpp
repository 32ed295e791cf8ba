#include "core/alerts/two_channel_mail_form.h"

#include "core/alerts/analog_scaling.h"
#include "core/alerts/mail_text_check.h"
#include "core/alerts/number_text.h"

namespace kovra {

namespace {

constexpr int kMaxPort = 65535;
constexpr size_t kTextMax = 64; // the edit boxes' limit
constexpr size_t kMessageMax = 32;
constexpr const char* kPortError = "ポート設定が違います。";
constexpr const char* kServerCaption = "SMTPサーバアドレス";

// AI1 is a ±10 V input, AI2 a 0-20 mA one.
constexpr std::array<AnalogRangeType, kTwoChannelAiCount> kRanges { kRangeVoltage10V, kRangeCurrent250Ohm };
constexpr std::array<double, kTwoChannelAiCount> kLowest { -10.0, 0.0 };
constexpr std::array<double, kTwoChannelAiCount> kHighest { 10.0, 20.0 };
constexpr std::array<const char*, kTwoChannelAiCount> kBandErrors {
    "AI1の閾値設定が正しくありません。",
    "AI2の閾値設定が正しくありません。",
};

std::string boxText(int raw, AnalogRangeType type)
{
    return formatValue(rawToValue(raw, type, false), type, false);
}

std::string aiName(int ai)
{
    return "ai" + std::to_string(ai + 1);
}

} // namespace

const std::vector<ChoiceItem>& TwoChannelMailForm::conditionChoices()
{
    static const std::vector<ChoiceItem> choices { { "なし", kAlertConditionNone },
        { "範囲内", kAlertConditionInside }, { "範囲外", kAlertConditionOutside } };
    return choices;
}

const std::vector<ChoiceItem>& TwoChannelMailForm::diChoices()
{
    static const std::vector<ChoiceItem> choices { { "なし", kDiAlertNone }, { "ON", kDiAlertOn },
        { "OFF", kDiAlertOff } };
    return choices;
}

TwoChannelMailForm::TwoChannelMailForm(const UnitSettings& settings,
    const std::array<AnalogAlert, kTwoChannelAiCount>& alerts, const DiAlertMasks& masks)
    : AnalogMailForm(settings, false)
    , m_alerts(alerts)
{
    for (int ai = 0; ai < kTwoChannelAiCount; ++ai) {
        m_lowTexts[size_t(ai)] = boxText(alerts[size_t(ai)].low, kRanges[size_t(ai)]);
        m_highTexts[size_t(ai)] = boxText(alerts[size_t(ai)].high, kRanges[size_t(ai)]);
    }
    for (int di = 0; di < kTwoChannelDiCount; ++di) {
        const uint8_t bit = uint8_t(1u << di);
        m_diAlerts[size_t(di)] = !(masks.enabled & bit) ? kDiAlertNone
            : (masks.on & bit)                          ? kDiAlertOn
                                                        : kDiAlertOff;
    }

    addServerField();
    addAccountFields(false, true);
    for (int ai = 0; ai < kTwoChannelAiCount; ++ai) {
        addChoiceField(aiName(ai) + ".condition",
            { { "none", kAlertConditionNone }, { "inside", kAlertConditionInside },
                { "outside", kAlertConditionOutside } },
            m_alerts[size_t(ai)].condition);
        addTextField(aiName(ai) + ".low", m_lowTexts[size_t(ai)], FormField::Kind::Number);
        addTextField(aiName(ai) + ".high", m_highTexts[size_t(ai)], FormField::Kind::Number);
    }
    for (int di = 0; di < kTwoChannelDiCount; ++di)
        addChoiceField("di" + std::to_string(di + 1),
            { { "none", kDiAlertNone }, { "on", kDiAlertOn }, { "off", kDiAlertOff } },
            m_diAlerts[size_t(di)]);
}

std::optional<std::string> TwoChannelMailForm::checkAccount()
{
    const auto port = portValue();
    if (!port || *port > kMaxPort)
        return kPortError;
    setCheckedPort(*port);
    if (auto refusal = sentTextRefusal(kServerCaption, m_server, kTextMax))
        return refusal;
    return refuseUnsendable(kTextMax, kMessageMax);
}

std::optional<std::string> TwoChannelMailForm::check()
{
    const auto port = portValue();
    if (!port || *port > kMaxPort)
        return kPortError;
    std::array<AnalogAlert, kTwoChannelAiCount> bands = m_alerts;
    for (size_t ai = 0; ai < bands.size(); ++ai) {
        const double low = readLeadingNumber(m_lowTexts[ai]);
        const double high = readLeadingNumber(m_highTexts[ai]);
        // Written so that a NaN fails too.
        if (!(low >= kLowest[ai] && low <= kHighest[ai] && high >= kLowest[ai] && high <= kHighest[ai]
                && high >= low))
            return kBandErrors[ai];
        bands[ai].low = int16_t(valueToRawAlert(low, kRanges[ai]));
        bands[ai].high = int16_t(valueToRawAlert(high, kRanges[ai]));
    }
    if (auto refusal = checkAccount())
        return refusal;
    m_alerts = bands;
    return std::nullopt;
}

DiAlertMasks TwoChannelMailForm::diMasks() const
{
    DiAlertMasks masks;
    for (int di = 0; di < kTwoChannelDiCount; ++di) {
        const uint8_t bit = uint8_t(1u << di);
        if (m_diAlerts[size_t(di)] != kDiAlertNone)
            masks.enabled |= bit;
        if (m_diAlerts[size_t(di)] == kDiAlertOn)
            masks.on |= bit;
    }
    return masks;
}

} // namespace kovra

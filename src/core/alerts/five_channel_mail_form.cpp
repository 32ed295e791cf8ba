#include "core/alerts/five_channel_mail_form.h"

#include "core/alerts/analog_scaling.h"
#include "core/alerts/mail_text_check.h"
#include "core/alerts/number_text.h"
#include "core/app/user_interface.h"
#include "core/platform/ipv4.h"

#include <algorithm>

namespace kovra {

namespace {

constexpr int kMaxPort = 65535;
constexpr char kAt = '@';
constexpr char kNoServer[] = "0.0.0.0";
constexpr size_t kHostNameMax = 50;
constexpr size_t kSenderPartMax = 23;
constexpr size_t kRecipientMax = 48;
constexpr size_t kMessageLimit = 24; // this many characters or more are refused
constexpr size_t kTextMax = kRecipientMax; // user and password: as wide as the widest box

constexpr const char* kPortError = "ポート番号エラー";
constexpr const char* kSenderError = "送信元メールアドレスエラー";
constexpr const char* kSenderFullWidth = "送信元に全角文字が含まれています";
constexpr const char* kRecipientError = "送信先メールアドレスエラー";
constexpr const char* kRecipientFullWidth = "送信先に全角文字が含まれています";
constexpr const char* kMessageFullWidth = "メッセージに全角文字が含まれています";
constexpr const char* kAddressError = "IPアドレス設定エラー";
constexpr const char* kServerCaption = "SMTPサーバアドレス";

std::string rowName(const char* prefix, int index, const char* field)
{
    return prefix + std::to_string(index + 1) + "." + field;
}

} // namespace

const std::vector<ChoiceItem>& FiveChannelMailForm::rangeChoices()
{
    static const std::vector<ChoiceItem> choices = [] {
        std::vector<ChoiceItem> list;
        for (int type = 0; type < kAnalogRangeTypeCount; ++type)
            list.push_back({ analogRangeListText(AnalogRangeType(type)), type });
        return list;
    }();
    return choices;
}

const std::vector<ChoiceItem>& FiveChannelMailForm::ledChoices()
{
    static const std::vector<ChoiceItem> choices { { "範囲内", kLedLitInside },
        { "範囲外", kLedLitOutside } };
    return choices;
}

AnalogAlert FiveChannelMailForm::alertOf(const AnalogMailChannel& channel)
{
    AnalogAlert alert;
    alert.condition = channel.ledCondition == kLedLitOutside ? kAlertConditionOutside : kAlertConditionInside;
    alert.flag = channel.mail;
    alert.low = int16_t(channel.low);
    alert.high = int16_t(channel.high);
    return alert;
}

AnalogMailChannel FiveChannelMailForm::channelOf(const AnalogAlert& alert, AnalogRangeType range)
{
    AnalogMailChannel channel;
    channel.range = range;
    channel.low = uint16_t(alert.low);
    channel.high = uint16_t(alert.high);
    channel.ledCondition = alert.condition == kAlertConditionOutside ? kLedLitOutside : kLedLitInside;
    channel.mail = alert.flag;
    return channel;
}

FiveChannelMailForm::FiveChannelMailForm(const UnitSettings& settings, bool hostName, int aiCount,
    int doCount, const std::array<AnalogMailChannel, kFiveChannelAiMax>& channels,
    const DoAlertRecords& records)
    : AnalogMailForm(settings, true)
    , m_hostName(hostName)
    , m_aiCount(std::clamp(aiCount, 0, kFiveChannelAiMax))
    , m_doCount(std::clamp(doCount, 0, kFiveChannelDoMax))
    , m_channels(channels)
    , m_records(records)
{
    // With the server as an address the dialog hides the SMTP-AUTH box and the user.
    addServerField();
    addAccountFields(m_hostName, m_hostName);
    for (int ai = 0; ai < m_aiCount; ++ai)
        addChannelFields(ai);
    for (int output = 0; output < m_doCount; ++output)
        addOutputFields(output);
}

void FiveChannelMailForm::addChannelFields(int ai)
{
    AnalogMailChannel& row = m_channels[size_t(ai)];
    addField({ rowName("ch", ai, "range"), FormField::Kind::Choice, rangeChoices(),
        [this, ai] { return choiceText(rangeChoices(), int(channel(ai).range)); },
        [this, ai](const std::string& text) {
            for (const auto& choice : rangeChoices())
                if (choice.text == text) {
                    setRange(ai, AnalogRangeType(choice.value));
                    return true;
                }
            return false;
        } });
    addField({ rowName("ch", ai, "low"), FormField::Kind::Number, {}, [this, ai] { return lowText(ai); },
        [this, ai](const std::string& text) { return !enterLow(ai, text).nonNumeric; } });
    addField({ rowName("ch", ai, "high"), FormField::Kind::Number, {}, [this, ai] { return highText(ai); },
        [this, ai](const std::string& text) { return !enterHigh(ai, text).nonNumeric; } });
    addChoiceField(rowName("ch", ai, "led"), { { "inside", kLedLitInside }, { "outside", kLedLitOutside } },
        row.ledCondition);
    addCheckField(rowName("ch", ai, "mail"), row.mail);
}

void FiveChannelMailForm::addOutputFields(int output)
{
    DoAlertRecord& record = m_records[size_t(output)];
    addCheckField(rowName("do", output, "alert"), record.enabled);
    addChoiceField(
        rowName("do", output, "input"), { { "ai1", 0 }, { "ai2", 1 }, { "ai3", 2 } }, record.monitoredInput);
    // The width is typed in the monitored input's unit, held to its limit as the DO alert
    // dialog holds it.
    addField({ rowName("do", output, "width"), FormField::Kind::Number, {},
        [this, output] {
            const DoAlertRecord& held = m_records[size_t(output)];
            return formatEntry(rawToValue(held.width, channel(held.monitoredInput).range, true));
        },
        [this, output](const std::string& text) {
            DoAlertRecord& held = m_records[size_t(output)];
            const AnalogEntryOutcome outcome
                = enterAnalogValue(text, channel(held.monitoredInput).range, AnalogEntryLimit::Hysteresis);
            if (!outcome.nonNumeric)
                held.width = outcome.raw;
            return !outcome.nonNumeric;
        } });
    addChoiceField(rowName("do", output, "direction"),
        { { "off-first", kDirectionOffPriority }, { "on-first", kDirectionOnPriority } }, record.direction);
}

std::string FiveChannelMailForm::lowText(int ai) const
{
    return formatEntry(rawToValue(channel(ai).low, channel(ai).range, false));
}

std::string FiveChannelMailForm::highText(int ai) const
{
    return formatEntry(rawToValue(channel(ai).high, channel(ai).range, false));
}

AnalogEntryOutcome FiveChannelMailForm::enterLow(int ai, const std::string& text)
{
    const AnalogEntryOutcome outcome = enterAnalogValue(text, channel(ai).range, AnalogEntryLimit::None);
    m_channels[size_t(ai)].low = outcome.raw;
    return outcome;
}

AnalogEntryOutcome FiveChannelMailForm::enterHigh(int ai, const std::string& text)
{
    const AnalogEntryOutcome outcome = enterAnalogValue(text, channel(ai).range, AnalogEntryLimit::None);
    m_channels[size_t(ai)].high = outcome.raw;
    return outcome;
}

DoAlertSetup FiveChannelMailForm::doAlertSetup(int output) const
{
    DoAlertSetup setup;
    for (int ai = 0; ai < kDoAlertInputCount; ++ai) {
        const AnalogMailChannel& row = channel(ai);
        setup.inputs[size_t(ai)] = { row.ledCondition, row.high, row.low, row.range };
    }
    const DoAlertRecord& record = m_records[size_t(output)];
    setup.monitoredInput = record.monitoredInput;
    setup.hysteresisWidth = record.width;
    setup.hysteresisDirection = record.direction;
    return setup;
}

void FiveChannelMailForm::takeDoAlert(int output, const DoAlertResult& result)
{
    DoAlertRecord& record = m_records[size_t(output)];
    record.monitoredInput = result.monitoredInput;
    record.width = result.hysteresisWidth;
    record.direction = result.hysteresisDirection;
    AnalogMailChannel& row = m_channels[size_t(result.monitoredInput)];
    row.low = result.low;
    row.high = result.high;
    row.ledCondition = result.ledCondition;
}

bool FiveChannelMailForm::editDoAlert(int output, UserInterface& ui)
{
    if (output < 0 || output >= m_doCount)
        return false;
    DoAlertForm form(doAlertSetup(output));
    if (!ui.openDialog(form))
        return false;
    takeDoAlert(output, form.result());
    return true;
}

std::optional<std::string> FiveChannelMailForm::checkAccount()
{
    const bool serverSet = !m_server.empty() && m_server != kNoServer;

    const auto port = portValue();
    if (!port || *port > kMaxPort || (serverSet && *port == 0))
        return kPortError;

    if (!m_sender.empty()) {
        const size_t at = m_sender.find(kAt);
        if (serverSet && at == std::string::npos)
            return kSenderError;
        if (hasFullWidth(m_sender))
            return kSenderFullWidth;
        const size_t localLength = at == std::string::npos ? m_sender.size() : at;
        const size_t domainLength = at == std::string::npos ? 0 : m_sender.size() - at - 1;
        if (localLength > kSenderPartMax || domainLength > kSenderPartMax)
            return kSenderError;
    }
    for (const std::string* recipient : { &m_to1, &m_to2 }) {
        if (recipient->empty())
            continue;
        if (serverSet && recipient->find(kAt) == std::string::npos)
            return kRecipientError;
        if (hasFullWidth(*recipient))
            return kRecipientFullWidth;
        if (recipient->size() > kRecipientMax)
            return kRecipientError;
    }
    if (hasFullWidth(m_message))
        return kMessageFullWidth;
    if (m_message.size() >= kMessageLimit)
        return kRecipientError;

    // Our own refusals: what the unit could not take as its server, or would break the message.
    if (m_hostName) {
        if (auto refusal = sentTextRefusal(kServerCaption, m_server, kHostNameMax))
            return refusal;
    } else {
        Ipv4 address = 0;
        if (!m_server.empty() && !parseIpv4(m_server, address))
            return kAddressError;
    }
    if (auto refusal = refuseUnsendable(kTextMax, kMessageLimit - 1))
        return refusal;
    // The address control shows an unset server as 0.0.0.0, and so the unit keeps it.
    if (!m_hostName && m_server.empty())
        m_server = kNoServer;
    setCheckedPort(*port);
    return std::nullopt;
}

std::optional<std::string> FiveChannelMailForm::check()
{
    return checkAccount();
}

} // namespace kovra

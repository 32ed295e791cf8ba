#include "core/alerts/analog_mail_paths.h"
#include "core/alerts/five_channel_mail_form.h"
#include "core/alerts/two_channel_mail_form.h"
#include "core/functions/analog_commands.h"
#include "core/net/direct_command.h"
#include "core/net/net_results.h"
#include "core/net/unit_commands.h"
#include "core/settings/settings_transport.h"
#include "core/units/model_table.h"

namespace kovra {

namespace {

constexpr int kThermoModelV2 = 10; // "QM-210 V2"
constexpr int kThermoModelFiveInputs = 12; // "QM-240"

// One exchange of a load on the open connection, its answer handed to `parse`.
template <typename Parse>
int readAnswer(DirectCommand& command, const std::string& request, size_t length, Parse parse)
{
    std::string answer;
    if (const int result = command.exchange(request, length, answer, true))
        return result;
    return parse(answer) ? 0 : kAnswerRefused;
}

DirectRequest alertRequest(std::string bytes, size_t answerLength)
{
    DirectRequest request;
    request.bytes = std::move(bytes);
    request.answerLength = answerLength;
    request.skipCheck = true;
    return request;
}

// What both variants share: the account into the settings after a write, the test send on
// the unit's settings port, and how a failed read or write is told: the mail message is the
// plan's first step ("(E)"), the alert conditions come after it ("(M)").
template <typename Form> class AnalogMailPath : public DialogPath {
public:
    explicit AnalogMailPath(const UnitSlot& unit)
        : m_record(unit.record)
        , m_settings(unit.settings)
    {
    }

    DialogForm& form() override { return *m_form; }
    SettingOutcome loadFailure() const override { return SettingOutcome::MailReadFailed; }
    SettingOutcome writeFailure(size_t failedStep) const override
    {
        return failedStep == 0 ? SettingOutcome::MailMessageWriteFailed
                               : SettingOutcome::MailAlertWriteFailed;
    }
    void store(UnitSlot& unit) override { storeMailAccount(m_form->account(), unit.settings); }

protected:
    // The test button sends from the dialog, on a thread of its own: it gets the unit's
    // record by value, never the path.
    void formReady()
    {
        m_form->setMessageSender(
            [record = m_record](const std::string& text) { return SendSettingsMessage(record, text); });
    }

    const UnitRecord m_record;
    const UnitSettings m_settings;
    std::unique_ptr<Form> m_form;
};

// The QX units' own two inputs and three DIs: "AK" per AI and "DN" before the dialog opens,
// then the mail message, "AL" per AI and "DM".
class TwoChannelMailPath : public AnalogMailPath<TwoChannelMailForm> {
public:
    explicit TwoChannelMailPath(const UnitSlot& unit)
        : AnalogMailPath(unit)
    {
        // Until the load has read the conditions the dialog holds none.
        m_form = std::make_unique<TwoChannelMailForm>(
            m_settings, std::array<AnalogAlert, kTwoChannelAiCount> {}, DiAlertMasks {});
        formReady();
    }

    int load() override
    {
        DirectCommand command;
        int result = command.open(m_record);
        std::array<AnalogAlert, kTwoChannelAiCount> alerts {};
        for (int ai = 0; ai < kTwoChannelAiCount && result == 0; ++ai)
            result = readAnswer(command, analogAlertReadRequest(ai), kAnalogAlertAnswerLength,
                [&alerts, ai](const std::string& answer) {
                    return parseAnalogAlertAnswer(answer, ai, alerts[size_t(ai)]);
                });
        DiAlertMasks masks;
        if (result == 0)
            result = readAnswer(command, diAlertReadRequest(), kDiAlertAnswerLength,
                [&masks](const std::string& answer) { return parseDiAlertAnswer(answer, masks); });
        command.close();
        if (result == 0) {
            m_form = std::make_unique<TwoChannelMailForm>(m_settings, alerts, masks);
            formReady();
        }
        return result;
    }

    WritePlan plan() override
    {
        DirectStep conditions;
        for (int ai = 0; ai < kTwoChannelAiCount; ++ai)
            conditions.requests.push_back(alertRequest(
                analogAlertWriteRequest(ai, m_form->alerts()[size_t(ai)]), kAnalogAlertAnswerLength));
        conditions.requests.push_back(
            alertRequest(diAlertWriteRequest(m_form->diMasks()), kDiAlertAnswerLength));
        return { MessageStep { analogMailMessage(m_form->account(), false) }, conditions };
    }
};

// The analog QX units: per AI its range ("AJ"/"AR") and band ("AK"/"AL"), the DO alert
// records in registers 78h..7Fh, all read before the dialog opens; OK writes the mail message
// first, as the two-channel dialog does, then the ranges and bands and the DO records.
class FiveChannelMailPath : public AnalogMailPath<FiveChannelMailForm> {
public:
    explicit FiveChannelMailPath(const UnitSlot& unit)
        : AnalogMailPath(unit)
        , m_aiCount(std::min(modelCapabilities(unit.record.modelIndex)[kCapAiCount], kFiveChannelAiMax))
        , m_doCount(std::min(modelDoCount(unit.record.modelIndex), kFiveChannelDoMax))
    {
        makeForm({}, {});
    }

    int load() override
    {
        std::array<AnalogMailChannel, kFiveChannelAiMax> channels {};
        DirectCommand command;
        int result = command.open(m_record);
        for (int ai = 0; ai < m_aiCount && result == 0; ++ai) {
            int range = 0;
            result = readAnswer(command, rangeReadRequest(ai), kRangeReadAnswerLength,
                [&range, ai](const std::string& answer) {
                    return parseRangeReadAnswer(answer, ai, kAnalogRangeTypeCount, range);
                });
            AnalogAlert alert;
            if (result == 0)
                result = readAnswer(command, analogAlertReadRequest(ai), kAnalogAlertAnswerLength,
                    [&alert, ai](
                        const std::string& answer) { return parseAnalogAlertAnswer(answer, ai, alert); });
            channels[size_t(ai)] = FiveChannelMailForm::channelOf(alert, AnalogRangeType(range));
        }
        command.close();
        DoAlertRecords records {};
        if (result == 0 && m_doCount > 0) {
            std::vector<uint8_t> bytes(kDoAlertRegisterBytes);
            result = memoryRead(m_record, kDoAlertRegister, kDoAlertRegisterBytes, bytes.data());
            if (result == 0 && !parseDoAlertRegisterBytes(bytes, records))
                result = kAnswerRefused;
        }
        if (result == 0)
            makeForm(channels, records);
        return result;
    }

    WritePlan plan() override
    {
        DirectStep conditions;
        for (int ai = 0; ai < m_aiCount; ++ai) {
            const AnalogMailChannel& row = m_form->channel(ai);
            conditions.requests.push_back(
                analogRequest(rangeWriteRequest(ai, int(row.range)), kRangeWriteAnswerLength));
            conditions.requests.push_back(alertRequest(
                analogAlertWriteRequest(ai, FiveChannelMailForm::alertOf(row)), kAnalogAlertAnswerLength));
        }
        WritePlan plan { MessageStep { analogMailMessage(m_form->account(), false) }, conditions };
        if (m_doCount > 0)
            plan.push_back(MemoryStep { kDoAlertRegister, doAlertRegisterBytes(m_form->doRecords()) });
        return plan;
    }

private:
    void makeForm(
        const std::array<AnalogMailChannel, kFiveChannelAiMax>& channels, const DoAlertRecords& records)
    {
        m_form = std::make_unique<FiveChannelMailForm>(
            m_settings, takesHostName(m_record.kind), m_aiCount, m_doCount, channels, records);
        formReady();
    }

    // Units of kinds 1, 3 and 4 take their server as a host name, the others as an address.
    static bool takesHostName(int kind)
    {
        return kind == kKindWiredGc || kind == kKindWifi || kind == kKindNewerWired;
    }

    const int m_aiCount;
    const int m_doCount;
};

} // namespace

AnalogMailVariant analogMailVariant(const UnitRecord& unit)
{
    if (unit.kind != kKindQx)
        return AnalogMailVariant::None;
    if (unit.modelIndex == kThermoModelV2 || unit.modelIndex == kThermoModelFiveInputs)
        return AnalogMailVariant::FiveChannel;
    return AnalogMailVariant::TwoChannel;
}

std::unique_ptr<DialogPath> makeAnalogMailPath(const UnitSlot& unit)
{
    switch (analogMailVariant(unit.record)) {
    case AnalogMailVariant::TwoChannel:
        return std::make_unique<TwoChannelMailPath>(unit);
    case AnalogMailVariant::FiveChannel:
        return std::make_unique<FiveChannelMailPath>(unit);
    case AnalogMailVariant::None:
        break;
    }
    return nullptr;
}

} // namespace kovra

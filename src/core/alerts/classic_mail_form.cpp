#include "core/alerts/classic_mail_form.h"

#include "core/alerts/analog_scaling.h"
#include "core/alerts/classic_mail_writes.h"
#include "core/app/composed_texts.h"
#include "core/app/user_interface.h"
#include "core/platform/composed_text.h"
#include "core/units/model_table.h"

#include <algorithm>

namespace kovra {

namespace {

constexpr int kMaxDiRows = 8;
constexpr int kModelTwoAo = 9;
constexpr int kTwoAoAnalogRows = 2;
constexpr int kModelQm210 = 8;
constexpr int kModelQm210V2 = 10;

// The record fields are sized by the classic limits; this is the largest.
constexpr size_t kRecordTextMax = 49;

const std::vector<ChoiceItem> kLedChoices = { { "inside", kLedInside }, { "outside", kLedOutside } };
const std::vector<ChoiceItem> kMailChoices
    = { { "off", kAnalogMailOff }, { "lit", kAnalogMailLit }, { "unlit", kAnalogMailUnlit } };

std::array<bool, 8> maskBits(uint8_t mask)
{
    std::array<bool, 8> bits {};
    for (size_t i = 0; i < bits.size(); ++i)
        bits[i] = (mask >> i) & 1;
    return bits;
}

} // namespace

int classicAnalogRows(int model)
{
    const int rows = std::min(modelCapabilities(model)[kCapAiCount], kClassicAnalogRows);
    return model == kModelTwoAo ? std::min(rows, kTwoAoAnalogRows) : rows;
}

MailAccountRules classicAccountRules(int kind)
{
    return { kind != kKindWired, true, kRecordTextMax };
}

ClassicMailForm::ClassicMailForm(const UnitRecord& unit, const ClassicMailValues& values)
    : MailAccountForm(values.account, classicAccountRules(unit.kind))
    , m_unit(unit)
    , m_diCount(std::clamp(modelDiCount(unit.modelIndex), 0, kMaxDiRows))
    , m_analogCount(classicAnalogRows(unit.modelIndex))
    , m_analogMail(unit.modelIndex == kModelQm210 || unit.modelIndex == kModelQm210V2)
    , m_enableBits(maskBits(values.enableMask))
    , m_edgeBits(maskBits(values.edgeMask))
    , m_analog(values.analog)
{
    addAccountFields();
    for (int row = 0; row < m_diCount; ++row) {
        addCheckField(diField(row, "enabled"), m_enableBits[size_t(row)]);
        addCheckField(diField(row, "edge"), m_edgeBits[size_t(row)]);
    }
    for (int row = 0; row < m_analogCount; ++row) {
        ClassicAnalogRow& analog = m_analog[size_t(row)];
        m_lowText[size_t(row)] = rawToPercent(analog.low);
        m_highText[size_t(row)] = rawToPercent(analog.high);
        addTextField(aiField(row, "low"), m_lowText[size_t(row)], FormField::Kind::Number);
        addTextField(aiField(row, "high"), m_highText[size_t(row)], FormField::Kind::Number);
        addChoiceField(aiField(row, "led"), kLedChoices, analog.led);
        if (m_analogMail)
            addChoiceField(aiField(row, "mail"), kMailChoices, analog.mail);
    }
}

std::string ClassicMailForm::diField(int row, const char* name)
{
    return "di" + std::to_string(row + 1) + "." + name;
}

std::string ClassicMailForm::aiField(int row, const char* name)
{
    return "ai" + std::to_string(row + 1) + "." + name;
}

void ClassicMailForm::setDiEnabled(int row, bool on)
{
    if (row >= 0 && row < m_diCount)
        m_enableBits[size_t(row)] = on;
}

void ClassicMailForm::setDiOnEdge(int row, bool on)
{
    if (row >= 0 && row < m_diCount)
        m_edgeBits[size_t(row)] = on;
}

std::optional<std::string> ClassicMailForm::check()
{
    // The rows are read before the account, as the dialog writes them first.
    for (int row = 0; row < m_analogCount; ++row) {
        const auto low = percentToRaw(m_lowText[size_t(row)]);
        const auto high = percentToRaw(m_highText[size_t(row)]);
        if (!low || !high)
            return composeText(texts::kThresholdRefusal, { std::to_string(row + 1) });
        m_analog[size_t(row)].low = *low;
        m_analog[size_t(row)].high = *high;
    }
    return checkAccount();
}

ClassicMailValues ClassicMailForm::accepted() const
{
    ClassicMailValues values;
    values.account = acceptedAccount();
    for (int row = 0; row < m_diCount; ++row) {
        values.enableMask |= uint8_t(m_enableBits[size_t(row)] << row);
        values.edgeMask |= uint8_t(m_edgeBits[size_t(row)] << row);
    }
    values.analog = m_analog;
    return values;
}

std::function<int()> ClassicMailForm::prepareTestSend(UserInterface& ui)
{
    if (!m_runner)
        return {};
    if (!testSendConfirmed(check(), ui))
        return {};
    const ClassicMailValues values = accepted();
    WritePlan plan = classicInputWrites(m_unit, values, m_analogCount);
    plan.push_back(MessageStep { classicTestMessage(values.account) });
    return [runner = m_runner, plan = std::move(plan)] { return runner(plan); };
}

} // namespace kovra

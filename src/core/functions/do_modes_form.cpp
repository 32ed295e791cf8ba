#include "core/functions/do_modes_form.h"

#include "core/functions/keep_alive_time_form.h"
#include "core/units/unit_record.h"

#include <algorithm>
#include <cstdlib>

namespace kovra {

namespace {

constexpr int kKeepAliveStepMax = 1275; // 255 steps of 5 s
constexpr int kKeepAliveStep = 5;
constexpr int kOneShotMin = 1;
constexpr int kOneShotMax = 255;

constexpr const char* kKeepAliveRange = "Keepaliveは0-1275の範囲で設定してください。";
constexpr const char* kKeepAliveMultiple = "Keepaliveは5の倍数で設定してください。";
constexpr const char* kOneShotRange = "ワンショット時間は1-255の範囲で設定してください。";

const std::vector<ChoiceItem> kModeChoices = {
    { "normal", kDoNormal },
    { "on-at-start", kDoOnAtStart },
    { "one-shot", kDoOneShot },
};

std::optional<std::string> checkStepKeepAlive(int seconds)
{
    if (seconds < 0 || seconds > kKeepAliveStepMax)
        return kKeepAliveRange;
    if (seconds % kKeepAliveStep != 0)
        return kKeepAliveMultiple;
    return std::nullopt;
}

} // namespace

DoModesForm::DoModesForm(int kind, int doCount, const DoModeValues& values)
    : m_kind(kind)
    , m_doCount(std::clamp(doCount, 0, kRowCount))
{
    load(values);
    addNumberField(kKeepAliveField, m_keepAlive);
    for (int row = 0; row < m_doCount; ++row) {
        addChoiceField(modeFieldName(row), kModeChoices, m_modes[size_t(row)]);
        int& time = m_times[size_t(row)];
        addField({ timeFieldName(row), FormField::Kind::Number, {}, [this, row] { return timeText(row); },
            [&time](const std::string& text) {
                time = int(std::strtol(text.substr(0, kTimeEditLimit).c_str(), nullptr, 10));
                return true;
            } });
    }
}

std::string DoModesForm::modeFieldName(int row)
{
    return "do" + std::to_string(row + 1) + ".mode";
}

std::string DoModesForm::timeFieldName(int row)
{
    return "do" + std::to_string(row + 1) + ".time";
}

void DoModesForm::load(const DoModeValues& values)
{
    reset();
    m_keepAlive = values.keepAliveSeconds;
    for (int row = 0; row < m_doCount; ++row) {
        const int oneShot = values.oneShot[size_t(row)];
        if (oneShot != 0) {
            m_modes[size_t(row)] = kDoOneShot;
            m_times[size_t(row)] = oneShot;
        } else if (values.startOnMask & (1u << row)) {
            m_modes[size_t(row)] = kDoOnAtStart;
        }
    }
}

void DoModesForm::reset()
{
    m_modes.fill(kDoNormal);
    m_times.fill(0);
}

void DoModesForm::setMode(int row, int mode)
{
    if (rowEnabled(row) && mode >= kDoNormal && mode <= kDoOneShot)
        m_modes[size_t(row)] = mode;
}

std::string DoModesForm::timeText(int row) const
{
    const int time = m_times[size_t(row)];
    return time == 0 ? std::string() : std::to_string(time);
}

std::optional<std::string> DoModesForm::check()
{
    const auto keepAliveFailure
        = m_kind == kKindNewerWired ? checkByteKeepAlive(m_keepAlive) : checkStepKeepAlive(m_keepAlive);
    if (keepAliveFailure)
        return keepAliveFailure;
    DoModeValues accepted;
    accepted.keepAliveSeconds = m_keepAlive;
    for (int row = 0; row < m_doCount; ++row) {
        const int time = m_times[size_t(row)];
        switch (m_modes[size_t(row)]) {
        case kDoOneShot:
            if (time < kOneShotMin || time > kOneShotMax)
                return kOneShotRange;
            accepted.oneShot[size_t(row)] = time;
            break;
        case kDoOnAtStart:
            accepted.startOnMask |= 1u << row;
            break;
        default:
            break;
        }
    }
    m_accepted = accepted;
    return std::nullopt;
}

} // namespace kovra

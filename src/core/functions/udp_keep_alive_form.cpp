#include "core/functions/udp_keep_alive_form.h"

#include "core/app/user_interface.h"

namespace kovra {

namespace {

constexpr int kKeepAliveMin = 1;
constexpr int kKeepAliveMax = 65535;

constexpr const char* kValueError = "設定値エラー";
constexpr const char* kUdpModeQuestion
    = "UDP通信モードに変更すると、弊社ツールが動作しない等、挙動が大きく変わります。\n切り替えますか？";

} // namespace

std::optional<std::string> checkKeepAliveTimes(int idle, int interval, int count)
{
    for (const int value : { idle, interval, count }) {
        if (value < kKeepAliveMin || value > kKeepAliveMax)
            return kValueError;
    }
    return std::nullopt;
}

UdpKeepAliveForm::UdpKeepAliveForm(const UnitSettings& settings)
    : m_storedUdpMode(settings.sockMode != 0)
    , m_udpMode(m_storedUdpMode)
    , m_keepIdle(settings.keepIdle)
    , m_keepInterval(settings.keepInterval)
    , m_keepCount(settings.keepCount)
{
    addNumberField(kKeepIdleField, m_keepIdle);
    addNumberField(kKeepIntervalField, m_keepInterval);
    addNumberField(kKeepCountField, m_keepCount);
    addCheckField(kUdpModeField, m_udpMode);
    addChoiceField(kSamplingRateField, samplingRateChoices(), m_spsIndex);
}

std::optional<std::string> UdpKeepAliveForm::check()
{
    return checkKeepAliveTimes(m_keepIdle, m_keepInterval, m_keepCount);
}

bool UdpKeepAliveForm::confirm(UserInterface& ui)
{
    if (m_storedUdpMode || !m_udpMode)
        return true;
    if (ui.askYesNo(kUdpModeQuestion))
        return true;
    m_udpMode = false;
    return false;
}

} // namespace kovra

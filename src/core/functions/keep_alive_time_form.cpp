#include "core/functions/keep_alive_time_form.h"

namespace kovra {

namespace {

constexpr int kByteKeepAliveMax = 65;

constexpr const char* kByteKeepAliveRange = "Keepaliveは0-65の範囲で設定してください。";

} // namespace

std::optional<std::string> checkByteKeepAlive(int seconds)
{
    if (seconds < 0 || seconds > kByteKeepAliveMax)
        return kByteKeepAliveRange;
    return std::nullopt;
}

KeepAliveTimeForm::KeepAliveTimeForm()
{
    addNumberField(kKeepAliveField, m_seconds);
}

std::optional<std::string> KeepAliveTimeForm::check()
{
    return checkByteKeepAlive(m_seconds);
}

} // namespace kovra

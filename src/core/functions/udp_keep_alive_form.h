#pragma once

#include "core/app/dialog_form.h"
#include "core/functions/sampling_rate.h"
#include "core/units/unit_settings.h"

#include <optional>
#include <string>
#include <vector>

namespace kovra {

constexpr int kUdpKeepAliveTemplate = 147;

// Field names shared by the dialogs that set the socket keep-alive of kinds 3 and 6.
constexpr const char* kKeepIdleField = "keep-idle";
constexpr const char* kKeepIntervalField = "keep-interval";
constexpr const char* kKeepCountField = "keep-count";

// The socket keep-alive idle, interval and count, in that order: each 1..65535, else
// "設定値エラー".
std::optional<std::string> checkKeepAliveTimes(int idle, int interval, int count);

// UdpKeepAliveDialog (kind 6): UDP mode, ADC sampling rate and the socket keep-alive.
// Fields: keep-idle, keep-interval, keep-count, udp-mode (on/off), sps.
class UdpKeepAliveForm : public DialogForm {
public:
    static constexpr const char* kUdpModeField = "udp-mode";
    static constexpr const char* kSamplingRateField = "sps";

    // UDP mode and keep-alive from the unit's settings; the sampling rate comes from the
    // unit (setSpsIndex) before the dialog opens.
    explicit UdpKeepAliveForm(const UnitSettings& settings);

    int templateId() const override { return kUdpKeepAliveTemplate; }
    std::string dialogName() const override { return "UdpKeepAliveDialog"; }
    std::optional<std::string> check() override;
    // Switching UDP mode on asks first; No clears the check and keeps the dialog open.
    bool confirm(UserInterface& ui) override;

    bool udpMode() const { return m_udpMode; }
    void setUdpMode(bool on) { m_udpMode = on; }
    // The unit's mode value. One outside the list shows no row and, unless a row is
    // chosen, goes back to the unit as it came.
    int spsIndex() const { return m_spsIndex; }
    void setSpsIndex(int index) { m_spsIndex = index; }
    int keepIdle() const { return m_keepIdle; }
    int keepInterval() const { return m_keepInterval; }
    int keepCount() const { return m_keepCount; }

private:
    const bool m_storedUdpMode;
    bool m_udpMode;
    int m_spsIndex = 0;
    int m_keepIdle;
    int m_keepInterval;
    int m_keepCount;
};

} // namespace kovra

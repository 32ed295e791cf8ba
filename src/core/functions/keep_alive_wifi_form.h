#pragma once

#include "core/app/dialog_form.h"
#include "core/units/unit_table.h"

#include <optional>
#include <string>

namespace kovra {

constexpr int kKeepAliveWifiTemplate = 141;

// KeepAliveWifiDialog (kind 3): the socket keep-alive and, on units whose sketch version is
// above 118 or 99, the Wi-Fi station / access point settings with the unit's address.
// Fields: keep-idle, keep-interval, keep-count, and with the Wi-Fi part ap-mode (sta/ap),
// ssid, wifi-password, ip, mask, gateway, channel.
class KeepAliveWifiForm : public DialogForm {
public:
    static constexpr const char* kApModeField = "ap-mode";
    static constexpr const char* kSsidField = "ssid";
    static constexpr const char* kPasswordField = "wifi-password";
    static constexpr const char* kIpField = "ip";
    static constexpr const char* kMaskField = "mask";
    static constexpr const char* kGatewayField = "gateway";
    static constexpr const char* kChannelField = "channel";
    // The keep-alive edits take at most this many characters.
    static constexpr size_t kKeepAliveEditLimit = 5;
    static constexpr int kStation = 0;
    static constexpr int kAccessPoint = 1;

    // Keep-alive and Wi-Fi values from the unit's settings; address, mask and gateway as
    // dotted text from its record.
    explicit KeepAliveWifiForm(const UnitSlot& unit);

    int templateId() const override { return kKeepAliveWifiTemplate; }
    std::string dialogName() const override { return "KeepAliveWifiDialog"; }
    std::optional<std::string> check() override;
    // A changed Wi-Fi value asks first: the PC may have to change its own Wi-Fi to reach
    // the unit again.
    bool confirm(UserInterface& ui) override;

    // Kind 3 with sketch version above 118 or equal to 99; otherwise the Wi-Fi part is
    // neither shown nor sent.
    bool wifiLive() const { return m_wifiLive; }

    int keepIdle() const { return m_keepIdle; }
    int keepInterval() const { return m_keepInterval; }
    int keepCount() const { return m_keepCount; }
    int apMode() const { return m_wifi.apMode; }
    // kStation or kAccessPoint.
    void setApMode(int mode) { m_wifi.apMode = mode == kAccessPoint ? kAccessPoint : kStation; }
    int channel() const { return m_wifi.channel; }
    // Dotted texts as edited (cp932; empty when emptied).
    const std::string& ipText() const { return m_wifi.ip; }
    const std::string& maskText() const { return m_wifi.mask; }
    const std::string& gatewayText() const { return m_wifi.gateway; }

    // The accepted values into the unit's settings: the keep-alive always, the Wi-Fi
    // values when the part is live.
    void applyTo(UnitSettings& settings) const;

private:
    struct WifiValues {
        int apMode = kStation;
        int channel = 0;
        std::string ssid;
        std::string password;
        std::string ip;
        std::string mask;
        std::string gateway;
        bool operator==(const WifiValues& other) const;
    };

    void addKeepAliveField(const char* name, int& value);

    const bool m_wifiLive;
    int m_keepIdle;
    int m_keepInterval;
    int m_keepCount;
    const WifiValues m_opened;
    WifiValues m_wifi;
};

} // namespace kovra

#include "core/functions/keep_alive_wifi_form.h"

#include "core/app/user_interface.h"
#include "core/functions/udp_keep_alive_form.h"
#include "core/net/address_setting.h"
#include "core/platform/ipv4.h"
#include "core/settings/settings_writers.h"

#include <cstdlib>
#include <tuple>

namespace kovra {

namespace {

constexpr int kFirstChannel = 1;
constexpr int kLastChannel = 13;
constexpr Ipv4 kAllOnes = 0xFFFFFFFFu;

constexpr const char* kValueError = "設定値エラー";
constexpr const char* kBadAddress = "IPアドレスが不正です。";
constexpr const char* kBadMask = "サブネットマスクが不正です。";
constexpr const char* kBadGateway = "デフォルトゲートウェイが不正です。";
constexpr const char* kWifiChangeQuestion
    = "KOVRAのWiFi設定を変更すると、再び接続するためにはPCのWiFi設定変更が必要となることがあります。";

const std::vector<ChoiceItem> kApModeChoices = {
    { "sta", KeepAliveWifiForm::kStation },
    { "ap", KeepAliveWifiForm::kAccessPoint },
};

// An edited address passes when it is the one the dialog opened with or empty; any other
// text must be a dotted address, and all ones is none. A mask must also be one run of one
// bits, as the address group requires: the unit would take any other and be unreachable.
bool addressAcceptable(const std::string& edited, const std::string& opened, bool mask = false)
{
    if (edited == opened || edited.empty())
        return true;
    Ipv4 address = 0;
    return parseIpv4(edited, address) && address != kAllOnes && (!mask || hostBitsFromMask(address) >= 0);
}

// An emptied address keeps the unit's current one: an empty value line would leave the unit
// without an address, mask or gateway after its restart.
void keepWhenEmptied(std::string& edited, const std::string& opened)
{
    if (edited.empty())
        edited = opened;
}

} // namespace

bool KeepAliveWifiForm::WifiValues::operator==(const WifiValues& other) const
{
    return std::tie(apMode, channel, ssid, password, ip, mask, gateway)
        == std::tie(
            other.apMode, other.channel, other.ssid, other.password, other.ip, other.mask, other.gateway);
}

KeepAliveWifiForm::KeepAliveWifiForm(const UnitSlot& unit)
    : m_wifiLive(unit.record.kind == kKindWifi && keepAliveHasWifi(unit.settings.sketchVersion))
    , m_keepIdle(unit.settings.keepIdle)
    , m_keepInterval(unit.settings.keepInterval)
    , m_keepCount(unit.settings.keepCount)
    , m_opened { unit.settings.apMode == kAccessPoint ? kAccessPoint : kStation, unit.settings.apChannel,
        unit.settings.wifiSsid, unit.settings.wifiPass, unit.record.ipText,
        ipv4ToText(unit.record.subnetMask), ipv4ToText(unit.record.gateway) }
    , m_wifi(m_opened)
{
    addKeepAliveField(kKeepIdleField, m_keepIdle);
    addKeepAliveField(kKeepIntervalField, m_keepInterval);
    addKeepAliveField(kKeepCountField, m_keepCount);
    if (!m_wifiLive)
        return;
    addChoiceField(kApModeField, kApModeChoices, m_wifi.apMode);
    addTextField(kSsidField, m_wifi.ssid);
    addTextField(kPasswordField, m_wifi.password, FormField::Kind::Secret);
    addTextField(kIpField, m_wifi.ip);
    addTextField(kMaskField, m_wifi.mask);
    addTextField(kGatewayField, m_wifi.gateway);
    addNumberField(kChannelField, m_wifi.channel);
}

void KeepAliveWifiForm::addKeepAliveField(const char* name, int& value)
{
    // What is typed past the edit's limit never reaches it; the rest reads as the edit's
    // number (0 when it is none).
    addField({ name, FormField::Kind::Number, {}, [&value] { return std::to_string(value); },
        [&value](const std::string& text) {
            value = int(std::strtol(text.substr(0, kKeepAliveEditLimit).c_str(), nullptr, 10));
            return true;
        } });
}

std::optional<std::string> KeepAliveWifiForm::check()
{
    if (auto failure = checkKeepAliveTimes(m_keepIdle, m_keepInterval, m_keepCount))
        return failure;
    if (!m_wifiLive)
        return std::nullopt;
    if (m_wifi.channel < kFirstChannel || m_wifi.channel > kLastChannel)
        return kValueError;
    if (!addressAcceptable(m_wifi.ip, m_opened.ip))
        return kBadAddress;
    if (!addressAcceptable(m_wifi.mask, m_opened.mask, true))
        return kBadMask;
    if (!addressAcceptable(m_wifi.gateway, m_opened.gateway))
        return kBadGateway;
    keepWhenEmptied(m_wifi.ip, m_opened.ip);
    keepWhenEmptied(m_wifi.mask, m_opened.mask);
    keepWhenEmptied(m_wifi.gateway, m_opened.gateway);
    return std::nullopt;
}

bool KeepAliveWifiForm::confirm(UserInterface& ui)
{
    if (!m_wifiLive || m_wifi == m_opened)
        return true;
    return ui.askOkCancel(kWifiChangeQuestion);
}

void KeepAliveWifiForm::applyTo(UnitSettings& settings) const
{
    settings.keepIdle = m_keepIdle;
    settings.keepInterval = m_keepInterval;
    settings.keepCount = m_keepCount;
    if (!m_wifiLive)
        return;
    settings.apMode = m_wifi.apMode;
    settings.apChannel = m_wifi.channel;
    settings.wifiSsid = m_wifi.ssid;
    settings.wifiPass = m_wifi.password;
}

} // namespace kovra

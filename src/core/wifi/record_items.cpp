#include "core/wifi/record_items.h"

#include "core/net/discovery_messages.h"
#include "core/wifi/wifi_results.h"

namespace kovra {

namespace {

constexpr const char* kLineEnd = "\r\n";
constexpr const char* kGroupEnd = "</configgroup>";
constexpr const char* kItemEnd = "</configitem>";
constexpr const char* kValueEnd = "</value>";
constexpr const char* kPlainValue = "<value>";
constexpr const char* kNone = "None";

constexpr const char* kTunnelAcceptGroup = "<configgroup name = \"Tunnel Accept\" instance = \"1\">";
constexpr const char* kInterfaceGroup = "<configgroup name = \"Interface\" instance = \"wlan0\">";
constexpr const char* kTunnelConnectGroup = "<configgroup name = \"Tunnel Connect\" instance = \"1\">";
constexpr const char* kLocalPortItem = "<configitem name = \"Local Port\">";
constexpr const char* kDhcpItem = "<configitem name = \"DHCP Client\">";
constexpr const char* kAddressItem = "<configitem name = \"IP Address\">";
constexpr const char* kGatewayItem = "<configitem name = \"Default Gateway\">";
constexpr const char* kModeItem = "<configitem name = \"Mode\">";
constexpr const char* kHostItem = "<configitem name = \"Host\" instance = \"1\">";
constexpr const char* kHostAddressValue = "<value name = \"Address\">";
constexpr const char* kHostPortValue = "<value name = \"Port\">";

constexpr const char* kEnabled = "Enabled";
constexpr const char* kDisabled = "Disabled";
constexpr const char* kConnectOff = "Disable";
constexpr int kMaxPrefix = 32;

// Where the line holding position `at` ends (its "\r\n", or the end of the text).
size_t lineEnd(const std::string& text, size_t at)
{
    const size_t end = text.find(kLineEnd, at);
    return end == std::string::npos ? text.size() : end;
}

// The start of the line after the one holding `at` (the text's size when none follows).
size_t nextLine(const std::string& text, size_t at)
{
    const size_t end = text.find(kLineEnd, at);
    return end == std::string::npos ? text.size() : end + 2;
}

// Where `closing` first occurs from `from` on; the text's size when never.
size_t endOf(const std::string& text, const char* closing, size_t from)
{
    const size_t at = text.find(closing, from);
    return at == std::string::npos ? text.size() : at;
}

// atoi: optional blanks and sign, then the leading digits; 0 without any.
long leadingNumber(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > 0xFFFFFF)
            break; // only the low 16 bits are kept; stop before any overflow
    }
    return negative ? -value : value;
}

// a.b.c.d/n into address and mask.
bool parseAddressWithPrefix(const std::string& text, Ipv4& address, Ipv4& mask)
{
    const size_t slash = text.find('/');
    if (slash == std::string::npos)
        return false;
    const std::string prefixText = text.substr(slash + 1);
    if (prefixText.empty() || prefixText.size() > 2
        || prefixText.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const int prefix = std::stoi(prefixText);
    if (prefix > kMaxPrefix || !parseIpv4(text.substr(0, slash), address))
        return false;
    mask = maskFromPrefix(prefix);
    return true;
}

} // namespace

int findItemValue(const std::string& record, const std::string& groupLine, const std::string& itemLine,
    const std::string& valueOpener, std::string& value)
{
    const size_t group = record.find(groupLine);
    if (group == std::string::npos)
        return kWifiItemMissing;
    const size_t itemsFrom = nextLine(record, group);
    const size_t groupEnd = endOf(record, kGroupEnd, itemsFrom);
    const size_t item = record.find(itemLine, itemsFrom);
    if (item == std::string::npos || item >= groupEnd)
        return kWifiItemMissing;
    const size_t valuesFrom = item + itemLine.size();
    const size_t itemEnd = endOf(record, kItemEnd, valuesFrom);
    const size_t opener = record.find(valueOpener, valuesFrom);
    if (opener == std::string::npos || opener >= itemEnd)
        return kWifiItemMissing;
    const size_t start = opener + valueOpener.size();
    const size_t close = record.find(kValueEnd, start);
    if (close == std::string::npos || close > lineEnd(record, start))
        return kWifiItemMissing;
    value = record.substr(start, close - start);
    return 0;
}

int parseTunnelAcceptPort(const std::string& record, uint16_t& port)
{
    std::string text;
    const int result = findItemValue(record, kTunnelAcceptGroup, kLocalPortItem, kPlainValue, text);
    if (result != 0)
        return result;
    port = static_cast<uint16_t>(leadingNumber(text));
    return 0;
}

int parseInterface(const std::string& record, Ipv4 discoveredAddress, ModuleInterface& out)
{
    std::string dhcpText;
    std::string addressText;
    std::string gatewayText;
    int result = findItemValue(record, kInterfaceGroup, kDhcpItem, kPlainValue, dhcpText);
    if (result == 0)
        result = findItemValue(record, kInterfaceGroup, kAddressItem, kPlainValue, addressText);
    if (result == 0)
        result = findItemValue(record, kInterfaceGroup, kGatewayItem, kPlainValue, gatewayText);
    if (result != 0)
        return result;
    ModuleInterface read = out;
    if (dhcpText == kEnabled)
        read.dhcp = true;
    else if (dhcpText == kDisabled)
        read.dhcp = false;
    else
        return kWifiBadValue;
    if (addressText.find(kNone) == std::string::npos
        && !parseAddressWithPrefix(addressText, read.address, read.mask))
        return kWifiBadValue;
    if (gatewayText.find(kNone) == std::string::npos && !parseIpv4(gatewayText, read.gateway))
        return kWifiBadValue;
    if (read.dhcp) {
        read.address = discoveredAddress;
        read.mask = classMask(discoveredAddress);
        read.gateway = 0;
    }
    out = read;
    return 0;
}

int parseTunnelConnect(const std::string& record, TunnelConnect& out)
{
    std::string mode;
    std::string host;
    std::string port;
    int result = findItemValue(record, kTunnelConnectGroup, kModeItem, kPlainValue, mode);
    if (result == 0)
        result = findItemValue(record, kTunnelConnectGroup, kHostItem, kHostAddressValue, host);
    if (result == 0)
        result = findItemValue(record, kTunnelConnectGroup, kHostItem, kHostPortValue, port);
    if (result != 0)
        return result;
    out.enabled = mode != kConnectOff;
    out.host = host;
    out.port = static_cast<uint16_t>(leadingNumber(port));
    return 0;
}

} // namespace kovra

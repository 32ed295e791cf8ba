#include "core/wifi/module_record.h"

#include "core/wifi/config_http.h"
#include "core/wifi/wifi_results.h"

#include <initializer_list>

namespace kovra {

namespace {

// The record's head, up to the opening of the record element.
constexpr const char* kRecordHead
    = R"x(<?xml version="1.0" standalone="yes"?><!-- Automatically generated XML --><!DOCTYPE configrecord [)x"
      R"x(   <!ELEMENT configrecord (configgroup+)>)x"
      R"x(   <!ELEMENT configgroup (configitem+)>)x"
      R"x(   <!ELEMENT configitem (value+)>)x"
      R"x(   <!ELEMENT value (#PCDATA)>)x"
      R"x(   <!ATTLIST configrecord version CDATA #IMPLIED>)x"
      R"x(   <!ATTLIST configgroup name CDATA #IMPLIED>)x"
      R"x(   <!ATTLIST configgroup instance CDATA #IMPLIED>)x"
      R"x(   <!ATTLIST configitem name CDATA #IMPLIED>)x"
      R"x(   <!ATTLIST configitem instance CDATA #IMPLIED>)x"
      R"x(   <!ATTLIST value name CDATA #IMPLIED>]><configrecord version = "0.1.0.1">)x";

// Asks the module to keep what the record does not name and to reboot after the import.
constexpr const char* kImportControlGroup = R"x(   <configgroup name = "XML Import Control">)x"
                                            R"x(      <configitem name = "Restore Factory Configuration">)x"
                                            R"x(         <value>Disabled</value>)x"
                                            R"x(      </configitem>)x"
                                            R"x(      <configitem name = "Reboot">)x"
                                            R"x(         <value>Enabled</value>)x"
                                            R"x(      </configitem>)x"
                                            R"x(      <configitem name = "Missing Values">)x"
                                            R"x(         <value>Unchanged</value>)x"
                                            R"x(      </configitem>)x"
                                            R"x(      <configitem name = "Delete WLAN Profiles">)x"
                                            R"x(         <value>Disabled</value>)x"
                                            R"x(      </configitem>)x"
                                            R"x(      <configitem name = "WLAN Profile delete">)x"
                                            R"x(         <value name = "name"></value>)x"
                                            R"x(      </configitem>)x"
                                            R"x(   </configgroup>)x";

// Filled with the DHCP client value, the address with prefix length and the gateway.
constexpr const char* kInterfaceGroup = R"x(   <configgroup name = "Interface" instance = "wlan0">)x"
                                        R"x(      <configitem name = "State">)x"
                                        R"x(         <value>Enabled</value>)x"
                                        R"x(      </configitem>)x"
                                        R"x(      <configitem name = "DHCP Client">)x"
                                        R"x(         <value>%s</value>)x"
                                        R"x(      </configitem>)x"
                                        R"x(      <configitem name = "IP Address">)x"
                                        R"x(         <value>%s</value>)x"
                                        R"x(      </configitem>)x"
                                        R"x(      <configitem name = "Default Gateway">)x"
                                        R"x(         <value>%s</value>)x"
                                        R"x(      </configitem>)x"
                                        R"x(      <configitem name = "Hostname">)x"
                                        R"x(         <value></value>)x"
                                        R"x(      </configitem>)x"
                                        R"x(      <configitem name = "Primary DNS">)x"
                                        R"x(         <value>&lt;None&gt;</value>)x"
                                        R"x(      </configitem>)x"
                                        R"x(      <configitem name = "Secondary DNS">)x"
                                        R"x(         <value>&lt;None&gt;</value>)x"
                                        R"x(      </configitem>)x"
                                        R"x(      <configitem name = "MSS">)x"
                                        R"x(         <value>1460 bytes</value>)x"
                                        R"x(      </configitem>)x"
                                        R"x(   </configgroup>)x";

// Filled with the accept port, the connect mode, the remote host and its port.
constexpr const char* kTunnelGroups = R"x(   <configgroup name = "Tunnel Accept" instance = "1">)x"
                                      R"x(      <configitem name = "Mode">)x"
                                      R"x(         <value>Always</value>)x"
                                      R"x(      </configitem>)x"
                                      R"x(      <configitem name = "Local Port">)x"
                                      R"x(         <value>%d</value>)x"
                                      R"x(      </configitem>)x"
                                      R"x(      <configitem name = "Protocol">)x"
                                      R"x(         <value>TCP</value>)x"
                                      R"x(      </configitem>)x"
                                      R"x(      <configitem name = "Flush Line">)x"
                                      R"x(         <value>Disabled</value>)x"
                                      R"x(      </configitem>)x"
                                      R"x(      <configitem name = "Block Line">)x"
                                      R"x(         <value>Disabled</value>)x"
                                      R"x(      </configitem>)x"
                                      R"x(      <configitem name = "Block Network">)x"
                                      R"x(         <value>Disabled</value>)x"
                                      R"x(      </configitem>)x"
                                      R"x(      <configitem name = "Password">)x"
                                      R"x(         <value></value>)x"
                                      R"x(      </configitem>)x"
                                      R"x(   </configgroup>)x"
                                      R"x(   <configgroup name = "Tunnel Connect" instance = "1">)x"
                                      R"x(      <configitem name = "Mode">)x"
                                      R"x(         <value>%s</value>)x"
                                      R"x(      </configitem>)x"
                                      R"x(      <configitem name = "Local Port">)x"
                                      R"x(         <value>&lt;Random&gt;</value>)x"
                                      R"x(      </configitem>)x"
                                      R"x(      <configitem name = "Host" instance = "1">)x"
                                      R"x(         <value name = "Address">%s</value>)x"
                                      R"x(         <value name = "Port">%d</value>)x"
                                      R"x(         <value name = "Protocol">TCP</value>)x"
                                      R"x(         <value name = "Credential"></value>)x"
                                      R"x(         <value name = "Initial Send"></value>)x"
                                      R"x(         <value name = "Reception">Restricted</value>)x"
                                      R"x(      </configitem>)x"
                                      R"x(      <configitem name = "Host" instance = "2">)x"
                                      R"x(         <value name = "Address"></value>)x"
                                      R"x(         <value name = "Port">&lt;None&gt;</value>)x"
                                      R"x(         <value name = "Protocol">TCP</value>)x"
                                      R"x(         <value name = "Credential"></value>)x"
                                      R"x(         <value name = "Initial Send"></value>)x"
                                      R"x(         <value name = "Reception">Restricted</value>)x"
                                      R"x(      </configitem>)x"
                                      R"x(      <configitem name = "Connections">)x"
                                      R"x(         <value>Sequential</value>)x"
                                      R"x(      </configitem>)x"
                                      R"x(      <configitem name = "Reconnect Time">)x"
                                      R"x(         <value>15 seconds</value>)x"
                                      R"x(      </configitem>)x"
                                      R"x(      <configitem name = "Flush Line">)x"
                                      R"x(         <value>Disabled</value>)x"
                                      R"x(      </configitem>)x"
                                      R"x(      <configitem name = "Block Line">)x"
                                      R"x(         <value>Disabled</value>)x"
                                      R"x(      </configitem>)x"
                                      R"x(      <configitem name = "Block Network">)x"
                                      R"x(         <value>Disabled</value>)x"
                                      R"x(      </configitem>)x"
                                      R"x(   </configgroup>)x";

constexpr const char* kRecordEnd = "</configrecord>";
constexpr const char* kDhcpOn = "Enable";
constexpr const char* kDhcpOff = "Disable";
constexpr const char* kNoAddress = "&lt;None&gt;";
constexpr const char* kConnectAny = "Any Character";
constexpr const char* kConnectOff = "Disable";
constexpr int kTunnelModeMask = 0x0F;
constexpr int kTunnelModeConnect = 1;

// The template with each "%s" or "%d" replaced by the next of the values, in order.
std::string fill(const char* form, std::initializer_list<std::string> values)
{
    std::string text;
    auto next = values.begin();
    for (const char* c = form; *c; ++c) {
        if (c[0] == '%' && (c[1] == 's' || c[1] == 'd') && next != values.end()) {
            text += *next++;
            ++c;
        } else {
            text += *c;
        }
    }
    return text;
}

} // namespace

int interfaceGroup(bool dhcp, Ipv4 address, Ipv4 mask, Ipv4 gateway, std::string& out)
{
    if (dhcp) {
        out = fill(kInterfaceGroup, { kDhcpOn, kNoAddress, kNoAddress });
        return 0;
    }
    const int prefix = prefixFromMask(mask);
    if (prefix < 0)
        return kWifiBadValue;
    const std::string gatewayText = gateway == 0 ? std::string(kNoAddress) : ipv4ToText(gateway);
    out = fill(
        kInterfaceGroup, { kDhcpOff, ipv4ToText(address) + "/" + std::to_string(prefix), gatewayText });
    return 0;
}

std::string tunnelGroups(const ModuleTunnel& tunnel)
{
    const char* mode
        = (tunnel.tunnelMode & kTunnelModeMask) == kTunnelModeConnect ? kConnectAny : kConnectOff;
    return fill(kTunnelGroups,
        { std::to_string(tunnel.acceptPort), mode, ipv4ToText(tunnel.remoteHost),
            std::to_string(tunnel.remotePort) });
}

int assembleRecord(const std::string& groups, std::string& out)
{
    std::string record = std::string(kRecordHead) + groups + kImportControlGroup + kRecordEnd;
    if (record.size() > kMaxModuleAnswer)
        return kWifiTooLong;
    out = std::move(record);
    return 0;
}

} // namespace kovra

// The Wi-Fi module's configuration record: assembly, item extraction and the stored-record
// rewrite, against texts built here by the record's rules (3, 6 and 9 spaces before group,
// item and value tags, no line breaks).

#include "core/wifi/module_record.h"
#include "core/wifi/record_items.h"
#include "core/wifi/stored_record.h"
#include "core/wifi/wifi_results.h"

#include <gtest/gtest.h>

using namespace kovra;

namespace {

std::string group(const std::string& attributes)
{
    return "   <configgroup name = " + attributes + ">";
}
std::string item(const std::string& attributes)
{
    return "      <configitem name = " + attributes + ">";
}
std::string value(const std::string& text)
{
    return "         <value>" + text + "</value>";
}
std::string named(const std::string& name, const std::string& text)
{
    return "         <value name = \"" + name + "\">" + text + "</value>";
}
const std::string kItemEnd = "      </configitem>";
const std::string kGroupEnd = "   </configgroup>";
std::string plain(const std::string& name, const std::string& text)
{
    return item("\"" + name + "\"") + value(text) + kItemEnd;
}

std::string interfaceText(const std::string& dhcp, const std::string& address, const std::string& gateway)
{
    return group("\"Interface\" instance = \"wlan0\"") + plain("State", "Enabled")
        + plain("DHCP Client", dhcp) + plain("IP Address", address) + plain("Default Gateway", gateway)
        + plain("Hostname", "") + plain("Primary DNS", "&lt;None&gt;")
        + plain("Secondary DNS", "&lt;None&gt;") + plain("MSS", "1460 bytes") + kGroupEnd;
}

std::string hostText(const std::string& instance, const std::string& address, const std::string& port)
{
    return item("\"Host\" instance = \"" + instance + "\"") + named("Address", address) + named("Port", port)
        + named("Protocol", "TCP") + named("Credential", "") + named("Initial Send", "")
        + named("Reception", "Restricted") + kItemEnd;
}

std::string tunnelText(int acceptPort, const std::string& mode, const std::string& host, int port)
{
    return group("\"Tunnel Accept\" instance = \"1\"") + plain("Mode", "Always")
        + plain("Local Port", std::to_string(acceptPort)) + plain("Protocol", "TCP")
        + plain("Flush Line", "Disabled") + plain("Block Line", "Disabled")
        + plain("Block Network", "Disabled") + plain("Password", "") + kGroupEnd
        + group("\"Tunnel Connect\" instance = \"1\"") + plain("Mode", mode)
        + plain("Local Port", "&lt;Random&gt;") + hostText("1", host, std::to_string(port))
        + hostText("2", "", "&lt;None&gt;") + plain("Connections", "Sequential")
        + plain("Reconnect Time", "15 seconds") + plain("Flush Line", "Disabled")
        + plain("Block Line", "Disabled") + plain("Block Network", "Disabled") + kGroupEnd;
}

struct InterfaceCase {
    const char* name;
    bool dhcp;
    Ipv4 address;
    Ipv4 mask;
    Ipv4 gateway;
    const char* dhcpText;
    const char* addressText;
    const char* gatewayText;
};

class WifiInterfaceGroup : public testing::TestWithParam<InterfaceCase> { };

TEST_P(WifiInterfaceGroup, IsTheDescribedText)
{
    const InterfaceCase& c = GetParam();
    std::string text;
    ASSERT_EQ(interfaceGroup(c.dhcp, c.address, c.mask, c.gateway, text), 0);
    EXPECT_EQ(text, interfaceText(c.dhcpText, c.addressText, c.gatewayText));
}

INSTANTIATE_TEST_SUITE_P(Cases, WifiInterfaceGroup,
    testing::Values(
        InterfaceCase { "DhcpIgnoresTheAddress", true, makeIpv4(10, 0, 0, 5), makeIpv4(255, 0, 0, 0),
            makeIpv4(10, 0, 0, 1), "Enable", "&lt;None&gt;", "&lt;None&gt;" },
        InterfaceCase { "StaticWithGateway", false, makeIpv4(192, 168, 0, 10), makeIpv4(255, 255, 255, 0),
            makeIpv4(192, 168, 0, 1), "Disable", "192.168.0.10/24", "192.168.0.1" },
        InterfaceCase { "StaticWithoutGateway", false, makeIpv4(172, 16, 3, 4), makeIpv4(255, 255, 240, 0), 0,
            "Disable", "172.16.3.4/20", "&lt;None&gt;" },
        InterfaceCase { "HostRoute", false, makeIpv4(203, 0, 113, 9), makeIpv4(255, 255, 255, 255),
            makeIpv4(203, 0, 113, 1), "Disable", "203.0.113.9/32", "203.0.113.1" }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WifiRecordAssembly, BrokenMaskIsRefused)
{
    std::string text = "kept";
    EXPECT_EQ(interfaceGroup(false, makeIpv4(10, 0, 0, 5), makeIpv4(255, 0, 255, 0), 0, text), kWifiBadValue);
    EXPECT_EQ(text, "kept");
}

struct TunnelCase {
    int mode;
    const char* modeText;
};

class WifiTunnelGroups : public testing::TestWithParam<TunnelCase> { };

TEST_P(WifiTunnelGroups, FollowTheLowFourBitsOfTheMode)
{
    ModuleTunnel tunnel { 10001, GetParam().mode, makeIpv4(203, 0, 113, 77), 502 };
    EXPECT_EQ(tunnelGroups(tunnel), tunnelText(10001, GetParam().modeText, "203.0.113.77", 502));
}

INSTANTIATE_TEST_SUITE_P(Modes, WifiTunnelGroups,
    testing::Values(TunnelCase { 1, "Any Character" }, TunnelCase { 0x41, "Any Character" },
        TunnelCase { 0, "Disable" }, TunnelCase { 2, "Disable" }, TunnelCase { 0x10, "Disable" }));

TEST(WifiRecordAssembly, WholeRecordHasHeadGroupsControlAndEnd)
{
    const std::string head = "<?xml version=\"1.0\" standalone=\"yes\"?><!-- Automatically generated XML -->"
                             "<!DOCTYPE configrecord [   <!ELEMENT configrecord (configgroup+)>"
                             "   <!ELEMENT configgroup (configitem+)>   <!ELEMENT configitem (value+)>"
                             "   <!ELEMENT value (#PCDATA)>   <!ATTLIST configrecord version CDATA #IMPLIED>"
                             "   <!ATTLIST configgroup name CDATA #IMPLIED>"
                             "   <!ATTLIST configgroup instance CDATA #IMPLIED>"
                             "   <!ATTLIST configitem name CDATA #IMPLIED>"
                             "   <!ATTLIST configitem instance CDATA #IMPLIED>"
                             "   <!ATTLIST value name CDATA #IMPLIED>]><configrecord version = \"0.1.0.1\">";
    const std::string control = group("\"XML Import Control\"")
        + plain("Restore Factory Configuration", "Disabled") + plain("Reboot", "Enabled")
        + plain("Missing Values", "Unchanged") + plain("Delete WLAN Profiles", "Disabled")
        + item("\"WLAN Profile delete\"") + named("name", "") + kItemEnd + kGroupEnd;
    std::string groups;
    ASSERT_EQ(interfaceGroup(false, makeIpv4(192, 168, 0, 10), makeIpv4(255, 255, 255, 0), 0, groups), 0);
    std::string record;
    ASSERT_EQ(assembleRecord(groups, record), 0);
    EXPECT_EQ(record,
        head + interfaceText("Disable", "192.168.0.10/24", "&lt;None&gt;") + control + "</configrecord>");
    EXPECT_EQ(record.find('\n'), std::string::npos);
}

TEST(WifiRecordAssembly, RecordOverTheLimitIsRefused)
{
    std::string record = "kept";
    std::string probe;
    ASSERT_EQ(assembleRecord("", probe), 0);
    EXPECT_EQ(assembleRecord(std::string(65535 - probe.size(), 'x'), record), 0);
    EXPECT_EQ(record.size(), 65535u);
    EXPECT_EQ(assembleRecord(std::string(65536 - probe.size(), 'x'), record), kWifiTooLong);
}

// An exported record as the module writes it: one tag per line.
std::string exported(const std::string& dhcp, const std::string& address, const std::string& gateway,
    const std::string& end = "\r\n")
{
    return "<?xml version=\"1.0\" standalone=\"yes\"?>\r\n<configrecord version = \"0.1.0.1\">\r\n"
           "   <configgroup name = \"Interface\" instance = \"wlan0\">\r\n"
           "      <configitem name = \"State\">\r\n         <value>Enabled</value>\r\n      </configitem>\r\n"
           "      <configitem name = \"DHCP Client\">\r\n         <value>"
        + dhcp
        + "</value>\r\n      </configitem>\r\n      <configitem name = \"IP Address\">\r\n         <value>"
        + address
        + "</value>\r\n      </configitem>\r\n      <configitem name = \"Default Gateway\">\r\n         "
          "<value>"
        + gateway + "</value>" + end;
}

struct InterfaceReadCase {
    const char* name;
    std::string record;
    int result;
    ModuleInterface expected;
};

class WifiInterfaceRead : public testing::TestWithParam<InterfaceReadCase> { };

TEST_P(WifiInterfaceRead, GivesTheUnitsNetwork)
{
    const InterfaceReadCase& c = GetParam();
    const ModuleInterface before { false, makeIpv4(9, 9, 9, 9), makeIpv4(255, 255, 255, 252),
        makeIpv4(9, 9, 9, 8) };
    ModuleInterface read = before;
    EXPECT_EQ(parseInterface(c.record, makeIpv4(192, 168, 0, 50), read), c.result);
    const ModuleInterface& want = c.result == 0 ? c.expected : before;
    EXPECT_EQ(read.dhcp, want.dhcp);
    EXPECT_EQ(ipv4ToText(read.address), ipv4ToText(want.address));
    EXPECT_EQ(ipv4ToText(read.mask), ipv4ToText(want.mask));
    EXPECT_EQ(ipv4ToText(read.gateway), ipv4ToText(want.gateway));
}

const std::string kEnd = "\r\n      </configitem>\r\n   </configgroup>\r\n</configrecord>\r\n";

INSTANTIATE_TEST_SUITE_P(Cases, WifiInterfaceRead,
    testing::Values(
        InterfaceReadCase { "StaticWithPrefix", exported("Disabled", "192.168.0.10/24", "192.168.0.1", kEnd),
            0, { false, makeIpv4(192, 168, 0, 10), makeIpv4(255, 255, 255, 0), makeIpv4(192, 168, 0, 1) } },
        InterfaceReadCase { "DhcpKeepsTheFoundAddressAndTakesTheClassMask",
            exported("Enabled", "&lt;None&gt;", "&lt;None&gt;", kEnd), 0,
            { true, makeIpv4(192, 168, 0, 50), makeIpv4(255, 255, 255, 0), 0 } },
        InterfaceReadCase { "NoneLeavesTheStaticValues", exported("Disabled", "None", "None", kEnd), 0,
            { false, makeIpv4(9, 9, 9, 9), makeIpv4(255, 255, 255, 252), makeIpv4(9, 9, 9, 8) } },
        InterfaceReadCase { "LastLineWithoutLineBreak", exported("Disabled", "10.1.2.3/8", "10.0.0.1", ""), 0,
            { false, makeIpv4(10, 1, 2, 3), makeIpv4(255, 0, 0, 0), makeIpv4(10, 0, 0, 1) } },
        InterfaceReadCase { "DhcpShortForm", exported("Enable", "None", "None", kEnd), kWifiBadValue, {} },
        InterfaceReadCase {
            "AddressWithoutPrefix", exported("Disabled", "10.1.2.3", "None", kEnd), kWifiBadValue, {} },
        InterfaceReadCase {
            "PrefixOver32", exported("Disabled", "10.1.2.3/33", "None", kEnd), kWifiBadValue, {} },
        InterfaceReadCase {
            "GatewayNotAnAddress", exported("Disabled", "10.1.2.3/8", "10.0.0", kEnd), kWifiBadValue, {} },
        InterfaceReadCase { "ValueCutAtTheEnd",
            exported("Disabled", "10.1.2.3/8", "10.0.0.1", "").substr(0, 400), kWifiItemMissing, {} },
        InterfaceReadCase { "ValueCloseOnTheNextLine",
            exported("Disabled", "10.1.2.3/8", "10.0.0.1\r\n", kEnd), kWifiItemMissing, {} },
        InterfaceReadCase { "NoGroup", "<configrecord></configrecord>", kWifiItemMissing, {} }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WifiItemExtraction, ItemsOfAnotherGroupAreNotTaken)
{
    // "Local Port" of Tunnel Accept 2 must not answer for Tunnel Accept 1, and an item
    // after its group's end is not the group's.
    const std::string record = "   <configgroup name = \"Tunnel Accept\" instance = \"2\">\r\n"
                               "      <configitem name = \"Local Port\">\r\n         <value>10002</value>\r\n"
                               "      </configitem>\r\n   </configgroup>\r\n"
                               "   <configgroup name = \"Tunnel Accept\" instance = \"1\">\r\n"
                               "      <configitem name = \"Mode\">\r\n         <value>Always</value>\r\n"
                               "      </configitem>\r\n   </configgroup>\r\n"
                               "   <configgroup name = \"Clock\">\r\n"
                               "      <configitem name = \"Local Port\">\r\n         <value>123</value>\r\n";
    uint16_t port = 7;
    EXPECT_EQ(parseTunnelAcceptPort(record, port), kWifiItemMissing);
    EXPECT_EQ(port, 7);
}

std::string connectRecord(const std::string& mode, const std::string& port)
{
    return "   <configgroup name = \"Tunnel Connect\" instance = \"1\">\r\n      <configitem name = "
           "\"Mode\">\r\n"
           "         <value>"
        + mode
        + "</value>\r\n      </configitem>\r\n      <configitem name = \"Host\" instance = \"1\">\r\n"
          "         <value name = \"Address\">203.0.113.8</value>\r\n         <value name = \"Port\">"
        + port + "</value>\r\n      </configitem>\r\n   </configgroup>\r\n";
}

struct ConnectCase {
    const char* mode;
    bool enabled;
};

class WifiTunnelConnectRead : public testing::TestWithParam<ConnectCase> { };

TEST_P(WifiTunnelConnectRead, OnlyDisableIsOff)
{
    TunnelConnect read;
    ASSERT_EQ(parseTunnelConnect(connectRecord(GetParam().mode, "502"), read), 0);
    EXPECT_EQ(read.enabled, GetParam().enabled);
    EXPECT_EQ(read.host, "203.0.113.8");
    EXPECT_EQ(read.port, 502);
}

INSTANTIATE_TEST_SUITE_P(Modes, WifiTunnelConnectRead,
    testing::Values(ConnectCase { "Disable", false }, ConnectCase { "Disabled", true },
        ConnectCase { "Any Character", true }, ConnectCase { "disable", true }, ConnectCase { "", true }));

struct PortCase {
    const char* text;
    uint16_t port;
};

class WifiAcceptPortRead : public testing::TestWithParam<PortCase> { };

TEST_P(WifiAcceptPortRead, ReadsLikeAtoi)
{
    const std::string record = "   <configgroup name = \"Tunnel Accept\" instance = \"1\">\r\n"
                               "      <configitem name = \"Local Port\">\r\n         <value>"
        + std::string(GetParam().text) + "</value>\r\n      </configitem>\r\n   </configgroup>\r\n";
    uint16_t port = 1;
    ASSERT_EQ(parseTunnelAcceptPort(record, port), 0);
    EXPECT_EQ(port, GetParam().port);
}

INSTANTIATE_TEST_SUITE_P(Texts, WifiAcceptPortRead,
    testing::Values(PortCase { "10001", 10001 }, PortCase { " 502", 502 }, PortCase { "8080 (tcp)", 8080 },
        PortCase { "65536", 0 }, PortCase { "&lt;None&gt;", 0 }));

// A stored record as the module exports it: groups one per line block.
std::string storedGroup(const std::string& attributes, const std::string& body = "x")
{
    return "   <configgroup name = " + attributes + ">\r\n      <configitem name = \"A\">\r\n         <value>"
        + body + "</value>\r\n      </configitem>\r\n   </configgroup>\r\n";
}

struct RewriteCase {
    const char* name;
    std::string stored;
    std::string expected;
};

class WifiStoredRewrite : public testing::TestWithParam<RewriteCase> { };

TEST_P(WifiStoredRewrite, CutsTheModulesOwnGroups)
{
    EXPECT_EQ(rewriteStoredRecord(GetParam().stored), GetParam().expected);
}

const std::string kHead = "<configrecord version = \"0.1.0.1\">\r\n";
const std::string kTail = "</configrecord>\r\n";
const std::string kWlan = storedGroup("\"Interface\" instance = \"wlan0\"");
const std::string kTunnel = storedGroup("\"Tunnel Accept\" instance = \"1\"");

INSTANTIATE_TEST_SUITE_P(Records, WifiStoredRewrite,
    testing::Values(RewriteCase { "RadioTwiceLosesBoth",
                        kHead + storedGroup("\"Radio\"", "a") + kWlan + storedGroup("\"Radio\"", "b") + kTail,
                        kHead + kWlan + kTail },
        RewriteCase { "KeepsWhatIsNotListed",
            kHead + storedGroup("\"HTTP Server\"") + kWlan + storedGroup("\"HTTP Server Security\"")
                + storedGroup("\"Interface\" instance = \"ap0\"") + kTunnel
                + storedGroup("\"Tunnel Accept\" instance = \"2\"") + storedGroup("\"XML Import Control\"")
                + kTail,
            kHead + kWlan + kTunnel + kTail },
        RewriteCase { "InstanceBytes5E01And5E02",
            kHead + storedGroup("\"Modem Emulation\" instance = \"\x5E\x01\"") + kWlan
                + storedGroup("\"Modem Emulation\" instance = \"\x5E\x02\"")
                + storedGroup("\"Modem Emulation\" instance = \"3\"") + kTail,
            kHead + kWlan + storedGroup("\"Modem Emulation\" instance = \"3\"") + kTail },
        // "Clock" comes before "User" in the list: found first and unclosed, it stops the
        // rewrite before "User" is cut; "Radio" comes before both and goes.
        RewriteCase { "UnclosedGroupStopsTheRewrite",
            kHead + storedGroup("\"User\"") + storedGroup("\"Radio\"") + kWlan
                + "   <configgroup name = \"Clock\">\r\n      <configitem",
            kHead + storedGroup("\"User\"") + kWlan
                + "   <configgroup name = \"Clock\">\r\n      <configitem" },
        RewriteCase {
            "CloseAtTheVeryEnd", kWlan + "   <configgroup name = \"NTP\">   </configgroup>", kWlan },
        RewriteCase { "CloseWithOneCharacterLeft",
            kWlan + "   <configgroup name = \"NTP\">   </configgroup>\r", kWlan },
        RewriteCase { "NothingListed", kHead + kWlan + kTail, kHead + kWlan + kTail }),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

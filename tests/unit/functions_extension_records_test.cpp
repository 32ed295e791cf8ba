#include "core/app/scripted_user_interface.h"
#include "core/functions/extension_setup_image.h"
#include "core/functions/input_extension_paths.h"
#include "core/functions/tcp_extension_form.h"
#include "core/settings/write_plan.h"

#include <gtest/gtest.h>
#include <variant>

using namespace kovra;

namespace {

const char* const kPortError = "ポート番号エラー";
const char* const kAddressError = "IPアドレス設定エラー";
const char* const kTimingExclusive = "切断時間と定期通知時間はどちらかのみ設定可能です";

constexpr int kGcModel = 2; // on kind 1: disconnect, notification and chattering
constexpr int kRequestFiveModel = 3; // requests with code 5, no timing

using Fields = std::vector<std::pair<std::string, std::string>>;

ExtensionConnections openedConnections()
{
    ExtensionConnections connections;
    connections.ownPorts = { 10001, 0, 0 };
    connections.waits = { true, false, false };
    connections.hosts = { "0.0.0.0", "0.0.0.0" };
    return connections;
}

void setAll(DialogForm& form, const Fields& fields)
{
    for (const auto& [name, text] : fields)
        ASSERT_EQ(form.setFieldText(name, text), DialogForm::SetResult::Set) << name << "=" << text;
}

TEST(FunctionsTcpExtensionAddressRows, OkChecksInTheDialogsOrder)
{
    struct Case {
        const char* name;
        Fields fields;
        const char* failure; // nullptr: OK closes
        std::array<int, 3> ports;
        std::array<std::string, 2> hosts;
    };
    const std::array<std::string, 2> none = { "0.0.0.0", "0.0.0.0" };
    const Case cases[] = {
        { "as opened", {}, nullptr, { 10001, 0, 0 }, none },
        { "partial address", { { "host1", "203.0.113" } }, kAddressError, {}, {} },
        { "address with a space", { { "host1", "203.0.113.9 " } }, kAddressError, {}, {} },
        { "blank is no destination", { { "host1", "" } }, nullptr, { 10001, 0, 0 }, none },
        { "0.0.0.0", { { "host1", "0.0.0.0" } }, nullptr, { 10001, 0, 0 }, none },
        { "destination port 65536", { { "host1", "203.0.113.9" }, { "host-port1", "65536" } }, kPortError, {},
            {} },
        { "destination port 65535", { { "host1", "203.0.113.9" }, { "host-port1", "65535" } }, nullptr,
            { 10001, 0, 0 }, { "203.0.113.9", "0.0.0.0" } },
        { "address before own port", { { "host1", "1.2" }, { "port1", "" } }, kAddressError, {}, {} },
        { "destination before timing",
            { { "host-port1", "70000" }, { "discon", "1sec" }, { "notice", "10sec" } }, kPortError, {}, {} },
        { "timing before own port", { { "port1", "" }, { "discon", "1sec" }, { "notice", "10sec" } },
            kTimingExclusive, {}, {} },
        { "None with a notification", { { "discon", "None" }, { "notice", "180sec" } }, nullptr,
            { 10001, 0, 0 }, none },
        { "a disconnect time without notification", { { "discon", "50min" }, { "notice", "None" } }, nullptr,
            { 10001, 0, 0 }, none },
        { "own port empty", { { "port1", "" } }, kPortError, {}, {} },
        { "own port 65536", { { "port1", "65536" } }, kPortError, {}, {} },
        { "own port 1", { { "port1", "1" } }, nullptr, { 1, 0, 0 }, none },
        { "connection 2 on without a port", { { "multi", "on" } }, kPortError, {}, {} },
        { "connections 3,4 on without a port", { { "multi", "on" }, { "port2", "10005" } }, kPortError, {},
            {} },
        { "connection 2's address checked", { { "multi", "on" }, { "host2", "203.0.113." } }, kAddressError,
            {}, {} },
        { "all rows",
            { { "multi", "on" }, { "port2", "10005" }, { "port34", "65535" }, { "host2", "198.18.0.1" } },
            nullptr, { 10001, 10005, 65535 }, { "0.0.0.0", "198.18.0.1" } },
        { "rows switched off again",
            { { "multi", "on" }, { "port2", "10005" }, { "port34", "10006" }, { "multi", "off" } }, nullptr,
            { 10001, 0, 0 }, none },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TcpExtensionForm form(kKindWiredGc, kGcModel, 0);
        form.loadConnections(openedConnections());
        form.loadTiming(TcpExtensionForm::kDisconNoneRow, 0, 4);
        setAll(form, c.fields);
        ScriptedUserInterface ui;
        EXPECT_EQ(acceptDialog(form, ui), c.failure == nullptr);
        EXPECT_EQ(ui.transcript(),
            c.failure ? std::vector<std::string> { c.failure } : std::vector<std::string> {});
        if (c.failure)
            continue;
        EXPECT_EQ(form.connections().ownPorts, c.ports);
        EXPECT_EQ(form.connections().hosts, c.hosts);
    }
}

TEST(FunctionsTcpExtensionAddressRows, RowsAndRolesByKind)
{
    struct Case {
        int kind;
        bool multi, port34, request1;
    };
    const Case cases[] = {
        { kKindWired, true, false, true },
        { kKindWiredGc, true, true, true },
        { kKindNewerWired, true, true, true },
        { kKindWifiModule, false, false, true },
        { kKindWifi, false, false, false },
        { kKindQx, false, false, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind);
        TcpExtensionForm form(c.kind, 1, 0);
        form.loadConnections(openedConnections());
        EXPECT_EQ(form.field("multi") != nullptr, c.multi);
        EXPECT_EQ(form.field("port34") != nullptr, c.port34);
        // Connection 1 always waits; kinds 3 and 6 always request as well.
        EXPECT_EQ(form.setFieldText("wait1", "off"), DialogForm::SetResult::NotAllowed);
        EXPECT_EQ(form.setFieldText("request1", "off") == DialogForm::SetResult::Set, c.request1);
    }
    TcpExtensionForm form(kKindWired, 1, 0);
    form.loadConnections(openedConnections());
    // Connection 2 changes only while its row is shown.
    EXPECT_EQ(form.setFieldText("port2", "10005"), DialogForm::SetResult::NotAllowed);
    EXPECT_EQ(form.setFieldText("wait2", "on"), DialogForm::SetResult::NotAllowed);
    ASSERT_EQ(form.setFieldText("multi", "on"), DialogForm::SetResult::Set);
    EXPECT_EQ(form.setFieldText("port2", "10005"), DialogForm::SetResult::Set);
    EXPECT_EQ(form.setFieldText("wait2", "on"), DialogForm::SetResult::Set);
}

TEST(FunctionsTcpExtensionAddressRows, OpensWithTheRowsInUse)
{
    ExtensionConnections connections = openedConnections();
    TcpExtensionForm form(kKindWiredGc, kGcModel, 0);
    form.loadConnections(connections);
    EXPECT_FALSE(form.more());
    EXPECT_EQ(form.field("host1")->get(), ""); // 0.0.0.0 opens blank
    connections.ownPorts[2] = 10006;
    form.loadConnections(connections);
    EXPECT_TRUE(form.more());
}

// A binary unit's records as the search and the record reads left them: connection 1 waiting
// and requesting, connection 2 in use, bits 5-4 of every role set, the mail bytes patterned.
UnitSlot recordsUnit(int kind, int model)
{
    UnitSlot unit;
    unit.record.kind = kind;
    unit.record.modelIndex = model;
    unit.record.ipText = "203.0.113.94";
    for (int n = 3; n <= 7; ++n)
        for (size_t i = 64; i < kConfigBlockSize; ++i)
            unit.record.configBlock(n)[i] = uint8_t(i);
    unit.record.configBlock0[4] = 203; // the unit's own address stays as read
    ExtensionSetupImage image;
    image.ownPorts = { 10001, 10005, 10006 };
    image.roles = { uint8_t(0xF0 | roleRequestCode(model)), 0xF0, 0xF0 };
    image.destinations = { makeIpv4(203, 0, 113, 95), makeIpv4(203, 0, 113, 96) };
    image.destinationPorts = { 10001, 10002 };
    writeExtensionSetupImage(unit.record, image);
    return unit;
}

TEST(FunctionsExtensionRecordsPath, WritesTheTimingThenRecords037WithTheImage)
{
    struct Case {
        const char* name;
        int kind;
        int model;
        Fields fields;
        size_t timingRequests;
        ExtensionSetupImage written;
    };
    const auto image = [](std::array<uint16_t, 3> ports, std::array<uint8_t, 3> roles,
                           std::array<Ipv4, 2> destinations, std::array<uint16_t, 2> destinationPorts) {
        ExtensionSetupImage result;
        result.ownPorts = ports;
        result.roles = roles;
        result.destinations = destinations;
        result.destinationPorts = destinationPorts;
        return result;
    };
    const Ipv4 peer1 = makeIpv4(203, 0, 113, 95);
    const Ipv4 peer2 = makeIpv4(203, 0, 113, 96);
    const Case cases[] = {
        { "kind 1 as opened", kKindWiredGc, kGcModel, {}, 2, // discon 0ms, detect; no notification
            image({ 10001, 10005, 10006 }, { 0xF1, 0xF0, 0xF0 }, { peer1, peer2 }, { 10001, 10002 }) },
        { "kind 1 roles changed", kKindWiredGc, kGcModel,
            { { "request1", "off" }, { "request2", "on" }, { "wait2", "off" }, { "port34", "10008" } }, 2,
            image({ 10001, 10005, 10008 }, { 0xF0, 0x31, 0xF0 }, { peer1, peer2 }, { 10001, 10002 }) },
        { "kind 1 rows switched off, new port", kKindWiredGc, kGcModel,
            { { "multi", "off" }, { "port1", "12000" }, { "host1", "" } }, 2,
            image({ 12000, 0, 0 }, { 0xF1, 0x30, 0x30 }, { 0, peer2 }, { 10001, 10002 }) },
        { "kind 0 keeps connections 3,4 as read", kKindWired, kRequestFiveModel, { { "multi", "off" } }, 0,
            image({ 10001, 0, 10006 }, { 0xF5, 0x30, 0xF0 }, { peer1, peer2 }, { 10001, 10002 }) },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UnitSlot unit = recordsUnit(c.kind, c.model);
        const auto path = makeExtensionRecordsPath(unit);
        setAll(path->form(), c.fields);
        ScriptedUserInterface ui;
        ASSERT_TRUE(acceptDialog(path->form(), ui));
        const WritePlan plan = path->plan();
        size_t at = 0;
        if (c.timingRequests > 0) {
            EXPECT_EQ(std::get<DirectStep>(plan.at(at++)).requests.size(), c.timingRequests);
        }
        const auto& records = std::get<RecordsStep>(plan.at(at++)).records;
        ASSERT_EQ(plan.size(), at);
        ASSERT_EQ(records.size(), 3u);
        UnitSlot expected = recordsUnit(c.kind, c.model);
        writeExtensionSetupImage(expected.record, c.written);
        const int numbers[] = { 0, 3, 7 };
        for (size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(records[i].number, numbers[i]);
            EXPECT_EQ(records[i].bytes, storedSetupRecord(expected.record, numbers[i]).bytes)
                << "record " << numbers[i];
        }
        path->store(unit);
        EXPECT_EQ(unit.record.unitPort(), c.written.ownPorts[0]);
    }
}

} // namespace

namespace {

TEST(FunctionsModuleTunnelPath, WritesConnectionOneAsTheTunnelRecord)
{
    struct Case {
        const char* name;
        Fields fields;
        int mode;
        Ipv4 host;
    };
    const Case cases[] = {
        { "connecting out", { { "request1", "on" }, { "host1", "203.0.113.62" }, { "host-port1", "10001" } },
            1, makeIpv4(203, 0, 113, 62) },
        { "waiting only, no destination", { { "request1", "off" }, { "host1", "" } }, 0, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UnitSlot unit;
        unit.record.kind = kKindWifiModule;
        unit.record.modelIndex = 2;
        const auto path = makeModuleTunnelPath(unit);
        setAll(path->form(), { { "port1", "10011" } });
        setAll(path->form(), c.fields);
        ScriptedUserInterface ui;
        ASSERT_TRUE(acceptDialog(path->form(), ui));
        const WritePlan plan = path->plan();
        ASSERT_EQ(plan.size(), 1u); // model 2 on kind 2 has no timing
        const ModuleTunnel& tunnel = std::get<TunnelStep>(plan[0]).tunnel;
        EXPECT_EQ(tunnel.acceptPort, 10011);
        EXPECT_EQ(tunnel.tunnelMode, c.mode);
        EXPECT_EQ(tunnel.remoteHost, c.host);
        // The module's own write path reports its own failure.
        EXPECT_EQ(path->writeFailure(0), SettingOutcome::WriteFailed);
        path->store(unit);
        EXPECT_EQ(unit.record.unitPort(), 10011);
    }
}

} // namespace

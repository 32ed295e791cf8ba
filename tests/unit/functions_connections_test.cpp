#include "core/app/scripted_user_interface.h"
#include "core/functions/connections_form.h"
#include "core/functions/input_extension_paths.h"
#include "core/units/unit_record.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <variant>

using namespace kovra;

namespace {

const char* const kPortRange = "ポート番号は10000-65535の範囲で設定してください。";
const char* const kPortsDiffer = "接続待ちポート設定は全て違う番号に設定してください。";
const char* const kPortOneNeeded = "接続1はポート設定が必要です。";
const char* const kHostPortRange = "接続先ポート番号を1-65535の範囲で設定してください。";
const char* const kTimingExclusive = "切断時間と定期通知時間はどちらかのみ設定可能です";
const char* const kResetNeedsNotice = "無通信時リセット要求は、定期通知設定をNone以外に設定時の機能です。";
const char* const kPeerDosDiffer = "本機からの送信先DOは、全て異なるDOにする必要があります。";
const char* const kLeaveNormal
    = "?TCP通信モード以外では、弊社ツールが動作しない等、挙動が大きく変わります。\n切り替えますか？";

constexpr int kMappingModel = 25; // 2 DO, 2 DI
constexpr int kChecksModel = 5; // 0 DO, 5 DI
constexpr int kNoDiModel = 4;

using Fields = std::vector<std::pair<std::string, std::string>>;

// Connection 1 on 10001 without a destination, DISCON "None", the rest as a unit reports it
// when nothing is set.
UnitSettings opened()
{
    UnitSettings settings;
    settings.ports = { 10001, 0, 0, 0 };
    settings.remoteHosts = { "0.0.0.0", "0.0.0.0", "0.0.0.0", "0.0.0.0" };
    settings.discon = -1;
    settings.detect = 4;
    settings.sketchVersion = 104;
    settings.diExtension.fill(-1);
    settings.doExtension.fill(-1);
    return settings;
}

void setAll(ConnectionsForm& form, const Fields& fields)
{
    for (const auto& [name, text] : fields)
        EXPECT_EQ(form.setFieldText(name, text), DialogForm::SetResult::Set) << name << "=" << text;
}

TEST(FunctionsConnectionsForm, ChecksInTheDialogsOrder)
{
    struct Case {
        const char* name;
        Fields fields;
        const char* failure;
    };
    const Case cases[] = {
        { "ports at both ends", { { "port1", "10000" }, { "port2", "65535" } }, "" },
        { "9999", { { "port2", "9999" } }, kPortRange },
        { "65536", { { "port3", "65536" } }, kPortRange },
        { "empty port 1", { { "port1", "" } }, kPortOneNeeded },
        { "blank port 1 reads empty", { { "port1", "  " } }, kPortOneNeeded },
        { "port 1 of 0", { { "port1", "0" } }, kPortOneNeeded },
        { "range before the need", { { "port1", "9999" } }, kPortRange },
        { "same port twice", { { "port2", "10005" }, { "port4", "10005" } }, kPortsDiffer },
        { "same as port 1", { { "port3", "10001" } }, kPortsDiffer },
        { "destination port 0", { { "host2", "203.0.113.65" }, { "host-port2", "" } }, kHostPortRange },
        { "destination port 65536", { { "host1", "peer" }, { "host-port1", "65536" } }, kHostPortRange },
        { "no destination, port unchecked", { { "host2", " 0.0.0.0 " }, { "host-port2", "99999" } }, "" },
        { "connection 1 before 2", { { "host1", "peer" }, { "port2", "1" } }, kHostPortRange },
        { "connection 2 before timing", { { "port2", "1" }, { "discon", "1sec" }, { "notice", "10sec" } },
            kPortRange },
        { "discon with notice", { { "discon", "1sec" }, { "notice", "10sec" } }, kTimingExclusive },
        { "None with any notice", { { "discon", "None" }, { "notice", "180sec" } }, "" },
        { "any discon with no notice", { { "discon", "50min" }, { "notice", "None" } }, "" },
        { "reset without notice", { { "reset-request", "on" } }, kResetNeedsNotice },
        { "reset with notice", { { "reset-request", "on" }, { "notice", "30sec" } }, "" },
        { "timing before mapping", { { "reset-request", "on" }, { "di1.ext", "do2" }, { "di2.ext", "do2" } },
            kResetNeedsNotice },
        { "two DIs on one DO", { { "di1.ext", "do2" }, { "di2.ext", "do2" } }, kPeerDosDiffer },
        { "two DIs not extended", { { "di1.ext", "none" }, { "di2.ext", "none" } }, "" },
        { "two DOs from one DI", { { "do1.ext", "di1" }, { "do2.ext", "di1" } }, "" },
    };
    for (const auto& c : cases) {
        ConnectionsForm form(kKindKovra4, kMappingModel, opened());
        setAll(form, c.fields);
        EXPECT_EQ(form.check().value_or(""), c.failure) << c.name;
    }
}

TEST(FunctionsConnectionsForm, OkTakesTheEditsAsTheUnitKeepsThem)
{
    ConnectionsForm form(kKindKovra4, kMappingModel, opened());
    setAll(form,
        { { "port2", "10005" }, { "host2", " 203.0.113. 65 " }, { "host-port2", "10001" },
            { "host3", "0.0.0.0" }, { "host-port3", "77" }, { "discon", "0ms" }, { "detect", "20ms" },
            { "di1.ext", "do2" }, { "do2.ext", "di1" } });
    ScriptedUserInterface ui;
    ASSERT_TRUE(acceptDialog(form, ui));
    const UnitSettings& v = form.values();
    EXPECT_EQ(v.ports, (std::array<int32_t, 4> { 10001, 10005, 0, 0 }));
    EXPECT_EQ(v.remoteHosts, (std::array<std::string, 4> { "", "203.0.113.65", "", "" }));
    EXPECT_EQ(v.remotePorts, (std::array<int32_t, 4> { 0, 10001, 77, 0 }));
    EXPECT_EQ(v.discon, 50); // "0ms" is sent as 50
    EXPECT_EQ(v.detect, 20);
    EXPECT_EQ(v.diExtension[0], 1);
    EXPECT_EQ(v.diExtension[1], -1);
    EXPECT_EQ(v.doExtension[1], 0);
}

TEST(FunctionsConnectionsForm, OpensWithTheStoredValuesOrRowZero)
{
    struct Case {
        int discon;
        int notice;
        int detect;
        const char* disconText;
        const char* noticeText;
        const char* detectText;
    };
    const Case cases[] = {
        { 0, 0, 0, "0ms", "None", "4ms" },
        { 50, 10000, 5, "0ms", "10sec", "5ms" },
        { 1800000, 180000, 20, "30min", "180sec", "20ms" },
        { -1, 7, 21, "None", "None", "4ms" },
        { 12345, -1, 3, "0ms", "None", "4ms" },
    };
    for (const auto& c : cases) {
        UnitSettings settings = opened();
        settings.discon = c.discon;
        settings.notice = c.notice;
        settings.detect = c.detect;
        settings.ports = { 10001, 0, 10003, 0 };
        settings.remoteHosts = { " 203.0.113.83 ", "0.0.0.0", "bad\r\nhost", "" };
        settings.remotePorts = { 10002, 0, 5, 0 };
        const ConnectionsForm form(kKindThirdName, kChecksModel, settings);
        EXPECT_EQ(form.field("discon")->get(), c.disconText) << c.discon;
        EXPECT_EQ(form.field("notice")->get(), c.noticeText) << c.notice;
        EXPECT_EQ(form.field("detect")->get(), c.detectText) << c.detect;
        EXPECT_EQ(form.field("port2")->get(), "");
        EXPECT_EQ(form.field("port3")->get(), "10003");
        EXPECT_EQ(form.field("host1")->get(), "203.0.113.83");
        EXPECT_EQ(form.field("host2")->get(), "");
        EXPECT_EQ(form.field("host3")->get(), "bad"); // cut where the unit's text breaks
        EXPECT_EQ(form.field("host-port1")->get(), "10002");
        EXPECT_EQ(form.field("host-port2")->get(), "");
    }
}

TEST(FunctionsConnectionsForm, RefusesTextsThatWouldBreakTheMessage)
{
    ConnectionsForm form(kKindKovra4, kMappingModel, opened());
    const std::pair<const char*, std::string> refused[] = {
        { "host1", "peer\r\nSOCK" },
        { "host1", "peer\tone" },
        { "host2", std::string(256, 'a') },
        { "port1", "100000" },
        { "host-port1", "123456" },
        { "mode", "old" }, // not shown on kind 5
        { "di1.ext", "do9" },
        { "do1.ext", "do1" },
        { "discon", "2sec" },
    };
    for (const auto& [name, text] : refused)
        EXPECT_EQ(form.setFieldText(name, text), DialogForm::SetResult::NotAllowed) << name << "=" << text;
    EXPECT_EQ(form.setFieldText("host2", std::string(255, 'a')), DialogForm::SetResult::Set);
    EXPECT_EQ(form.field("host1")->get(), "");
    EXPECT_EQ(form.field("port1")->get(), "10001");
}

std::vector<std::string> fieldNames(const DialogForm& form)
{
    std::vector<std::string> names;
    for (const auto& field : form.fields())
        names.push_back(field.name);
    return names;
}

TEST(FunctionsConnectionsForm, FieldsFollowTheLayoutAndTheDiCount)
{
    std::vector<std::string> connections;
    for (int n = 1; n <= 4; ++n)
        for (const char* name : { "port", "host", "host-port" })
            connections.push_back(name + std::to_string(n));
    const std::vector<std::string> timing = { "discon", "notice", "reset-request", "detect" };
    auto join = [&](std::vector<std::string> tail, bool withTiming) {
        std::vector<std::string> names = connections;
        if (withTiming)
            names.insert(names.end(), timing.begin(), timing.end());
        names.insert(names.end(), tail.begin(), tail.end());
        names.push_back("mode");
        return names;
    };
    // Kind 5 wins the layout; model 27 has 3 DI and 5 DO, of which two rows each are shown.
    EXPECT_EQ(fieldNames(ConnectionsForm(kKindKovra4, 27, opened())),
        join({ "di1.ext", "di2.ext", "do1.ext", "do2.ext" }, true));
    EXPECT_EQ(fieldNames(ConnectionsForm(kKindThirdName, 2, opened())),
        join({ "di1.ext", "di2.ext", "di3.ext", "di4.ext", "di5.ext", "di6.ext", "di7.ext" }, true));
    EXPECT_EQ(fieldNames(ConnectionsForm(kKindThirdName, 0, opened())), join({}, true));
    EXPECT_EQ(fieldNames(ConnectionsForm(kKindThirdName, kNoDiModel, opened())), join({}, false));
    EXPECT_EQ(ConnectionsForm(kKindThirdName, kNoDiModel, opened()).diCount(), 0);
}

TEST(FunctionsConnectionsForm, TheModeRuleEnablesByMode)
{
    struct Row {
        int layout;
        int model;
        int mode;
        bool connections;
        bool resetRequest;
        bool mapping;
    };
    const Row rows[] = {
        { kLayoutMapping, kMappingModel, kSockNormal, true, true, true },
        { kLayoutMapping, kMappingModel, kSockUdp, true, true, true },
        { kLayoutMapping, kMappingModel, kSockOld, true, false, false },
        { kLayoutMapping, kMappingModel, kSockModbus, false, false, false },
        { kLayoutChecks, kChecksModel, kSockUdp, true, true, true },
        { kLayoutChecks, kChecksModel, kSockOld, true, false, true },
        { kLayoutChecks, kChecksModel, kSockModbus, false, false, false },
        { kLayoutNone, 0, kSockNormal, true, true, false },
    };
    for (const auto& r : rows) {
        UnitSettings settings = opened();
        settings.sockMode = r.mode;
        const int kind = r.layout == kLayoutMapping ? kKindKovra4 : kKindThirdName;
        ConnectionsForm form(kind, r.model, settings);
        if (r.mode == kSockOld) // kind 5 shows old mode only after the keys
            for (const char key : ConnectionsForm::kOldModeKeys)
                form.keyPressed(key);
        ASSERT_EQ(form.layout(), r.layout);
        ASSERT_EQ(form.mode(), r.mode);
        EXPECT_EQ(form.connectionsEnabled(), r.connections) << r.layout << "/" << r.mode;
        EXPECT_EQ(form.timingEnabled(), r.connections) << r.layout << "/" << r.mode;
        EXPECT_EQ(form.resetRequestEnabled(), r.resetRequest) << r.layout << "/" << r.mode;
        EXPECT_EQ(form.mappingEnabled(), r.mapping) << r.layout << "/" << r.mode;
    }
}

TEST(FunctionsConnectionsForm, RadiosShownByKindAndSketchAndTheHiddenKeys)
{
    struct Case {
        int kind;
        int sketch;
        bool modbus;
        bool oldAfterKeys;
    };
    const Case cases[] = {
        { kKindKovra4, 102, false, false },
        { kKindKovra4, 103, true, true },
        { kKindThirdName, 0, true, true },
    };
    for (const auto& c : cases) {
        UnitSettings settings = opened();
        settings.sketchVersion = c.sketch;
        ConnectionsForm form(c.kind, kMappingModel, settings);
        EXPECT_EQ(form.modeShown(kSockModbus), c.modbus) << c.kind << "/" << c.sketch;
        EXPECT_EQ(form.modeShown(kSockOld), c.kind == kKindThirdName);
        // Other keys between do not break the sequence; keys out of order do not count.
        EXPECT_FALSE(form.keyPressed('L'));
        EXPECT_FALSE(form.keyPressed('O'));
        EXPECT_FALSE(form.keyPressed('X'));
        EXPECT_FALSE(form.keyPressed('L'));
        EXPECT_EQ(form.keyPressed('D'), c.oldAfterKeys && c.kind == kKindKovra4);
        EXPECT_EQ(form.modeShown(kSockOld), c.oldAfterKeys) << c.kind << "/" << c.sketch;
        EXPECT_EQ(form.setFieldText("mode", "old") == DialogForm::SetResult::Set, c.oldAfterKeys);
    }
}

TEST(FunctionsConnectionsForm, LeavingNormalModeAsksAndNoGoesBack)
{
    ConnectionsForm form(kKindKovra4, kMappingModel, opened());
    setAll(form, { { "mode", "udp" } });
    ScriptedUserInterface ui;
    ui.queueAnswer(false);
    EXPECT_FALSE(acceptDialog(form, ui));
    EXPECT_EQ(form.mode(), kSockNormal);
    setAll(form, { { "mode", "modbus" } });
    ui.queueAnswer(true);
    EXPECT_TRUE(acceptDialog(form, ui));
    EXPECT_EQ(form.values().sockMode, kSockModbus);
    EXPECT_EQ(ui.transcript(), (std::vector<std::string> { kLeaveNormal, kLeaveNormal }));

    // A unit already out of normal mode is not asked again.
    UnitSettings udp = opened();
    udp.sockMode = kSockUdp;
    ConnectionsForm fromUdp(kKindKovra4, kMappingModel, udp);
    setAll(fromUdp, { { "mode", "modbus" } });
    ScriptedUserInterface quiet;
    EXPECT_TRUE(acceptDialog(fromUdp, quiet));
    EXPECT_TRUE(quiet.transcript().empty());
}

TEST(FunctionsConnectionsForm, ResetPutsEachChannelOnItsPeersSameNumber)
{
    ConnectionsForm mapping(kKindKovra4, kMappingModel, opened());
    mapping.resetMapping();
    EXPECT_EQ(mapping.field("di2.ext")->get(), "do2");
    EXPECT_EQ(mapping.field("do1.ext")->get(), "di1");
    ConnectionsForm checks(kKindThirdName, kChecksModel, opened());
    checks.resetMapping();
    ASSERT_FALSE(checks.check());
    EXPECT_EQ(
        checks.values().diExtension, (std::array<int32_t, kChannelCount> { 0, 1, 2, 3, 4, -1, -1, -1 }));
}

// What the path sends for each layout once the dialog closes with OK.
struct MessageCase {
    const char* name;
    int kind;
    int model;
    Fields fields;
    std::string expected;
};

class FunctionsConnectionsMessage : public testing::TestWithParam<MessageCase> { };

TEST_P(FunctionsConnectionsMessage, IsTheWriteConnectionsBytes)
{
    const MessageCase& c = GetParam();
    UnitSlot unit;
    unit.record.kind = c.kind;
    unit.record.modelIndex = c.model;
    unit.settings = opened();
    unit.settings.discon = 1234; // the unit's own value
    unit.settings.diExtension[4] = 6;
    unit.settings.doExtension[2] = 5;
    auto path = makeConnectionsPath(unit);
    setAll(static_cast<ConnectionsForm&>(path->form()), c.fields);
    ScriptedUserInterface ui(true);
    ASSERT_TRUE(acceptDialog(path->form(), ui));
    const WritePlan plan = path->plan();
    ASSERT_EQ(plan.size(), 1u);
    EXPECT_EQ(std::get<MessageStep>(plan[0]).text, c.expected);
}

const std::string kConnections = "PORT1\r\n10001\r\nHIP1\r\n\r\nHPORT1\r\n0\r\n"
                                 "PORT2\r\n10005\r\nHIP2\r\n203.0.113.65\r\nHPORT2\r\n10001\r\n"
                                 "PORT3\r\n0\r\nHIP3\r\n\r\nHPORT3\r\n0\r\n"
                                 "PORT4\r\n0\r\nHIP4\r\n\r\nHPORT4\r\n0\r\n";
const Fields kConnectionFields
    = { { "port2", "10005" }, { "host2", "203.0.113.65" }, { "host-port2", "10001" } };

Fields with(Fields more)
{
    Fields fields = kConnectionFields;
    fields.insert(fields.end(), more.begin(), more.end());
    return fields;
}

INSTANTIATE_TEST_SUITE_P(FunctionsConnections, FunctionsConnectionsMessage,
    testing::Values(
        // Model 4: no DIs, so the timing goes back as the unit holds it; no mapping keys.
        MessageCase { "Layout0", kKindThirdName, kNoDiModel, with({ { "mode", "udp" } }),
            kConnections
                + "SOCK\r\n1\r\nNOTICE\r\n0\r\nDISCON\r\n1234\r\nRQ_RST\r\n0\r\nDETECT\r\n4\r\nEND\r\n" },
        MessageCase { "Layout1", kKindKovra4, kMappingModel,
            with({ { "discon", "0ms" }, { "di2.ext", "do1" }, { "do1.ext", "di2" } }),
            kConnections
                + "SOCK\r\n0\r\nNOTICE\r\n0\r\nDISCON\r\n50\r\nRQ_RST\r\n0\r\nDETECT\r\n4\r\n"
                  "DI1_EX\r\n-1\r\nDI2_EX\r\n0\r\nDO1_EX\r\n1\r\nDO2_EX\r\n-1\r\nEND\r\n" },
        // Model 5: five DIs, all shown as checks; a checked DI is written as its own number.
        MessageCase { "Layout2", kKindThirdName, kChecksModel,
            with({ { "notice", "60sec" }, { "discon", "None" }, { "reset-request", "on" },
                { "di2.ext", "on" }, { "di5.ext", "on" } }),
            kConnections
                + "SOCK\r\n0\r\nNOTICE\r\n60000\r\nDISCON\r\n-1\r\nRQ_RST\r\n1\r\nDETECT\r\n4\r\n"
                  "DI1_EX\r\n-1\r\nDI2_EX\r\n1\r\nDI3_EX\r\n-1\r\nDI4_EX\r\n-1\r\nDI5_EX\r\n4\r\nEND\r\n" },
        // Model 27: DI3 and DO3..DO5 have no row and keep what the unit holds.
        MessageCase { "Layout1PastTheRows", kKindKovra4, 27, kConnectionFields,
            kConnections
                + "SOCK\r\n0\r\nNOTICE\r\n0\r\nDISCON\r\n50\r\nRQ_RST\r\n0\r\nDETECT\r\n4\r\n"
                  "DI1_EX\r\n-1\r\nDI2_EX\r\n-1\r\nDI3_EX\r\n-1\r\n"
                  "DO1_EX\r\n-1\r\nDO2_EX\r\n-1\r\nDO3_EX\r\n5\r\nDO4_EX\r\n-1\r\nDO5_EX\r\n-1\r\nEND\r\n" }),
    [](const testing::TestParamInfo<MessageCase>& info) { return std::string(info.param.name); });

TEST(FunctionsConnectionsPath, StoreMovesTheCommandPortOnlyWithANewPort1)
{
    for (const char* port1 : { "10001", "12000" }) {
        UnitSlot unit;
        unit.record.kind = kKindKovra4;
        unit.record.modelIndex = kMappingModel;
        unit.record.setUnitPort(10001);
        unit.settings = opened();
        auto path = makeConnectionsPath(unit);
        setAll(static_cast<ConnectionsForm&>(path->form()),
            { { "port1", port1 }, { "host2", "peer" }, { "host-port2", "10009" } });
        ScriptedUserInterface ui;
        ASSERT_TRUE(acceptDialog(path->form(), ui));
        unit.record.setUnitPort(9000); // moved by something else since: kept unless port 1 moves
        path->store(unit);
        EXPECT_EQ(unit.record.unitPort(), std::string(port1) == "12000" ? 12000 : 9000);
        EXPECT_EQ(unit.settings.ports[0], std::atoi(port1));
        EXPECT_EQ(unit.settings.remoteHosts[1], "peer");
        EXPECT_EQ(unit.settings.remotePorts[1], 10009);
    }
}

} // namespace

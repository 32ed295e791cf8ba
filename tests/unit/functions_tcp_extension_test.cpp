#include "core/app/scripted_user_interface.h"
#include "core/functions/input_extension_paths.h"
#include "core/functions/tcp_extension_form.h"
#include "core/net/net_results.h"
#include "core/settings/write_plan.h"
#include "core/units/unit_record.h"
#include "net_fake_units.h"
#include "platform_test_peer.h"

#include <gtest/gtest.h>
#include <variant>

using namespace kovra;
using namespace kovra::test;

namespace {

const char* const kPortError = "ポート番号エラー";
const char* const kTimingExclusive = "切断時間と定期通知時間はどちらかのみ設定可能です";
const char* const kResetCleared
    = "無通信時リセット要求は、定期通知設定をNone以外に設定時の機能です。\n無効とします。";
const char* const kIndividualCleared
    = "個別延長設定を有効にするには1つ以上のDIにチェックが必要です。\n個別転送を無効に設定しました。";

constexpr int kAllTimingModel = 1; // on kind 3: disconnect, notification, chattering
constexpr int kERstSketch = 127;
constexpr int kMaskModel = 5; // 5 DI

using Fields = std::vector<std::pair<std::string, std::string>>;

UnitSettings opened(int sketchVersion = kERstSketch)
{
    UnitSettings settings;
    settings.ports = { 10001, 0, 0, 0 };
    settings.remoteHosts = { "0.0.0.0", "", "", "" };
    settings.sketchVersion = sketchVersion;
    return settings;
}

void setAll(DialogForm& form, const Fields& fields)
{
    for (const auto& [name, text] : fields)
        ASSERT_EQ(form.setFieldText(name, text), DialogForm::SetResult::Set) << name << "=" << text;
}

TEST(FunctionsTcpExtensionForm, OkChecksAndClearsInTheDialogsOrder)
{
    struct Case {
        const char* name;
        Fields fields;
        std::vector<std::string> transcript;
        bool closes;
        int eRst;
        uint32_t mask;
    };
    const Case cases[] = {
        { "as opened", {}, {}, true, 0, 0 },
        { "destination port 65536", { { "host-port1", "65536" } }, { kPortError }, false, 0, 0 },
        { "destination before timing",
            { { "host-port1", "70000" }, { "discon", "1sec" }, { "notice", "10sec" } }, { kPortError }, false,
            0, 0 },
        { "discon with notice", { { "discon", "1sec" }, { "notice", "10sec" } }, { kTimingExclusive }, false,
            0, 0 },
        { "None with notice", { { "discon", "None" }, { "notice", "180sec" } }, {}, true, 0, 0 },
        { "timing before own port", { { "port1", "" }, { "discon", "0ms" }, { "notice", "30sec" } },
            { kTimingExclusive }, false, 0, 0 },
        { "own port empty", { { "port1", "" } }, { kPortError }, false, 0, 0 },
        { "own port 0", { { "port1", "0" } }, { kPortError }, false, 0, 0 },
        { "own port 65536", { { "port1", "65536" } }, { kPortError }, false, 0, 0 },
        { "own port 65535", { { "port1", "65535" } }, {}, true, 0, 0 },
        { "reset without notice", { { "e-rst", "on" } }, { kResetCleared }, true, 0, 0 },
        { "reset with notice", { { "e-rst", "on" }, { "notice", "10sec" }, { "discon", "None" } }, {}, true,
            1, 0 },
        { "individual without DI", { { "individual", "on" } }, { kIndividualCleared }, true, 0, 0 },
        { "individual DI2 and DI5", { { "individual", "on" }, { "di2.ext", "on" }, { "di5.ext", "on" } }, {},
            true, 0, 0x12 },
        { "both cleared, reset first", { { "individual", "on" }, { "e-rst", "on" } },
            { kResetCleared, kIndividualCleared }, true, 0, 0 },
        { "port error before any clearing", { { "e-rst", "on" }, { "port1", "0" } }, { kPortError }, false, 0,
            0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TcpExtensionForm form(kKindWifi, kAllTimingModel, opened(), 5);
        form.loadTiming(TcpExtensionForm::kDisconNoneRow, 0, 4);
        setAll(form, c.fields);
        ScriptedUserInterface ui;
        EXPECT_EQ(acceptDialog(form, ui), c.closes);
        EXPECT_EQ(ui.transcript(), c.transcript);
        if (c.closes) {
            EXPECT_EQ(form.values().eRstOption, c.eRst);
            EXPECT_EQ(form.diMask(), c.mask);
        }
    }
}

TEST(FunctionsTcpExtensionForm, RefusesWhatTheMessageOrTheEditCannotHold)
{
    TcpExtensionForm form(kKindQx, 6, opened(), 0);
    const std::string longest(kSettingTextMax, 'h');
    const std::pair<std::string, std::string> refused[] = {
        { "host1", "peer\r\nSOCK" }, { "host1", "a\tb" }, { "host1", longest + "h" }, { "port1", "123456" },
        { "port1", "-1" }, { "host-port1", "1e3" }, { "e-rst", "on" }, // kind 6 reports no E_RST
        { "individual", "on" }, // not offered
    };
    for (const auto& [name, text] : refused)
        EXPECT_NE(form.setFieldText(name, text), DialogForm::SetResult::Set) << name << "=" << text;
    EXPECT_EQ(form.setFieldText("host1", longest), DialogForm::SetResult::Set);

    TcpExtensionForm masked(kKindWifi, kMaskModel, opened(), 5);
    EXPECT_EQ(masked.setFieldText("di1.ext", "on"), DialogForm::SetResult::NotAllowed); // checks are off
    EXPECT_EQ(masked.field("di6.ext"), nullptr);
}

TEST(FunctionsTcpExtensionForm, TimingControlsByModel)
{
    struct Case {
        int kind;
        int model;
        bool discon, notice, detect;
        size_t noticeRows;
    };
    const Case cases[] = {
        { kKindWifi, 1, true, true, true, 5 },
        { kKindQx, 1, false, false, false, 5 },
        { kKindWifi, 2, true, true, true, 5 },
        { kKindQx, 2, false, false, false, 5 },
        { kKindQx, 6, true, true, true, 5 },
        { kKindWifi, 22, true, true, true, 5 },
        { kKindQx, 9, false, true, true, 5 },
        { kKindQx, 32, false, true, true, 14 },
        { kKindWifi, 8, false, true, false, 14 },
        { kKindWifi, 12, false, true, false, 14 },
        { kKindWifi, 3, false, false, false, 5 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " model " << c.model);
        TcpExtensionForm form(c.kind, c.model, opened(), 0);
        EXPECT_EQ(form.field("discon") != nullptr, c.discon);
        EXPECT_EQ(form.field("notice") != nullptr, c.notice);
        EXPECT_EQ(form.field("e-rst") != nullptr, c.notice && c.kind == kKindWifi);
        EXPECT_EQ(form.field("detect") != nullptr, c.detect);
        EXPECT_EQ(form.noticeList().size(), c.noticeRows);
    }
}

template <typename Step> const Step& stepAt(const WritePlan& plan, size_t i)
{
    return std::get<Step>(plan.at(i));
}

std::string request(const char* letters, int index, const std::string& hex = "")
{
    return framed(letters + std::string(1, char(0x20 + index)) + hex);
}

TEST(FunctionsTcpExtensionPath, WritesTheTimingFirstThenTheMaskThenTheConnection)
{
    struct Case {
        const char* name;
        int kind;
        int model;
        int sketch;
        bool wifiMask;
        Fields fields;
        std::vector<std::string> timing;
        bool maskWritten;
        const char* message;
    };
    const char* const withERst
        = "PORT\r\n10011\r\nHIP\r\n203.0.113.62\r\nHPORT\r\n10001\r\nE_RST\r\n0\r\nEND\r\n";
    const char* const withoutERst = "PORT\r\n10011\r\nHIP\r\n203.0.113.62\r\nHPORT\r\n10001\r\nEND\r\n";
    const Fields connection
        = { { "port1", "10011" }, { "host1", "203.0.113.62" }, { "host-port1", "10001" } };
    auto with = [&connection](Fields more) {
        more.insert(more.begin(), connection.begin(), connection.end());
        return more;
    };
    const Case cases[] = {
        { "kind 3 above 126, a disconnect time", kKindWifi, 1, 127, false,
            with({ { "discon", "1sec" }, { "detect", "20ms" } }),
            { request("NS", 0, "03"), request("NS", 2, "14") }, false, withERst },
        { "disconnect None writes the notification", kKindWifi, 1, 126, false,
            with({ { "discon", "None" }, { "notice", "180sec" } }),
            { request("NS", 0, "0F"), request("NS", 1, "04"), request("NS", 2, "04") }, false, withoutERst },
        { "kind 6, no disconnect shown", kKindQx, 32, 0, false, with({ { "notice", "10min" } }),
            { request("NS", 1, "0D"), request("NS", 2, "04") }, false, withoutERst },
        { "no timing", kKindWifi, 3, 127, false, connection, {}, false, withERst },
        { "-WIFIMASK on model 5 from 119", kKindWifi, kMaskModel, 119, true, with({ { "individual", "on" } }),
            { request("NS", 0, "00"), request("NS", 2, "04") }, true, withoutERst },
        { "-WIFIMASK at 99", kKindWifi, 2, 99, true, connection,
            { request("NS", 0, "00"), request("NS", 2, "04") }, true, withoutERst },
        { "-WIFIMASK below 119", kKindWifi, 2, 118, true, connection,
            { request("NS", 0, "00"), request("NS", 2, "04") }, false, withoutERst },
        { "without -WIFIMASK", kKindWifi, kMaskModel, 119, false, connection,
            { request("NS", 0, "00"), request("NS", 2, "04") }, false, withoutERst },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UnitSlot unit;
        unit.record.kind = c.kind;
        unit.record.modelIndex = c.model;
        unit.settings = opened(c.sketch);
        const auto path = makeTcpExtensionPath(unit, c.wifiMask);
        EXPECT_EQ(path->form().field("individual") != nullptr, c.maskWritten);
        setAll(path->form(), c.fields);
        ScriptedUserInterface ui;
        ASSERT_TRUE(acceptDialog(path->form(), ui));
        const WritePlan plan = path->plan();
        size_t at = 0;
        if (!c.timing.empty()) {
            std::vector<std::string> sent;
            for (const DirectRequest& r : stepAt<DirectStep>(plan, at++).requests) {
                sent.push_back(r.bytes);
                EXPECT_EQ(r.answerLength, 6u);
                EXPECT_EQ(r.pauseAfterMs, 50);
            }
            EXPECT_EQ(sent, c.timing);
        }
        if (c.maskWritten) {
            EXPECT_EQ(stepAt<AccessorStep>(plan, at).accessor, Accessor::B);
            EXPECT_EQ(stepAt<AccessorStep>(plan, at++).value, 0u); // no DI checked: turned off
        }
        EXPECT_EQ(stepAt<MessageStep>(plan, at++).text, c.message);
        EXPECT_EQ(plan.size(), at);
    }
}

class TcpExtensionPathTest : public testing::Test {
protected:
    LoopbackBinding m_binding;
};

// "nj" answers for index 0..2 from `values`.
FakeCommandUnit::Session timingUnit(std::array<const char*, 3> values, char answeredIndex = 0)
{
    return answeringText([values, answeredIndex](const std::string& request) {
        const int index = uint8_t(request.at(2)) - 0x20;
        if (request.compare(0, 2, "NJ") != 0 || index < 0 || index > 2)
            return std::string();
        const char indexByte = answeredIndex ? answeredIndex : request[2];
        return framed("nj" + std::string(1, indexByte) + values[size_t(index)]);
    });
}

TEST_F(TcpExtensionPathTest, LoadsTheTimingAndStoresTheMovedPort)
{
    FakeCommandUnit unit(nextLoopbackAddress(), timingUnit({ "0F", "03", "09" }));
    UnitSlot slot = slotOf(6, unit);
    slot.record.kind = kKindQx;
    slot.settings = opened(0);
    const auto path = makeTcpExtensionPath(slot, false);
    ASSERT_EQ(path->load(), 0);
    const auto& form = dynamic_cast<TcpExtensionForm&>(path->form());
    EXPECT_EQ(form.disconRow(), TcpExtensionForm::kDisconNoneRow);
    EXPECT_EQ(form.noticeRow(), 3);
    EXPECT_EQ(form.detectMs(), 9);
    const std::string reads = request("NJ", 0) + request("NJ", 1) + request("NJ", 2);
    EXPECT_EQ(unit.received(1), (std::vector<Bytes> { Bytes(reads.begin(), reads.end()) }));

    setAll(path->form(), { { "port1", "10011" } });
    ScriptedUserInterface ui;
    ASSERT_TRUE(acceptDialog(path->form(), ui));
    path->store(slot);
    EXPECT_EQ(slot.settings.ports[0], 10011);
    EXPECT_EQ(slot.record.unitPort(), 10011);
}

TEST_F(TcpExtensionPathTest, AnAnswerTheDialogCannotTakeFailsOrOpensOnRowZero)
{
    struct Case {
        const char* name;
        FakeCommandUnit::Session session;
        int result;
    };
    const Case cases[] = {
        { "rows past the lists open on row 0", timingUnit({ "10", "05", "15" }), 0 },
        { "an answer about another index", timingUnit({ "00", "00", "04" }, '$'), kAnswerRefused },
        { "not hex", timingUnit({ "0G", "00", "04" }), kAnswerRefused },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeCommandUnit unit(nextLoopbackAddress(), c.session);
        UnitSlot slot = slotOf(kAllTimingModel, unit);
        slot.record.kind = kKindWifi;
        const auto path = makeTcpExtensionPath(slot, false);
        EXPECT_EQ(path->load(), c.result);
        if (c.result == 0) {
            const auto& form = dynamic_cast<TcpExtensionForm&>(path->form());
            EXPECT_EQ(form.disconRow(), 0);
            EXPECT_EQ(form.noticeRow(), 0);
            EXPECT_EQ(form.detectMs(), 4);
        }
    }
}

} // namespace

#include "core/app/scripted_user_interface.h"
#include "core/functions/other_settings_paths.h"
#include "core/functions/udp_keep_alive_form.h"
#include "support/free_port.h"
#include "support/simulated_fleet.h"
#include "unit/net_fake_units.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace kovra;

namespace {

const char* const kValueError = "設定値エラー";
const char* const kUdpQuestion
    = "?UDP通信モードに変更すると、弊社ツールが動作しない等、挙動が大きく変わります。\n切り替えますか？";

UnitSettings kind6Settings(int sockMode)
{
    UnitSettings settings;
    settings.sockMode = sockMode;
    settings.keepIdle = 60;
    settings.keepInterval = 10;
    settings.keepCount = 5;
    return settings;
}

TEST(FunctionsUdpKeepAliveForm, KeepAliveValuesMustBe1To65535)
{
    struct Case {
        const char* field;
        const char* text;
        bool passes;
    };
    const Case cases[] = {
        { kKeepIdleField, "", false }, { kKeepIdleField, "0", false }, { kKeepIdleField, "1", true },
        { kKeepIntervalField, "65535", true }, { kKeepIntervalField, "65536", false },
        { kKeepCountField, "-1", false }, { kKeepCountField, "abc", false }, // reads as 0
        { kKeepCountField, "12abc", true }, // the number at the start
    };
    for (const auto& c : cases) {
        UdpKeepAliveForm form(kind6Settings(0));
        ASSERT_EQ(form.setFieldText(c.field, c.text), DialogForm::SetResult::Set);
        EXPECT_EQ(form.check().value_or(""), c.passes ? "" : kValueError) << c.field << "=" << c.text;
    }
}

TEST(FunctionsUdpKeepAliveForm, OnlyTurningUdpModeOnAsksOncePerOk)
{
    struct Case {
        const char* name;
        int storedSockMode;
        bool checked;
        std::vector<bool> answers; // one per OK, until the dialog closes
        std::vector<std::string> transcript;
        bool closes;
        bool udpModeAfter;
    };
    const Case cases[] = {
        { "turned on, Yes", 0, true, { true }, { kUdpQuestion }, true, true },
        // No clears the check; the next OK finds it off and closes without asking.
        { "turned on, No", 0, true, { false, true }, { kUdpQuestion }, true, false },
        { "left off", 0, false, { true }, {}, true, false },
        { "already on", 1, true, { true }, {}, true, true },
        { "turned off", 1, false, { true }, {}, true, false },
    };
    for (const auto& c : cases) {
        UdpKeepAliveForm form(kind6Settings(c.storedSockMode));
        form.setUdpMode(c.checked);
        ScriptedUserInterface ui;
        bool closed = false;
        for (const bool answer : c.answers) {
            ui.queueAnswer(answer);
            if ((closed = acceptDialog(form, ui)))
                break;
        }
        EXPECT_EQ(closed, c.closes) << c.name;
        EXPECT_EQ(ui.transcript(), c.transcript) << c.name;
        EXPECT_EQ(form.udpMode(), c.udpModeAfter) << c.name;
    }
}

TEST(FunctionsUdpKeepAliveForm, AQuestionComesOnlyAfterTheChecksPass)
{
    UdpKeepAliveForm form(kind6Settings(0));
    form.setUdpMode(true);
    form.setFieldText(kKeepCountField, "0");
    ScriptedUserInterface ui(true);
    EXPECT_FALSE(acceptDialog(form, ui));
    EXPECT_EQ(ui.transcript(), std::vector<std::string> { kValueError });
    EXPECT_TRUE(form.udpMode());
}

TEST(FunctionsUdpKeepAliveForm, FieldsAreTheDialogsControls)
{
    UdpKeepAliveForm form(kind6Settings(1));
    form.setSpsIndex(4);
    std::vector<std::string> names;
    for (const auto& field : form.fields())
        names.push_back(field.name);
    EXPECT_EQ(
        names, (std::vector<std::string> { "keep-idle", "keep-interval", "keep-count", "udp-mode", "sps" }));
    EXPECT_EQ(form.field("keep-idle")->get(), "60");
    EXPECT_EQ(form.field("udp-mode")->get(), "on");
    EXPECT_EQ(form.field("sps")->get(), "400sps");

    struct Case {
        const char* field;
        const char* text;
        DialogForm::SetResult result;
    };
    const Case cases[] = {
        { "sps", "16.6sps", DialogForm::SetResult::Set },
        { "sps", "14400sps", DialogForm::SetResult::Set },
        { "sps", "20sps", DialogForm::SetResult::NotAllowed },
        { "sps", "5", DialogForm::SetResult::NotAllowed },
        { "udp-mode", "yes", DialogForm::SetResult::NotAllowed },
        { "udp-mode", "off", DialogForm::SetResult::Set },
        { "channel", "1", DialogForm::SetResult::UnknownField },
    };
    for (const auto& c : cases)
        EXPECT_EQ(form.setFieldText(c.field, c.text), c.result) << c.field << "=" << c.text;
    EXPECT_EQ(form.spsIndex(), 7);
    EXPECT_FALSE(form.udpMode());

    // A mode value the list does not have shows no row and stays as the unit had it.
    form.setSpsIndex(9);
    EXPECT_EQ(form.field("sps")->get(), "");
    EXPECT_EQ(form.spsIndex(), 9);
}

// A simulated kind-6 unit on a loopback address of this process's own.
class FunctionsUdpKeepAlivePath : public ::testing::Test {
protected:
    std::string start(const nlohmann::json& unit)
    {
        m_address = ipv4ToText(test::nextLoopbackAddress());
        nlohmann::json entry = unit;
        entry["address"] = m_address;
        entry["kind"] = kKindQx;
        const nlohmann::json fleet = { { "discoveryPort", test_support::freeTcpPort() },
            { "units", nlohmann::json::array({ entry }) } };
        return m_fleet.start(fleet.dump().c_str());
    }

    UnitSlot unit() const
    {
        UnitSlot slot;
        slot.record.kind = kKindQx;
        slot.record.ipText = m_address;
        slot.record.setUnitPort(10001);
        slot.settings = kind6Settings(0);
        return slot;
    }

    test_support::SimulatedFleet m_fleet;
    std::string m_address;
};

TEST_F(FunctionsUdpKeepAlivePath, LoadsTheSamplingRateFromTheUnitsModeValue)
{
    ASSERT_EQ(start({ { "registers", { { "49", 5 } } } }), "");
    auto path = makeUdpKeepAlivePath(unit());
    ASSERT_EQ(path->load(), 0);
    EXPECT_EQ(path->form().field("sps")->get(), "1200sps");
    ASSERT_EQ(m_fleet.requests().size(), 1u);
    EXPECT_EQ(m_fleet.requests()[0]["request"], "MR");
}

TEST_F(FunctionsUdpKeepAlivePath, AFailedReadOpensNothing)
{
    struct Case {
        const char* fault;
        int result;
    };
    const Case cases[] = {
        { "refuse", 10061 }, { "garbage", 1 }, // the echo of "mr" is missing
    };
    for (const auto& c : cases) {
        ASSERT_EQ(start({ { "fault", { { "mode", c.fault } } } }), "") << c.fault;
        auto path = makeUdpKeepAlivePath(unit());
        EXPECT_EQ(path->load(), c.result) << c.fault;
        m_fleet.stop();
    }
}

TEST_F(FunctionsUdpKeepAlivePath, WritesTheModeValueThenTheMessage)
{
    auto path = makeUdpKeepAlivePath(unit());
    auto& form = dynamic_cast<UdpKeepAliveForm&>(path->form());
    form.setSpsIndex(2);
    ASSERT_EQ(form.setFieldText("keep-idle", "120"), DialogForm::SetResult::Set);
    ASSERT_EQ(form.setFieldText("udp-mode", "on"), DialogForm::SetResult::Set);
    ScriptedUserInterface ui(true);
    ASSERT_TRUE(acceptDialog(form, ui));

    const WritePlan plan = path->plan();
    ASSERT_EQ(plan.size(), 2u);
    ASSERT_TRUE(std::holds_alternative<DirectStep>(plan[0]));
    const auto& requests = std::get<DirectStep>(plan[0]).requests;
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].bytes, "AP\x22\xC8");
    EXPECT_EQ(requests[0].answerLength, 4u);
    EXPECT_FALSE(requests[0].skipCheck);
    ASSERT_TRUE(std::holds_alternative<MessageStep>(plan[1]));
    EXPECT_EQ(std::get<MessageStep>(plan[1]).text,
        "SOCK\r\n1\r\nK_IDL\r\n120\r\nK_INT\r\n10\r\nK_CNT\r\n5\r\nEND\r\n");

    UnitSlot after = unit();
    path->store(after);
    EXPECT_EQ(after.settings.sockMode, 1);
    EXPECT_EQ(after.settings.keepIdle, 120);
}

} // namespace

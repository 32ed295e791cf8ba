#include "core/app/scripted_user_interface.h"
#include "core/functions/keep_alive_time_form.h"
#include "core/functions/other_settings_paths.h"
#include "support/free_port.h"
#include "support/simulated_fleet.h"
#include "unit/net_fake_units.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace kovra;

namespace {

TEST(FunctionsKeepAliveTimeForm, SecondsMustFitTheUnitsByte)
{
    const char* const range = "Keepaliveは0-65の範囲で設定してください。";
    struct Case {
        const char* text;
        const char* failure; // nullptr: passes
    };
    const Case cases[] = {
        { "0", nullptr },
        { "", nullptr }, // an empty edit reads as 0
        { "65", nullptr },
        { "66", range },
        { "-1", range },
        { "255", range },
    };
    for (const auto& c : cases) {
        KeepAliveTimeForm form;
        ASSERT_EQ(form.setFieldText("keepalive", c.text), DialogForm::SetResult::Set);
        const auto failure = form.check();
        if (c.failure)
            EXPECT_EQ(failure, std::optional<std::string>(c.failure)) << c.text;
        else
            EXPECT_FALSE(failure) << c.text;
    }
}

// An older unit simulated on a loopback address of this process's own: its keep-alive
// byte is the short command pair 91h / 90h subcode 0.
TEST(FunctionsKeepAliveTimePath, WrittenSecondsReadBackOnTheNextOpening)
{
    const std::string address = ipv4ToText(test::nextLoopbackAddress());
    const nlohmann::json fleet = { { "discoveryPort", test_support::freeTcpPort() },
        { "units",
            nlohmann::json::array({ { { "address", address }, { "kind", kKindWired }, { "model", 3 } } }) } };
    test_support::SimulatedFleet simulated;
    ASSERT_EQ(simulated.start(fleet.dump().c_str()), "");
    UnitSlot unit;
    unit.record.ipText = address;
    unit.record.modelIndex = 3;
    unit.record.setUnitPort(10001);

    auto path = makeKeepAliveTimePath(unit);
    ASSERT_EQ(path->load(), 0);
    EXPECT_EQ(path->form().field("keepalive")->get(), "0");
    ASSERT_EQ(path->form().setFieldText("keepalive", "42"), DialogForm::SetResult::Set);
    ScriptedUserInterface ui;
    ASSERT_TRUE(acceptDialog(path->form(), ui));
    const WritePlan plan = path->plan();
    ASSERT_EQ(plan.size(), 1u);
    ASSERT_TRUE(std::holds_alternative<AccessorStep>(plan[0]));
    EXPECT_EQ(std::get<AccessorStep>(plan[0]).accessor, Accessor::C);
    EXPECT_EQ(std::get<AccessorStep>(plan[0]).value, 42u);
    ASSERT_EQ(runWritePlan(plan, unit.record), 0);

    auto again = makeKeepAliveTimePath(unit);
    ASSERT_EQ(again->load(), 0);
    EXPECT_EQ(again->form().field("keepalive")->get(), "42");

    simulated.stop();
    EXPECT_NE(makeKeepAliveTimePath(unit)->load(), 0) << "nobody answers: the dialog does not open";
}

} // namespace

// The function buttons' flow against simulated units on loopback: the unit refresh and its
// stops before any traffic, the refusals, the dialog's checks while it stays open, the
// write in the unit's own way, the outcome message, the refreshed row, and the dry run.
#include "core/app/setting_command_texts.h"
#include "core/app/system_texts.h"
#include "support/flow_harness.h"

#include <gtest/gtest.h>

using namespace kovra;
using test_support::FlowHarness;

namespace {

const char* const kFleet = R"({
  "restartMs": 100,
  "units": [
    { "address": "127.0.0.60", "kind": 5, "model": 25, "text": { "sketchVersion": 104 } },
    { "address": "127.0.1.61", "kind": 0, "model": 1 },
    { "address": "127.0.0.62", "kind": 3, "model": 4, "text": { "sketchVersion": 105 } },
    { "address": "127.0.0.63", "kind": 0, "model": 3, "port": 10002 },
    { "address": "127.0.0.64", "kind": 0, "model": 3, "port": 10002, "modelAnswer": "none" },
    { "address": "127.0.0.65", "kind": 0, "model": 4, "port": 10002, "switch": 15 },
    { "address": "127.0.0.66", "kind": 6, "model": 6 },
    { "address": "127.0.0.67", "kind": 5, "model": 25, "text": { "sketchVersion": 104, "parameters": { "SOCK": "3" } } },
    { "address": "127.0.0.68", "kind": 4, "model": 18 }
  ]
})";

class SettingCommandFlowTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(m_bench.start(kFleet), ""); }

    // Lists and selects the unit, then presses the button.
    SettingOutcome press(const std::string& address, SettingCommand command)
    {
        EXPECT_TRUE(m_bench.add(address)) << address;
        m_bench.select(address);
        m_before = m_bench.requestNames(address).size();
        return m_bench.settingCommand(command);
    }

    // What the unit was asked since the button was pressed.
    std::vector<std::string> sincePress(const std::string& address)
    {
        const auto names = m_bench.requestNames(address);
        return { names.begin() + long(m_before), names.end() };
    }

    // Fills the dialog: each assignment in order, then OK; false when a field is refused.
    void fillWith(std::vector<std::pair<std::string, std::string>> assignments)
    {
        m_bench.ui.setDialogFiller([this, assignments](DialogForm& form) {
            for (const auto& [name, value] : assignments)
                if (form.setFieldText(name, value) != DialogForm::SetResult::Set)
                    return false;
            return acceptDialog(form, m_bench.ui);
        });
    }

    FlowHarness m_bench;
    size_t m_before = 0;
};

TEST_F(SettingCommandFlowTest, UnitOutsideTheNetworkGroupIsRefusedBeforeAnyTraffic)
{
    EXPECT_EQ(press("127.0.1.61", SettingCommand::OtherSettings), SettingOutcome::Refused);
    EXPECT_EQ(m_bench.ui.messages(), std::vector<std::string> { texts::kCannotCommunicate });
    EXPECT_TRUE(sincePress("127.0.1.61").empty());
}

TEST_F(SettingCommandFlowTest, RefreshAsksAnUnknownModelAndRewritesTheRow)
{
    // The add does not ask a unit whose port differs from the search port for its model.
    ASSERT_TRUE(m_bench.add("127.0.0.63"));
    const int slot = m_bench.model().table().findByIpText("127.0.0.63");
    ASSERT_EQ(m_bench.model().table().record(slot).modelIndex, -1);
    m_bench.ui.setDialogFiller([](DialogForm&) { return false; });

    EXPECT_EQ(press("127.0.0.63", SettingCommand::OtherSettings), SettingOutcome::Cancelled);
    const auto asked = sincePress("127.0.0.63");
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.front(), "model");
    EXPECT_EQ(m_bench.model().table().record(slot).modelIndex, 3);
    EXPECT_EQ(m_bench.view.rows.at(size_t(m_bench.view.selectedRow)).model, "QM-140");
    EXPECT_TRUE(m_bench.ui.messages().empty());
}

TEST_F(SettingCommandFlowTest, SilentModelQueryGivesUpAfterFiveTries)
{
    EXPECT_EQ(press("127.0.0.64", SettingCommand::OtherSettings), SettingOutcome::Refused);
    EXPECT_EQ(m_bench.ui.messages(), std::vector<std::string> { texts::kCommunicationError });
    for (const auto& name : sincePress("127.0.0.64"))
        EXPECT_EQ(name, "model");
}

TEST_F(SettingCommandFlowTest, RotarySwitchAtFStops)
{
    EXPECT_EQ(press("127.0.0.65", SettingCommand::InputExtension), SettingOutcome::Refused);
    EXPECT_EQ(m_bench.ui.messages(), std::vector<std::string> { texts::kTurnRotarySwitch });
}

TEST_F(SettingCommandFlowTest, Kind3Version105HasNoOtherFunctionsAndSendsNothing)
{
    EXPECT_EQ(press("127.0.0.62", SettingCommand::OtherSettings), SettingOutcome::Refused);
    EXPECT_EQ(m_bench.ui.messages(), std::vector<std::string> { texts::kNoOtherFunctions });
    EXPECT_TRUE(sincePress("127.0.0.62").empty());
}

TEST_F(SettingCommandFlowTest, RefusalsOfTheOtherButtonsSendNothing)
{
    struct Case {
        const char* address;
        SettingCommand command;
        const char* message;
    };
    const Case cases[] = {
        { "127.0.0.67", SettingCommand::MailAlert, texts::kNoMailAlertModbus },
        { "127.0.0.68", SettingCommand::InputExtension, texts::kNoInputExtension },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(press(c.address, c.command), SettingOutcome::Refused) << c.address;
        ASSERT_FALSE(m_bench.ui.messages().empty());
        EXPECT_EQ(m_bench.ui.messages().back(), c.message) << c.address;
        EXPECT_TRUE(sincePress(c.address).empty()) << c.address;
    }
}

TEST_F(SettingCommandFlowTest, FailingCheckKeepsTheDialogOpenThenTheCorrectedValuesAreWritten)
{
    m_bench.ui.setDialogFiller([this](DialogForm& form) {
        form.setFieldText("keepalive", "7");
        if (acceptDialog(form, m_bench.ui))
            return true; // not expected: 7 s is not a multiple of 5
        form.setFieldText("keepalive", "1275");
        form.setFieldText("do1.mode", "one-shot");
        form.setFieldText("do1.time", "12");
        return acceptDialog(form, m_bench.ui);
    });
    EXPECT_EQ(press("127.0.0.60", SettingCommand::OtherSettings), SettingOutcome::Written);
    EXPECT_EQ(m_bench.ui.messages(),
        (std::vector<std::string> { "Keepaliveは5の倍数で設定してください。", texts::kSettingDoneRestart }));

    const auto messages = m_bench.logged("settings", "127.0.0.60");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(
        messages[0], "DO1_MD\r\n2\r\nDO1_OT\r\n12\r\nDO2_MD\r\n0\r\nDO2_OT\r\n0\r\nKEEP_A\r\n255\r\nEND\r\n");
    // The window's copy holds what was written.
    const UnitSettings& settings
        = m_bench.model().table().slot(m_bench.model().table().findByIpText("127.0.0.60")).settings;
    EXPECT_EQ(settings.doMode[0], 2);
    EXPECT_EQ(settings.doOneShot[0], 12);
}

TEST_F(SettingCommandFlowTest, CancelWritesNothing)
{
    m_bench.ui.setDialogFiller([](DialogForm&) { return false; });
    EXPECT_EQ(press("127.0.0.60", SettingCommand::OtherSettings), SettingOutcome::Cancelled);
    EXPECT_TRUE(m_bench.logged("settings", "127.0.0.60").empty());
    EXPECT_TRUE(m_bench.ui.messages().empty());
}

TEST_F(SettingCommandFlowTest, DryRunDescribesTheWriteAndSendsNothing)
{
    std::string described;
    m_bench.model().setDryRun([&](const WritePlan& plan) { described = describeWritePlan(plan); });
    fillWith({ { "keepalive", "60" } });
    EXPECT_EQ(press("127.0.0.60", SettingCommand::OtherSettings), SettingOutcome::DryRun);
    EXPECT_NE(described.find("KEEP_A"), std::string::npos) << described;
    EXPECT_TRUE(m_bench.logged("settings", "127.0.0.60").empty());
    EXPECT_TRUE(m_bench.ui.messages().empty());
}

TEST_F(SettingCommandFlowTest, Kind6ReadsTheModeValueThenWritesItBeforeItsMessage)
{
    fillWith(
        { { "sps", "400sps" }, { "keep-idle", "30" }, { "keep-interval", "10" }, { "keep-count", "4" } });
    EXPECT_EQ(press("127.0.0.66", SettingCommand::OtherSettings), SettingOutcome::Written);
    const auto asked = sincePress("127.0.0.66");
    const auto at = [&](const std::string& name) {
        return std::find(asked.begin(), asked.end(), name) - asked.begin();
    };
    ASSERT_LT(at("MR"), long(asked.size()));
    ASSERT_LT(at("AP"), long(asked.size()));
    ASSERT_LT(at("settings"), long(asked.size()));
    EXPECT_LT(at("MR"), at("AP"));
    EXPECT_LT(at("AP"), at("settings"));
    const auto messages = m_bench.logged("settings", "127.0.0.66");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "SOCK\r\n0\r\nK_IDL\r\n30\r\nK_INT\r\n10\r\nK_CNT\r\n4\r\nEND\r\n");
    EXPECT_EQ(m_bench.logged("AP", "127.0.0.66").at(0), std::string("AP") + char(4 + 0x20) + char(0xC8));
}

} // namespace

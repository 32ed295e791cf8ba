// The input-extension button on binary units: the records read afresh before the dialog, the
// timing then records 0, 3 and 7 written in that order, the window's copy taking the new
// command port, and a record write without answer ending the flow before the restart.
#include "core/app/system_texts.h"
#include "support/flow_harness.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace kovra;
using test_support::FlowHarness;

namespace {

const char* const kFleet = R"({
  "restartMs": 100,
  "units": [
    { "address": "127.0.0.70", "kind": 4, "model": 17 },
    { "address": "127.0.0.71", "kind": 4, "model": 17, "fault": { "mode": "silent", "requests": ["write3"] } }
  ]
})";

class InputExtensionFlowTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(m_bench.start(kFleet), ""); }

    SettingOutcome press(const std::string& address, std::vector<std::pair<std::string, std::string>> fields)
    {
        EXPECT_TRUE(m_bench.add(address)) << address;
        m_bench.select(address);
        m_before = m_bench.requestNames(address).size();
        m_bench.ui.setDialogFiller([this, fields](DialogForm& form) {
            for (const auto& [name, value] : fields)
                if (form.setFieldText(name, value) != DialogForm::SetResult::Set)
                    return false;
            return acceptDialog(form, m_bench.ui);
        });
        return m_bench.settingCommand(SettingCommand::InputExtension);
    }

    // The unit's record and timing traffic since the button was pressed.
    std::vector<std::string> sincePress(const std::string& address)
    {
        std::vector<std::string> names;
        const auto all = m_bench.requestNames(address);
        for (auto name = all.begin() + long(m_before); name != all.end(); ++name)
            if (name->rfind("record", 0) == 0 || name->rfind("write", 0) == 0 || *name == "NJ"
                || *name == "NS")
                names.push_back(*name);
        return names;
    }

    FlowHarness m_bench;
    size_t m_before = 0;
};

TEST_F(InputExtensionFlowTest, ReadsTheRecordsThenWritesTimingAndRecordsInOrder)
{
    EXPECT_EQ(press("127.0.0.70", { { "port1", "12001" }, { "discon", "None" }, { "notice", "30sec" } }),
        SettingOutcome::Written);
    EXPECT_EQ(m_bench.ui.messages(), std::vector<std::string> { texts::kSettingDoneRestart });
    EXPECT_EQ(sincePress("127.0.0.70"),
        (std::vector<std::string> { "record0", "record3", "record7", "NJ", "NJ", "NJ", "NS", "NS", "NS",
            "write0", "write3", "write7" }));
    // Record 0 carries the new command port; the window's copy takes it.
    const std::string record0 = m_bench.logged("write0", "127.0.0.70").at(0);
    EXPECT_EQ(uint8_t(record0.at(24)) | uint8_t(record0.at(25)) << 8, 12001);
    const UnitRecord& unit
        = m_bench.model().table().record(m_bench.model().table().findByIpText("127.0.0.70"));
    EXPECT_EQ(unit.unitPort(), 12001);
}

TEST_F(InputExtensionFlowTest, AnUnansweredRecordEndsTheWriteBeforeTheRestart)
{
    EXPECT_EQ(press("127.0.0.71", { { "host1", "127.0.0.70" } }), SettingOutcome::CommunicationError);
    EXPECT_EQ(m_bench.ui.messages(), std::vector<std::string> { texts::kCommunicationError });
    const auto asked = sincePress("127.0.0.71");
    EXPECT_EQ(std::count(asked.begin(), asked.end(), "write3"), 1);
    EXPECT_EQ(std::count(asked.begin(), asked.end(), "write7"), 0);
}

} // namespace

// The import's progress display ends on every way an import can fail to start, so that the
// main controls come back.
#include "core/app/event_queue.h"
#include "core/app/headless_view.h"
#include "core/app/main_window_model.h"
#include "core/app/scripted_user_interface.h"
#include "core/app/system_texts.h"
#include "core/wifi/module_import.h"
#include "core/wifi/stored_record.h"
#include "core/wifi/wifi_results.h"
#include "support/flow_harness.h"

#include <gtest/gtest.h>

using namespace kovra;

namespace {

struct StartCase {
    const char* name;
    std::function<int()> start;
};

class ImportStart : public testing::TestWithParam<StartCase> { };

TEST_P(ImportStart, AFailedStartEndsTheDisplayAndGivesTheControlsBack)
{
    HeadlessView view;
    EventQueue events;
    ScriptedUserInterface ui;
    MainWindowModel model(view, events, ui, ProgramOptions {}, test_support::loopbackSubnetAdapter);
    ASSERT_EQ(model.onInitDialog(), MainWindowModel::StartResult::Ready);

    model.startImport(GetParam().start, 20);

    EXPECT_FALSE(view.progressVisible);
    EXPECT_FALSE(view.progressTimerRunning);
    EXPECT_TRUE(view.mainControlsEnabled);
    EXPECT_EQ(ui.messages(), std::vector<std::string> { texts::kSettingFailed });
    EXPECT_FALSE(importRunning());
}

INSTANTIATE_TEST_SUITE_P(Failures, ImportStart,
    testing::Values(
        StartCase { "UnreadableFile", [] { return importSetupFile("/nonexistent/unit.xml", "127.0.0.9"); } },
        StartCase { "MaskWithoutPrefixLength",
            [] {
                return importInterfaceSettings(
                    "127.0.0.9", false, makeIpv4(127, 0, 0, 9), makeIpv4(255, 0, 255, 0), 0);
            } },
        // Another import still running.
        StartCase { "Busy", [] { return kWifiImportBusy; } }),
    [](const testing::TestParamInfo<StartCase>& info) { return std::string(info.param.name); });

} // namespace

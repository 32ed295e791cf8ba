// The fault matrix of the setting commands (kovractl other, the function buttons' flow):
// the unit spoils its answers to the reads the dialog needs, or to a direct command written
// before the settings message. Whatever it does, the command ends within its time-outs and
// reports the write done only when the unit received the settings message.
#include "cli/kovractl.h"
#include "core/app/system_texts.h"
#include "support/fault_kinds.h"
#include "support/flow_harness.h"

#include <chrono>
#include <gtest/gtest.h>
#include <sstream>

using namespace kovra;
using test_support::FaultKind;

namespace {

constexpr auto kCommandBudget = std::chrono::seconds(30); // add, reads and write, with room
const std::string kAddress = "127.0.0.120";

struct ExchangeCase {
    const char* name;
    const char* unit; // fleet entry without address and fault
    const char* spoiled; // the requests the fault switch spoils
    std::vector<std::string> assignments;
};

const ExchangeCase kExchanges[] = {
    { "Kind5SettingsReads", R"("kind": 5, "model": 25, "text": { "sketchVersion": 104 })",
        R"(["VER", "DUMP"])", { "keepalive=1275" } },
    { "Kind6ModeRead", R"("kind": 6, "model": 6)", R"(["MR"])", { "keep-count=4" } },
    { "Kind6DirectCommandWrite", R"("kind": 6, "model": 6)", R"(["AP"])", { "keep-count=4" } },
};

using MatrixCase = std::tuple<ExchangeCase, FaultKind>;

class SettingsFaultMatrix : public ::testing::TestWithParam<MatrixCase> {
protected:
    // The settings messages the unit received.
    size_t settingsMessages()
    {
        size_t found = 0;
        for (const auto& entry : m_fleet.requests())
            found += entry.value("request", "") == "settings" ? 1 : 0;
        return found;
    }

    test_support::SimulatedFleet m_fleet;
};

TEST_P(SettingsFaultMatrix, EndsInTimeAndReportsWrittenOnlyWhatTheUnitReceived)
{
    const auto& [exchange, fault] = GetParam();
    const std::string fleet = R"({ "restartMs": 300, "units": [ { "address": ")" + kAddress + R"(", )"
        + exchange.unit + R"(, "fault": )" + test_support::faultObject(fault.mode, exchange.spoiled)
        + " } ] }";
    ASSERT_EQ(m_fleet.start(fleet.c_str()), "");

    std::vector<std::string> words { "--yes", "other", kAddress };
    words.insert(words.end(), exchange.assignments.begin(), exchange.assignments.end());
    std::istringstream in;
    std::ostringstream out, err;
    const auto started = std::chrono::steady_clock::now();
    const int status = cli::runKovractl(words, in, out, err, test_support::loopbackSubnetAdapter);
    EXPECT_LT(std::chrono::steady_clock::now() - started, kCommandBudget) << "the command hangs";

    const bool reportedWritten = out.str().find(texts::kSettingDoneRestart) != std::string::npos;
    EXPECT_EQ(reportedWritten, status == 0) << out.str() << err.str();
    if (!fault.answerSurvives) {
        EXPECT_EQ(status, 1) << out.str() << err.str();
    }
    if (status == 0) {
        EXPECT_EQ(settingsMessages(), 1u) << "reported written, but the unit got no settings message";
    } else {
        EXPECT_FALSE(err.str().empty()) << "a failed command says why";
    }
    if (std::string(exchange.name) != "Kind6DirectCommandWrite" && status != 0) {
        EXPECT_EQ(settingsMessages(), 0u) << "a failed read must stop the write";
    }
}

INSTANTIATE_TEST_SUITE_P(Matrix, SettingsFaultMatrix,
    ::testing::Combine(::testing::ValuesIn(kExchanges), ::testing::ValuesIn(test_support::kFaultKinds)),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name;
    });

} // namespace

// The fault matrix of the flows that list a unit (the add button, kovractl show): each kind
// of unit with each fault switch on every answer. Whatever the unit does, the flow ends
// within its time-outs, lists the unit with its true model or says it cannot, and leaves
// the table and the rows agreeing.
#include "cli/kovractl.h"
#include "core/app/system_texts.h"
#include "support/fault_kinds.h"
#include "support/flow_harness.h"

#include <chrono>
#include <gtest/gtest.h>
#include <sstream>

using namespace kovra;
using test_support::FaultKind;
using test_support::FlowHarness;

namespace {

constexpr auto kAddBudget = std::chrono::seconds(12); // the sum of the add's time-outs, with room
const std::string kAddress = "127.0.0.100";

struct UnitKindCase {
    const char* name;
    const char* unit; // fleet entry without address and fault
    const char* model; // the row's model column when listed
};

const UnitKindCase kUnitKinds[] = {
    { "Wired", R"("kind": 0, "model": 3)", "QM-140" },
    { "NewerWired", R"("kind": 4, "model": 21)", "QM-340" },
    { "TextKind5", R"("kind": 5, "model": 25, "text": { "sketchVersion": 104 })", "QM-N410" },
    { "WifiModule", R"("kind": 2, "typePair": "Y1", "model": 2)", "QM-130" },
};

std::string fleetWith(const UnitKindCase& kind, const std::string& mode)
{
    return R"({ "restartMs": 300, "units": [ { "address": ")" + kAddress + R"(", )" + kind.unit
        + R"(, "fault": )" + test_support::faultObject(mode) + " } ] }";
}

using MatrixCase = std::tuple<UnitKindCase, FaultKind>;

class ListingFaultMatrix : public ::testing::TestWithParam<MatrixCase> { };

TEST_P(ListingFaultMatrix, AddEndsInTimeWithTheTrueRowOrCannotAdd)
{
    const auto& [kind, fault] = GetParam();
    FlowHarness bench;
    const std::string fleet = fleetWith(kind, fault.mode);
    ASSERT_EQ(bench.start(fleet.c_str()), "");
    MainWindowModel& model = bench.model();

    const auto started = std::chrono::steady_clock::now();
    model.onAddByAddress(kAddress, "10001");
    ASSERT_TRUE(bench.events.runUntil([&] { return !model.adding(); }, kAddBudget)) << "the add hangs";
    model.waitForFlows();
    bench.events.runPending();
    EXPECT_LT(std::chrono::steady_clock::now() - started, kAddBudget);

    const bool listed = model.table().findByIpText(kAddress) >= 0;
    if (!fault.answerSurvives) {
        EXPECT_FALSE(listed);
    }
    if (listed) {
        ASSERT_EQ(bench.view.rows.size(), 1u);
        EXPECT_EQ(bench.view.rows[0].model, kind.model) << "a spoiled answer made a wrong row";
        EXPECT_TRUE(bench.ui.messages().empty());
    } else {
        EXPECT_TRUE(bench.view.rows.empty());
        EXPECT_EQ(bench.ui.messages(), std::vector<std::string> { texts::kCannotAdd });
    }
    EXPECT_EQ(model.table().unitCount(), int(bench.view.rows.size()));
    EXPECT_TRUE(bench.view.mainControlsEnabled);
}

TEST_P(ListingFaultMatrix, ShowFailsOrPrintsWhatItRead)
{
    const auto& [kind, fault] = GetParam();
    test_support::SimulatedFleet fleet;
    const std::string text = fleetWith(kind, fault.mode);
    ASSERT_EQ(fleet.start(text.c_str()), "");
    std::istringstream in;
    std::ostringstream out, err;
    const auto started = std::chrono::steady_clock::now();
    const int status
        = cli::runKovractl({ "--json", "show", kAddress }, in, out, err, test_support::loopbackSubnetAdapter);
    EXPECT_LT(std::chrono::steady_clock::now() - started, kAddBudget);

    if (!fault.answerSurvives) {
        EXPECT_EQ(status, 1) << err.str();
    }
    if (status == 0) {
        EXPECT_NE(out.str().find(kind.model), std::string::npos) << out.str();
    } else {
        EXPECT_EQ(status, 1);
        EXPECT_FALSE(err.str().empty()) << "a failed show says why";
        EXPECT_EQ(out.str().find(kind.model), std::string::npos) << "nothing printed as read";
    }
}

INSTANTIATE_TEST_SUITE_P(Matrix, ListingFaultMatrix,
    ::testing::Combine(::testing::ValuesIn(kUnitKinds), ::testing::ValuesIn(test_support::kFaultKinds)),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name;
    });

} // namespace

// The fault matrix of the search (the search button, kovractl search): units that spoil one
// of the answers their classification needs, beside a unit that answers well. Whatever they
// do, the search ends within the quiet time and its longest single wait, every unit that
// answered it is listed with its true model or named as not listed, and kovractl says so
// with exit status 3. A search broadcasts: these run inside scripts/netbench.
#include "cli/kovractl.h"
#include "core/app/unlisted_units_text.h"
#include "support/fault_kinds.h"
#include "support/flow_harness.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <set>
#include <sstream>

using namespace kovra;
using test_support::FaultKind;

namespace {

// The quiet time after the last answer, the module's export wait, and room.
constexpr auto kSearchBudget = std::chrono::seconds(14);

struct SpoiledUnit {
    const char* address;
    const char* unit; // fleet entry without address and fault
    const char* spoiled; // the classification answers the fault spoils
    const char* model; // the row's model column when listed
    // A binary unit whose model is not queried (its port unread or refusing) is listed by
    // its type pair instead, as always.
    const char* typePair;
};

const SpoiledUnit kUnits[] = {
    { "127.0.0.160", R"("kind": 0, "model": 3)", R"(["record0"])", "QM-140", "X1" },
    { "127.0.0.161", R"("kind": 0, "model": 3)", R"(["record5"])", "QM-140", "X1" },
    { "127.0.0.162", R"("kind": 0, "model": 3)", R"(["firmware"])", "QM-140", "X1" },
    { "127.0.0.163", R"("kind": 5, "model": 25, "text": { "sketchVersion": 104 })", R"(["VER"])", "QM-N410",
        "QM-N410" },
    { "127.0.0.164", R"("kind": 2, "typePair": "Y1", "model": 2)", R"(["export"])", "QM-130", "QM-130" },
};
const char* const kHealthy = "127.0.0.165";

std::string fleetWith(const FaultKind& fault)
{
    std::string units;
    for (const auto& unit : kUnits)
        units += R"({ "address": ")" + std::string(unit.address) + R"(", )" + unit.unit + R"(, "fault": )"
            + test_support::faultObject(fault.mode, unit.spoiled) + " },\n";
    return R"({ "restartMs": 100, "units": [ )" + units + R"({ "address": ")" + kHealthy
        + R"(", "kind": 0, "model": 3 } ] })";
}

class BenchSearchFaultMatrix : public ::testing::TestWithParam<FaultKind> {
protected:
    void SetUp() override
    {
        if (std::getenv("KOVRA_NETBENCH") == nullptr)
            GTEST_SKIP() << "a search broadcasts: runs inside scripts/netbench";
        ASSERT_EQ(m_bench.start(fleetWith(GetParam()).c_str()), "");
    }

    test_support::FlowHarness m_bench;
};

TEST_P(BenchSearchFaultMatrix, ListsOrNamesEveryUnitInTime)
{
    MainWindowModel& model = m_bench.model();
    const auto started = std::chrono::steady_clock::now();
    model.onSearch("10001");
    ASSERT_TRUE(m_bench.events.runUntil([&] { return !model.searching(); }, kSearchBudget))
        << "the search hangs";
    model.waitForFlows();
    m_bench.events.runPending();
    EXPECT_LT(std::chrono::steady_clock::now() - started, kSearchBudget);

    const HeadlessView& view = m_bench.view;
    const std::vector<std::string>& unlisted = model.unlistedUnits();
    auto rowOf = [&](const std::string& address) -> const DeviceRow* {
        for (const auto& row : view.rows)
            if (row.ip == address)
                return &row;
        return nullptr;
    };
    ASSERT_NE(rowOf(kHealthy), nullptr) << "a spoiled unit cost a good one its row";
    for (const auto& unit : kUnits) {
        SCOPED_TRACE(unit.address);
        const DeviceRow* row = rowOf(unit.address);
        const bool named = std::count(unlisted.begin(), unlisted.end(), unit.address) == 1;
        EXPECT_NE(row != nullptr, named) << "listed and named, or neither";
        if (row) {
            EXPECT_TRUE(row->model == unit.model || row->model == unit.typePair)
                << row->model << ": a spoiled answer made a wrong row";
        }
    }
    EXPECT_EQ(model.table().unitCount(), int(view.rows.size()));
    if (!unlisted.empty()) {
        EXPECT_EQ(view.statusText, unlistedUnitsText(unlisted));
    }
    EXPECT_TRUE(view.mainControlsEnabled);
}

TEST_P(BenchSearchFaultMatrix, KovractlNamesWhatItCouldNotList)
{
    std::istringstream in;
    std::ostringstream out, err;
    const auto started = std::chrono::steady_clock::now();
    const int status = cli::runKovractl({ "search" }, in, out, err, test_support::loopbackSubnetAdapter);
    EXPECT_LT(std::chrono::steady_clock::now() - started, kSearchBudget);

    EXPECT_NE(out.str().find(kHealthy), std::string::npos) << out.str();
    std::set<std::string> missing;
    for (const auto& unit : kUnits)
        if (out.str().find(unit.address) == std::string::npos)
            missing.insert(unit.address);
    EXPECT_EQ(status, missing.empty() ? 0 : 3) << err.str();
    for (const auto& address : missing)
        EXPECT_NE(err.str().find(address), std::string::npos) << "not listed and not named: " << address;
}

INSTANTIATE_TEST_SUITE_P(Matrix, BenchSearchFaultMatrix, ::testing::ValuesIn(test_support::kFaultKinds),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

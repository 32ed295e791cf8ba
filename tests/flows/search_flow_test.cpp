// The search button's flow on the bench (it broadcasts): units whose datagrams or answers get
// lost once are still listed, units that answer but cannot be read are named, and a search,
// an add and an address write running side by side leave the list and the table in step
// (the thread sanitizer build runs this file to prove the table has one owner).
#include "core/app/address_texts.h"
#include "core/app/system_texts.h"
#include "core/app/unlisted_units_text.h"
#include "support/flow_harness.h"
#include "support/free_address_writers.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <set>

using namespace kovra;

namespace {

// Every fault spoils only the first matching answer: a second ask gets through.
const char* const kLossyFleet = R"({
  "restartMs": 100,
  "units": [
    { "address": "127.0.0.21", "kind": 0, "model": 3, "fault": { "mode": "silent", "times": 1, "requests": ["record0"] } },
    { "address": "127.0.0.22", "kind": 0, "model": 3, "fault": { "mode": "silent", "times": 1, "requests": ["record5"] } },
    { "address": "127.0.0.23", "kind": 0, "model": 3, "fault": { "mode": "silent", "times": 1, "requests": ["search"] } },
    { "address": "127.0.0.24", "kind": 0, "model": 3, "fault": { "mode": "silent", "times": 1, "requests": ["record3"] } },
    { "address": "127.0.0.25", "kind": 3, "model": 1, "fault": { "mode": "silent", "times": 1, "requests": ["VER"] } },
    { "address": "127.0.0.26", "kind": 0, "model": 3, "fault": { "mode": "silent", "times": 1, "requests": ["firmware"] } },
    { "address": "127.0.0.31", "kind": 0, "model": 3, "fault": { "mode": "silent", "requests": ["record0"] } },
    { "address": "127.0.0.32", "kind": 3, "model": 1, "fault": { "mode": "refuse" } },
    { "address": "127.0.0.33", "kind": 5, "model": 25, "fault": { "mode": "close", "requests": ["VER"] } },
    { "address": "127.0.0.34", "kind": 0, "model": 3, "fault": { "mode": "refuse" } }
  ]
})";

bool onBench()
{
    return std::getenv("KOVRA_NETBENCH") != nullptr;
}

std::set<std::string> listedAddresses(const HeadlessView& view)
{
    std::set<std::string> listed;
    for (const auto& row : view.rows)
        listed.insert(row.ip);
    return listed;
}

// The list shows exactly the table's units, in the table's order, each once.
void expectListAndTableInStep(MainWindowModel& model, const HeadlessView& view)
{
    const UnitTable& table = model.table();
    ASSERT_EQ(int(view.rows.size()), table.unitCount());
    ASSERT_EQ(model.rows().size(), view.rows.size());
    for (int i = 0; i < table.unitCount(); ++i) {
        EXPECT_EQ(view.rows[size_t(i)].ip, table.record(i).ipText) << "row " << i;
        EXPECT_EQ(model.rows()[size_t(i)].ip, table.record(i).ipText) << "row " << i;
    }
    EXPECT_EQ(listedAddresses(view).size(), view.rows.size()) << "a unit listed twice";
}

class BenchSearchFlow : public testing::Test {
protected:
    void SetUp() override
    {
        if (!onBench())
            GTEST_SKIP() << "a search broadcasts: runs inside scripts/netbench";
        ASSERT_EQ(m_bench.start(kLossyFleet), "");
    }

    void search()
    {
        m_bench.model().onSearch("10001");
        m_bench.events.runUntil([&] { return !m_bench.model().searching(); }, std::chrono::seconds(30));
        m_bench.model().waitForFlows();
        m_bench.events.runPending();
    }

    test_support::FlowHarness m_bench;
};

TEST_F(BenchSearchFlow, LostAnswersLoseNoUnitAndUnreadableUnitsAreNamed)
{
    search();
    const HeadlessView& view = m_bench.view;
    EXPECT_TRUE(view.mainControlsEnabled);
    EXPECT_FALSE(m_bench.model().searching());
    // Asked again within the same waits: a lost search, record, firmware or "VER" answer.
    // A binary unit whose model port refuses is listed by its type pair, as always.
    EXPECT_EQ(listedAddresses(view),
        (std::set<std::string> { "127.0.0.21", "127.0.0.22", "127.0.0.23", "127.0.0.24", "127.0.0.25",
            "127.0.0.26", "127.0.0.34" }));
    // Records that never come, a settings port that refuses, a version answer cut short:
    // binary and text units alike are named, not dropped in silence.
    std::vector<std::string> unlisted = m_bench.model().unlistedUnits();
    std::sort(unlisted.begin(), unlisted.end());
    EXPECT_EQ(unlisted, (std::vector<std::string> { "127.0.0.31", "127.0.0.32", "127.0.0.33" }));
    EXPECT_EQ(view.statusText, unlistedUnitsText(m_bench.model().unlistedUnits()));
    expectListAndTableInStep(m_bench.model(), view);
}

const char* const kInterleavedFleet = R"({
  "restartMs": 300,
  "units": [
    { "address": "127.0.0.41", "kind": 0, "model": 3, "latencyMs": 200 },
    { "address": "127.0.0.42", "kind": 5, "model": 25 },
    { "address": "127.0.0.43", "kind": 0, "model": 4 },
    { "address": "127.0.1.44", "kind": 0, "model": 2 }
  ]
})";

// The write's removal of its row, the search's fill and the add's row reach the one table
// of the window's thread in whatever order they come.
TEST(BenchFlowInterleave, WriteSearchAndAddKeepTheListAndTableInStep)
{
    if (!onBench())
        GTEST_SKIP() << "a search broadcasts: runs inside scripts/netbench";
    test_support::FlowHarness bench;
    ASSERT_EQ(bench.start(kInterleavedFleet), "");
    test_support::FreeAddressWriters writers;
    MainWindowModel& model = bench.model();
    model.setAddressWriters(&writers);
    ASSERT_TRUE(bench.add("127.0.0.41"));
    bench.select("127.0.0.41");

    bench.ui.queueAnswer(true);
    model.onSetAddress(AddressEntry { false, "127.0.0.51", "255.255.255.0", "0.0.0.0" });
    model.onAddByAddress("127.0.1.44", "10001");
    bench.events.runUntil([&] { return !model.adding(); }, std::chrono::seconds(30));
    expectListAndTableInStep(model, bench.view);
    model.onSearch("10001");
    bench.events.runUntil([&] { return !model.searching(); }, std::chrono::seconds(30));
    model.waitForFlows();
    bench.events.runPending();

    expectListAndTableInStep(model, bench.view);
    const auto listed = listedAddresses(bench.view);
    EXPECT_EQ(listed.count("127.0.0.42"), 1u);
    EXPECT_EQ(listed.count("127.0.0.43"), 1u);
    EXPECT_EQ(listed.count("127.0.1.44"), 1u);
    const auto messages = bench.ui.messages();
    EXPECT_NE(std::find(messages.begin(), messages.end(), texts::kSettingDoneRestart), messages.end());
}

} // namespace

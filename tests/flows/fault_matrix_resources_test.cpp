// A thousand faulted operations in one process: every socket a flow opened is closed and
// every thread it started has ended, whatever the unit did to the exchange.
#include "core/app/system_texts.h"
#include "support/fault_kinds.h"
#include "support/flow_harness.h"
#include "support/process_resources.h"

#include <gtest/gtest.h>
#include <thread>

using namespace kovra;
using test_support::FlowHarness;
using test_support::ProcessResources;

namespace {

constexpr int kOperations = 1000;

// The faults that end an exchange at once (silence, garbage and trickles would only make
// the run long: they end by the same time-outs); each unit spoils a different part of the add.
const char* const kFleet = R"({
  "restartMs": 50,
  "units": [
    { "address": "127.0.0.110", "kind": 0, "model": 3, "fault": { "mode": "refuse" } },
    { "address": "127.0.0.111", "kind": 0, "model": 3, "fault": { "mode": "hangup" } },
    { "address": "127.0.0.112", "kind": 0, "model": 3, "fault": { "mode": "close" } },
    { "address": "127.0.0.114", "kind": 5, "model": 25, "fault": { "mode": "hangup", "requests": ["VER"] } }
  ]
})";

const char* const kUnits[] = { "127.0.0.110", "127.0.0.111", "127.0.0.112", "127.0.0.114" };

TEST(FaultMatrixResources, AThousandFaultedAddsLeaveDescriptorsAndThreadsAsTheyWere)
{
    FlowHarness bench;
    ASSERT_EQ(bench.start(kFleet), "");
    MainWindowModel& model = bench.model();
    auto addOnce = [&](const char* address) {
        model.onAddByAddress(address, "10001");
        const bool ended = bench.events.runUntil([&] { return !model.adding(); }, std::chrono::seconds(12));
        model.waitForFlows();
        bench.events.runPending();
        return ended;
    };
    // One round first: what is made once per process (resolver, thread pools) is made now.
    for (const char* address : kUnits)
        ASSERT_TRUE(addOnce(address));
    bench.fleet.requests(); // the log file is open from here on either way
    const ProcessResources before = ProcessResources::now();

    for (int i = 0; i < kOperations; ++i)
        ASSERT_TRUE(addOnce(kUnits[size_t(i) % std::size(kUnits)])) << "operation " << i << " hangs";

    // The simulator's connection threads end when the unit has seen the peer close, and
    // it reaps them on its own thread: wait for the counts to settle, within a bound.
    ProcessResources after = ProcessResources::now();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while ((after.threads > before.threads || after.descriptors > before.descriptors)
        && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        after = ProcessResources::now();
    }
    // Fewer is fine: a connection of the warm-up round may still have been open before.
    EXPECT_LE(after.descriptors, before.descriptors);
    EXPECT_LE(after.threads, before.threads);
    EXPECT_EQ(model.table().unitCount(), 0);
    EXPECT_TRUE(bench.view.rows.empty());
    EXPECT_EQ(bench.ui.messages().size(), size_t(kOperations + std::size(kUnits)));
}

} // namespace

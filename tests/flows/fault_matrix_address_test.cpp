// The fault matrix of the address write (the 設定 button): the unit spoils its answer to the
// write itself, whichever path its kind takes. Whatever it does, the write ends within its
// time-outs, is reported done only when the unit really restarted at its new address, and
// the unit's row goes exactly then.
#include "core/app/address_texts.h"
#include "core/app/system_texts.h"
#include "support/fault_kinds.h"
#include "support/flow_harness.h"
#include "support/free_address_writers.h"

#include <chrono>
#include <future>
#include <gtest/gtest.h>

using namespace kovra;
using test_support::FaultKind;

namespace {

const std::string kAddress = "127.0.0.140";
const std::string kNewAddress = "127.0.0.141";

struct ExchangeCase {
    const char* name;
    const char* unit; // fleet entry without address and fault
    const char* spoiled; // the requests the fault switch spoils
    std::chrono::seconds budget; // the write's time-outs, with room
};

const ExchangeCase kExchanges[] = {
    { "Record0Write", R"("kind": 0, "model": 3)", R"(["write0"])", std::chrono::seconds(6) },
    { "TextKindMessage", R"("kind": 5, "model": 25)", R"(["settings"])", std::chrono::seconds(8) },
    { "WifiModuleImport", R"("kind": 2, "typePair": "Y1", "model": 2)", R"(["import"])",
        std::chrono::seconds(30) },
};

using MatrixCase = std::tuple<ExchangeCase, FaultKind>;

class AddressFaultMatrix : public ::testing::TestWithParam<MatrixCase> { };

TEST_P(AddressFaultMatrix, ReportsWrittenExactlyWhenTheUnitMovedAndKeepsTheListTrue)
{
    const auto& [exchange, fault] = GetParam();
    test_support::FlowHarness bench;
    const std::string fleet = R"({ "restartMs": 100, "units": [ { "address": ")" + kAddress + R"(", )"
        + exchange.unit + R"(, "fault": )" + test_support::faultObject(fault.mode, exchange.spoiled)
        + " } ] }";
    ASSERT_EQ(bench.start(fleet.c_str()), "");
    test_support::FreeAddressWriters writers;
    MainWindowModel& model = bench.model();
    model.setAddressWriters(&writers);
    model.onAddByAddress(kAddress, "10001");
    ASSERT_TRUE(bench.events.runUntil([&] { return !model.adding(); }, std::chrono::seconds(12)));
    model.waitForFlows();
    bench.events.runPending();
    if (fault.mode == std::string("refuse")) {
        // No listener, no row: the button has nothing to write to.
        EXPECT_EQ(model.table().unitCount(), 0);
        return;
    }
    ASSERT_GE(model.table().findByIpText(kAddress), 0);
    bench.select(kAddress);
    bench.ui.queueAnswer(true);

    std::promise<AddressWriteOutcome> ended;
    const auto started = std::chrono::steady_clock::now();
    model.onSetAddress(AddressEntry { false, kNewAddress, "255.255.255.0", "" },
        [&](AddressWriteOutcome o) { ended.set_value(o); });
    model.waitForFlows();
    bench.events.runPending();
    EXPECT_LT(std::chrono::steady_clock::now() - started, exchange.budget) << "the write hangs";
    const AddressWriteOutcome outcome = ended.get_future().get();

    const bool written = outcome == AddressWriteOutcome::Written;
    const bool moved = bench.fleet.cameUpAt(kNewAddress, std::chrono::milliseconds(written ? 2000 : 300));
    EXPECT_EQ(written, moved) << "the report and the unit disagree";
    ASSERT_FALSE(bench.ui.messages().empty());
    const std::string message = bench.ui.messages().back();
    if (written) {
        EXPECT_TRUE(message == texts::kSettingDoneRestart || message == texts::kWrittenWithoutAcknowledgement)
            << message;
    } else {
        EXPECT_EQ(outcome, AddressWriteOutcome::Failed);
        EXPECT_TRUE(message == texts::kCommunicationError || message == texts::kNoAcknowledgementNotMoved)
            << message;
    }
    // The row of a unit that moved goes; one that stayed keeps it.
    EXPECT_EQ(model.table().findByIpText(kAddress) >= 0, !written);
    EXPECT_EQ(model.table().unitCount(), int(bench.view.rows.size()));
    EXPECT_TRUE(bench.view.mainControlsEnabled);
    model.waitForFlows();
}

INSTANTIATE_TEST_SUITE_P(Matrix, AddressFaultMatrix,
    ::testing::Combine(::testing::ValuesIn(kExchanges), ::testing::ValuesIn(test_support::kFaultKinds)),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name;
    });

} // namespace

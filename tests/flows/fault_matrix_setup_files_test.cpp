// The fault matrix of the setup files (bulk save and bulk write): .rec over the console,
// .lwi over the settings port, .xml exported from and imported into the Wi-Fi module, the
// unit spoiling the answers of one transfer. A failed save leaves the old file whole and no
// other file; a write is reported done only when the unit took it and restarted, and the
// import's progress display always ends.
#include "core/app/bulk_write_flow.h"
#include "core/app/setting_command_texts.h"
#include "core/app/setup_file_texts.h"
#include "core/app/system_texts.h"
#include "core/setupfiles/setup_file_store.h"
#include "support/fault_kinds.h"
#include "support/flow_harness.h"
#include "support/folder_files.h"

#include <algorithm>
#include <fstream>
#include <future>
#include <gtest/gtest.h>
#include <map>

using namespace kovra;
using test_support::FaultKind;

namespace {

const std::string kFaulted = "127.0.0.150";
const std::string kTwin = "127.0.0.151"; // the same unit without the fault: the file to write
const std::string kOldFile = "the old file";

struct ExchangeCase {
    const char* name;
    const char* unit; // fleet entry without address and fault; DHCP, so files carry no address
    const char* spoiled;
    bool save; // else write
    const char* extension;
    std::chrono::seconds budget; // the transfer's time-outs, with room
};

const ExchangeCase kExchanges[] = {
    { "RecSave", R"("kind": 0, "model": 1, "dhcp": true)", R"(["G3"])", true, "rec",
        std::chrono::seconds(8) },
    { "RecWrite", R"("kind": 0, "model": 1, "dhcp": true)", R"(["S3"])", false, "rec",
        std::chrono::seconds(8) },
    { "LwiSave", R"("kind": 5, "model": 25, "dhcp": true)", R"(["VER", "DUMP", "GETPARAM"])", true, "lwi",
        std::chrono::seconds(6) },
    { "LwiWrite", R"("kind": 5, "model": 25, "dhcp": true)", R"(["settings"])", false, "lwi",
        std::chrono::seconds(6) },
    { "WifiExport", R"("kind": 2, "typePair": "Y1", "model": 2, "dhcp": true)", R"(["export"])", true, "xml",
        std::chrono::seconds(16) },
    { "WifiImport", R"("kind": 2, "typePair": "Y1", "model": 2, "dhcp": true)", R"(["import"])", false, "xml",
        std::chrono::seconds(30) },
};

using MatrixCase = std::tuple<ExchangeCase, FaultKind>;

class SetupFileFaultMatrix : public ::testing::TestWithParam<MatrixCase> {
protected:
    void SetUp() override
    {
        const auto& [exchange, fault] = GetParam();
        const std::string fleet = R"({ "restartMs": 100, "units": [ { "address": ")" + kFaulted + R"(", )"
            + exchange.unit + R"(, "fault": )" + test_support::faultObject(fault.mode, exchange.spoiled)
            + R"( }, { "address": ")" + kTwin + R"(", )" + exchange.unit
            + R"(, "mac": "02:4B:56:00:01:51" } ] })";
        ASSERT_EQ(m_bench.start(fleet.c_str()), "");
        m_dir = testing::TempDir() + "setup_matrix_XXXXXX";
        ASSERT_NE(::mkdtemp(m_dir.data()), nullptr);
        m_dir += "/";
        // The faulted unit as the window holds it: the twin's listing at its address (the
        // fault may spoil what listing it would read).
        ASSERT_TRUE(m_bench.add(kTwin));
        m_twin = m_bench.model().table().slot(m_bench.model().table().findByIpText(kTwin));
        m_faulted = m_twin;
        m_faulted.record.ipText = kFaulted;
        ASSERT_TRUE(parseIpv4(kFaulted, m_faulted.record.peerAddress));
    }

    // Runs the flow for `unit` to its end: its outcome.
    template <typename Flow> SetupFileOutcome run(const UnitSlot& unit)
    {
        std::promise<SetupFileOutcome> ended;
        FlowContext context { m_bench.ui, m_bench.events, m_bench.model() };
        Flow(context, unit, std::string("unit"), SetupPorts {}, [&](SetupFileOutcome o) {
            ended.set_value(o);
        }).run();
        m_bench.events.runPending();
        return ended.get_future().get();
    }

    std::vector<std::string> filesInDir() { return test_support::filesIn(m_dir); }

    // The import's progress display, ticked as the window's timer does, until it ends.
    bool progressEnds(std::chrono::seconds within)
    {
        const auto deadline = std::chrono::steady_clock::now() + within;
        while (m_bench.view.progressTimerRunning && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            m_bench.events.runPending();
            m_bench.model().onProgressTimer();
        }
        return !m_bench.view.progressTimerRunning && !m_bench.view.progressVisible;
    }

    test_support::FlowHarness m_bench;
    std::string m_dir;
    UnitSlot m_twin;
    UnitSlot m_faulted;
};

// Bulk write keeps the unit's slot; the save's flow takes a model text besides.
struct WriteFlow : BulkWriteFlow {
    WriteFlow(FlowContext context, const UnitSlot& unit, std::string, SetupPorts ports, Done done)
        : BulkWriteFlow(context, unit, ports, std::move(done))
    {
    }
};

TEST_P(SetupFileFaultMatrix, EndsInTimeAndReportsDoneOnlyForWhatTheUnitTook)
{
    const auto& [exchange, fault] = GetParam();
    const std::string path = m_dir + "unit." + exchange.extension;
    std::chrono::steady_clock::time_point started;
    SetupFileOutcome outcome;
    if (exchange.save) {
        std::ofstream(path) << kOldFile;
        m_bench.ui.queueFile(path);
        started = std::chrono::steady_clock::now();
        outcome = run<BulkSaveFlow>(m_faulted);
    } else {
        // The twin's file, saved once per exchange: every case's twin holds the same setup.
        static std::map<std::string, std::string> twinFiles;
        if (!twinFiles.count(exchange.name)) {
            m_bench.ui.queueFile(path);
            ASSERT_EQ(run<BulkSaveFlow>(m_twin), SetupFileOutcome::Done);
            ASSERT_EQ(readSetupFile(path, 65536, twinFiles[exchange.name]), kFileDone);
        }
        ASSERT_EQ(writeSetupFile(path, twinFiles[exchange.name]), kFileDone);
        m_bench.ui.queueFile(path);
        m_bench.ui.queueAnswer(true);
        started = std::chrono::steady_clock::now();
        outcome = run<WriteFlow>(m_faulted);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - started, exchange.budget) << "the transfer hangs";
    if (exchange.save) {
        // A save keeps only what the unit sent whole and right.
        if (!fault.answerSurvives) {
            EXPECT_EQ(outcome, SetupFileOutcome::Failed);
        }
        const auto messages = m_bench.ui.messages();
        std::string bytes;
        ASSERT_EQ(readSetupFile(path, 65536, bytes), kFileDone);
        if (outcome == SetupFileOutcome::Done) {
            EXPECT_NE(bytes, kOldFile);
            EXPECT_TRUE(messages.empty());
        } else {
            EXPECT_EQ(bytes, kOldFile) << "a failed save touched the old file";
            EXPECT_EQ(messages, std::vector<std::string> { texts::kReadFailed });
        }
        EXPECT_EQ(filesInDir(), std::vector<std::string> { std::string("unit.") + exchange.extension });
    } else {
        // The module's import goes on behind the progress display, which ends with its outcome.
        if (m_bench.view.progressVisible || m_bench.view.progressTimerRunning) {
            EXPECT_TRUE(progressEnds(std::chrono::seconds(30))) << "the progress display runs on";
        }
        ASSERT_FALSE(m_bench.ui.messages().empty());
        const auto last = m_bench.ui.messages().back();
        const bool reportedDone = last == texts::kSettingDoneRestart;
        if (!reportedDone) {
            EXPECT_TRUE(last == texts::kWriteFailed || last == texts::kSettingFailed) << last;
        }
        // Done only when the unit took the setup: a unit restarts on it; the module, told
        // nothing about a reboot, answers the import it stored.
        if (reportedDone && exchange.extension == std::string("xml")) {
            const auto imports = m_bench.fleet.requests();
            EXPECT_TRUE(std::any_of(imports.begin(), imports.end(), [](const auto& entry) {
                return entry.value("unit", "") == kFaulted && entry.value("request", "") == "import"
                    && !entry.value("answer", "").empty();
            })) << "reported done, but the module answered no import";
        } else if (reportedDone) {
            EXPECT_TRUE(m_bench.fleet.restartedWithin(kFaulted, std::chrono::seconds(2)))
                << "reported done, but the unit did not restart";
        }
    }
    EXPECT_TRUE(m_bench.view.mainControlsEnabled);
    EXPECT_EQ(m_bench.model().table().unitCount(), int(m_bench.view.rows.size()));
}

INSTANTIATE_TEST_SUITE_P(Matrix, SetupFileFaultMatrix,
    ::testing::Combine(::testing::ValuesIn(kExchanges), ::testing::ValuesIn(test_support::kFaultKinds)),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name;
    });

} // namespace

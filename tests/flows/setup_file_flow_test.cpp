// Bulk save and bulk write against simulated units on loopback: the file dialog's retry,
// a save that fails leaving the old file, files refused before any traffic, the question
// for another unit's address, the transport by the unit's kind, and the list of changes.
#include "core/app/setting_command_texts.h"
#include "core/app/setup_file_texts.h"
#include "core/app/system_texts.h"
#include "core/setupfiles/lwi_text.h"
#include "core/setupfiles/setup_file_store.h"
#include "support/flow_harness.h"
#include "support/folder_files.h"

#include <fstream>
#include <gtest/gtest.h>

using namespace kovra;
using test_support::FlowHarness;

namespace {

const char* const kFleet = R"({
  "restartMs": 100,
  "units": [
    { "address": "127.0.0.70", "kind": 0, "model": 1 },
    { "address": "127.0.0.71", "kind": 0, "model": 2, "fault": { "mode": "close", "requests": ["G3"] } },
    { "address": "127.0.0.72", "kind": 5, "model": 25, "text": { "sketchVersion": 102 } },
    { "address": "127.0.0.73", "kind": 5, "model": 25, "text": { "sketchVersion": 102, "parameters": { "PORT2": 20002 } } },
    { "address": "127.0.1.74", "kind": 0, "model": 1 }
  ]
})";

class SetupFileFlowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(m_bench.start(kFleet), "");
        m_dir = testing::TempDir() + "setup_flow_XXXXXX";
        ASSERT_NE(::mkdtemp(m_dir.data()), nullptr);
        m_dir += "/";
    }

    SetupFileOutcome press(const std::string& address, bool save)
    {
        EXPECT_TRUE(m_bench.add(address)) << address;
        m_bench.select(address);
        std::promise<SetupFileOutcome> outcome;
        auto done = [&](SetupFileOutcome o) { outcome.set_value(o); };
        if (save)
            m_bench.model().onBulkSave(done);
        else
            m_bench.model().onBulkWrite(done);
        m_bench.model().waitForFlows();
        m_bench.events.runPending();
        return outcome.get_future().get();
    }

    std::string saved(const std::string& address, const std::string& name)
    {
        m_bench.ui.queueFile(m_dir + name);
        EXPECT_EQ(press(address, true), SetupFileOutcome::Done);
        std::string bytes;
        EXPECT_EQ(readSetupFile(m_dir + name, 65536, bytes), kFileDone);
        return bytes;
    }

    std::vector<std::string> filesInDir() { return test_support::filesIn(m_dir); }

    FlowHarness m_bench;
    std::string m_dir;
};

TEST_F(SetupFileFlowTest, BlankNameAsksAgainThenSavesTheBlocks)
{
    m_bench.ui.queueFile(m_dir + "   ");
    m_bench.ui.queueFile("  " + m_dir + "unit70.rec ");
    EXPECT_EQ(press("127.0.0.70", true), SetupFileOutcome::Done);
    EXPECT_EQ(m_bench.ui.messages(), std::vector<std::string> { texts::kEnterFileName });
    std::string bytes;
    ASSERT_EQ(readSetupFile(m_dir + "unit70.rec", 65536, bytes), kFileDone);
    EXPECT_EQ(bytes.size(), 5 + 121 + 7 * 127u);
    EXPECT_TRUE(m_bench.view.mainControlsEnabled);
}

TEST_F(SetupFileFlowTest, SaveCutMidBlockKeepsTheOldFileAndLeavesNoTemporaryFile)
{
    {
        std::ofstream(m_dir + "old.rec") << "the old file";
    }
    m_bench.ui.queueFile(m_dir + "old.rec");
    EXPECT_EQ(press("127.0.0.71", true), SetupFileOutcome::Failed);
    EXPECT_EQ(m_bench.ui.messages(), std::vector<std::string> { texts::kReadFailed });
    std::string bytes;
    ASSERT_EQ(readSetupFile(m_dir + "old.rec", 100, bytes), kFileDone);
    EXPECT_EQ(bytes, "the old file");
    EXPECT_EQ(filesInDir(), std::vector<std::string> { "old.rec" });
}

TEST_F(SetupFileFlowTest, UnitsOffTheAdaptersNetworkAreRefusedBeforeAnyDialog)
{
    EXPECT_EQ(press("127.0.1.74", true), SetupFileOutcome::Failed);
    EXPECT_EQ(press("127.0.1.74", false), SetupFileOutcome::Failed);
    EXPECT_EQ(m_bench.ui.messages(),
        std::vector<std::string>({ texts::kCannotCommunicate, texts::kCannotCommunicate }));
}

TEST_F(SetupFileFlowTest, FilesOfAnotherKindAreRefusedBeforeAnyTraffic)
{
    const std::string lwi = saved("127.0.0.72", "unit72.lwi");
    struct Case {
        const char* name;
        std::string bytes;
        std::string unit;
        std::string message;
    };
    const Case cases[] = {
        { "lwi to a block unit", lwi, "127.0.0.70", "このデバイスの設定ファイル(.rec)ではありません。" },
        { "blocks cut short", std::string("\x04RECF\x00", 6) + "abc", "127.0.0.70",
            "このデバイスの設定ファイル(.rec)ではありません。" },
        { "text without line ends", "IP 1.2.3.4", "127.0.0.73",
            "このデバイスの設定ファイル(.lwi)ではありません。" },
        { "empty", "", "127.0.0.73", texts::kWriteFailed },
    };
    for (const Case& c : cases) {
        {
            std::ofstream(m_dir + "case.rec", std::ios::binary) << c.bytes;
        }
        m_bench.ui.queueFile(m_dir + "case.rec");
        ASSERT_TRUE(m_bench.add(c.unit));
        const size_t before = m_bench.requestNames(c.unit).size();
        const size_t messages = m_bench.ui.messages().size();
        EXPECT_EQ(press(c.unit, false), SetupFileOutcome::Failed) << c.name;
        EXPECT_EQ(m_bench.ui.messages().back(), c.message) << c.name;
        EXPECT_EQ(m_bench.ui.messages().size(), messages + 1) << c.name;
        EXPECT_EQ(m_bench.requestNames(c.unit).size(), before) << c.name;
    }
}

TEST_F(SetupFileFlowTest, LwiFromAnotherUnitAsksAndKeepsTheUnitsOwnAddressOnNo)
{
    const std::string lwi = saved("127.0.0.72", "unit72.lwi");
    m_bench.ui.queueFile(m_dir + "unit72.lwi");
    m_bench.ui.queueAnswer(false); // keep this unit's network
    m_bench.ui.queueAnswer(true); // write
    EXPECT_EQ(press("127.0.0.73", false), SetupFileOutcome::Done);
    const auto transcript = m_bench.ui.transcript();
    ASSERT_GE(transcript.size(), 3u);
    EXPECT_NE(transcript[0].find("IP 127.0.0.72"), std::string::npos);
    EXPECT_EQ(transcript[1], std::string("?") + texts::kWriteQuestion);
    EXPECT_NE(transcript[2].find("~ PORT2: 20002 -> 10002"), std::string::npos) << transcript[2];
    EXPECT_EQ(transcript[2].find("IP:"), std::string::npos); // the address is no change any more
    EXPECT_EQ(m_bench.ui.messages().back(), texts::kSettingDoneRestart);
    const auto sent = m_bench.logged("settings", "127.0.0.73");
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_NE(sent[0].find("IP\r\n127.0.0.73\r\n"), std::string::npos);
    EXPECT_NE(sent[0].find("PORT2\r\n10002\r\n"), std::string::npos);
    EXPECT_EQ(sent[0].substr(sent[0].size() - 5), "END\r\n");
}

TEST_F(SetupFileFlowTest, CancelAtTheQuestionWritesNothing)
{
    saved("127.0.0.70", "unit70.rec");
    m_bench.ui.queueFile(m_dir + "unit70.rec");
    EXPECT_EQ(press("127.0.0.70", false), SetupFileOutcome::Cancelled);
    EXPECT_TRUE(m_bench.logged("S0", "127.0.0.70").empty());
    EXPECT_TRUE(m_bench.view.mainControlsEnabled);
}

TEST_F(SetupFileFlowTest, TransportFollowsTheUnitsKindNotTheFilesExtension)
{
    saved("127.0.0.70", "blocks.lwi"); // a .rec image under a .lwi name
    m_bench.ui.queueFile(m_dir + "blocks.lwi");
    m_bench.ui.queueAnswer(true);
    EXPECT_EQ(press("127.0.0.70", false), SetupFileOutcome::Done);
    EXPECT_EQ(m_bench.logged("S0", "127.0.0.70").size(), 1u);
    EXPECT_TRUE(m_bench.logged("settings", "127.0.0.70").empty());
    EXPECT_EQ(m_bench.ui.messages().back(), texts::kSettingDoneRestart);
}

} // namespace

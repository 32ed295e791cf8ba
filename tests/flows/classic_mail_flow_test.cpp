// The mail alert button on binary units against simulated units on loopback: the classic
// dialog opens with what the unit holds (records read afresh, DI masks, analog bands), OK
// writes the masks and bands by command and the account into the stored records, the next
// opening shows it, and the test button sends the test message without a restart.
#include "core/alerts/mail_test_send.h"
#include "core/app/system_texts.h"
#include "support/flow_harness.h"

#include <functional>
#include <gtest/gtest.h>
#include <map>

using namespace kovra;
using test_support::FlowHarness;

namespace {

const char* const kFleet = R"({
  "restartMs": 100,
  "units": [
    { "address": "127.0.0.70", "kind": 1, "model": 6, "firmware": "GC2.05" },
    { "address": "127.0.0.71", "kind": 0, "model": 8 },
    { "address": "127.0.0.72", "kind": 0, "model": 2, "records": { "3": "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 02 00 01" } }
  ]
})";

using Fields = std::vector<std::pair<std::string, std::string>>;

class ClassicMailFlowTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(m_bench.start(kFleet), ""); }

    // Presses the mail alert button with the dialog filled from `fields`; the dialog's
    // values as it opened go to `shown`.
    SettingOutcome press(
        const std::string& address, Fields fields, std::map<std::string, std::string>* shown = nullptr)
    {
        EXPECT_TRUE(m_bench.add(address)) << address;
        m_bench.select(address);
        m_bench.ui.setDialogFiller([this, fields, shown](DialogForm& form) {
            if (shown)
                for (const auto& field : form.fields())
                    (*shown)[field.name] = field.get();
            for (const auto& [name, value] : fields)
                if (form.setFieldText(name, value) != DialogForm::SetResult::Set)
                    return false;
            return !fields.empty() && acceptDialog(form, m_bench.ui);
        });
        return m_bench.settingCommand(SettingCommand::MailAlert);
    }

    FlowHarness m_bench;
};

TEST_F(ClassicMailFlowTest, WritesMasksAndRecordsThenTheNextOpeningShowsThem)
{
    const Fields fields
        = { { "server", "smtp.example.jp" }, { "port", "587" }, { "auth", "on" }, { "user", "alert" },
              { "password", "s3cret" }, { "sender", "unit@example.jp" }, { "to1", "ops@example.jp" },
              { "message", "door" }, { "di1.enabled", "on" }, { "di1.edge", "on" }, { "di3.enabled", "on" } };
    ASSERT_EQ(press("127.0.0.70", fields), SettingOutcome::Written);
    EXPECT_EQ(m_bench.ui.messages(), std::vector<std::string> { texts::kSettingDoneRestart });

    // Enable mask (94h) DI1 and DI3, edge mask (95h) DI1, in the high nibble of a 3-DI model.
    const auto shorts = m_bench.logged("short", "127.0.0.70");
    ASSERT_GE(shorts.size(), 2u);
    EXPECT_EQ(shorts[shorts.size() - 2], std::string("\x94\x50", 2));
    EXPECT_EQ(shorts.back(), std::string("\x95\x10", 2));
    // Record 1 (the server is set), then 3 to 7; only the last one ends the sequence.
    std::vector<std::string> writes;
    for (const auto& name : m_bench.requestNames("127.0.0.70"))
        if (name.rfind("write", 0) == 0)
            writes.push_back(name);
    EXPECT_EQ(
        writes, (std::vector<std::string> { "write1", "write3", "write4", "write5", "write6", "write7" }));
    const std::string record4 = m_bench.logged("write4", "127.0.0.70").back();
    EXPECT_EQ(record4.substr(0, 4), std::string("\x00\x01\x00\xC4", 4));
    EXPECT_EQ(record4.substr(4, 16), std::string("smtp.example.jp\0", 16));

    std::map<std::string, std::string> shown;
    for (int attempt = 0; attempt < 20 && shown["server"] != "smtp.example.jp"; ++attempt)
        press("127.0.0.70", {}, &shown); // the unit restarts after the write
    EXPECT_EQ(shown["server"], "smtp.example.jp");
    EXPECT_EQ(shown["port"], "587");
    EXPECT_EQ(shown["auth"], "on");
    EXPECT_EQ(shown["password"], "s3cret");
    EXPECT_EQ(shown["sender"], "unit@example.jp");
    EXPECT_EQ(shown["message"], "door");
    EXPECT_EQ(shown["di1.edge"], "on");
    EXPECT_EQ(shown["di2.enabled"], "off");
    EXPECT_EQ(shown["di3.enabled"], "on");
    EXPECT_EQ(shown["di3.edge"], "off");
}

TEST_F(ClassicMailFlowTest, AnalogBandsByCommandAndNoRecord1WithoutServer)
{
    const Fields fields = { { "server", "" }, { "to1", "ops@example.jp" }, { "ai1.low", "25" },
        { "ai1.high", "75" }, { "ai1.led", "outside" }, { "ai1.mail", "unlit" }, { "ai3.low", "-100" } };
    ASSERT_EQ(press("127.0.0.71", fields), SettingOutcome::Written);
    const auto bands = m_bench.logged("AL", "127.0.0.71");
    ASSERT_EQ(bands.size(), 3u);
    EXPECT_EQ(bands[0], "AL &20005FFF\xC8"); // 26h: unlit, outside; 25 % and 75 %
    EXPECT_EQ(bands[2], "AL\" 80000000\xC8");
    EXPECT_TRUE(m_bench.logged("write1", "127.0.0.71").empty());
    EXPECT_TRUE(m_bench.logged("short", "127.0.0.71").empty()); // model 8 has no DI

    std::map<std::string, std::string> shown;
    for (int attempt = 0; attempt < 20 && shown["ai1.mail"] != "unlit"; ++attempt)
        press("127.0.0.71", {}, &shown);
    EXPECT_EQ(shown["ai1.low"], "+25.001"); // 2000h
    EXPECT_EQ(shown["ai1.led"], "outside");
    EXPECT_EQ(shown["ai3.low"], "-100.000");
    EXPECT_EQ(shown["to1"], "ops@example.jp");
}

TEST_F(ClassicMailFlowTest, Model2KeepsItsDiModesInRecord3)
{
    std::map<std::string, std::string> shown;
    press("127.0.0.72", {}, &shown);
    EXPECT_EQ(shown["di1.enabled"], "on"); // record 3 byte 64: 2, enabled on "OFF"
    EXPECT_EQ(shown["di1.edge"], "off");
    EXPECT_EQ(shown["di3.edge"], "on");

    ASSERT_EQ(
        press("127.0.0.72", { { "di1.enabled", "off" }, { "di7.enabled", "on" }, { "di7.edge", "on" } }),
        SettingOutcome::Written);
    EXPECT_TRUE(m_bench.logged("short", "127.0.0.72").empty());
    const std::string record3 = m_bench.logged("write3", "127.0.0.72").back();
    EXPECT_EQ(record3.substr(64, 8), std::string("\x00\x00\x01\x00\x00\x00\x01\x00", 8));
}

TEST_F(ClassicMailFlowTest, TestButtonWritesTheMasksAndSendsTheTestWithoutRestart)
{
    ASSERT_TRUE(m_bench.add("127.0.0.70"));
    m_bench.select("127.0.0.70");
    int sent = -1;
    m_bench.ui.setDialogFiller([this, &sent](DialogForm& form) {
        form.setFieldText("server", "smtp.example.jp");
        form.setFieldText("port", "25");
        form.setFieldText("to1", "ops@example.jp");
        form.setFieldText("di2.enabled", "on");
        auto* tests = dynamic_cast<MailTestSend*>(&form);
        const auto send = tests ? tests->prepareTest(0, m_bench.ui) : std::function<int()>();
        sent = send ? send() : -1;
        return false; // then closed with キャンセル
    });
    m_bench.ui.queueAnswer(true); // the test's question
    EXPECT_EQ(m_bench.settingCommand(SettingCommand::MailAlert), SettingOutcome::Cancelled);
    EXPECT_EQ(sent, 0);
    const auto tests = m_bench.logged("mailTest", "127.0.0.70");
    ASSERT_EQ(tests.size(), 1u);
    const auto shorts = m_bench.logged("short", "127.0.0.70"); // the reads on opening, then the writes
    ASSERT_EQ(shorts.size(), 4u);
    EXPECT_EQ(shorts[2], std::string("\x94\x20", 2)); // DI2 in the high nibble
    EXPECT_EQ(shorts[3], std::string("\x95\x00", 2));
    EXPECT_TRUE(m_bench.logged("write7", "127.0.0.70").empty());
    bool restarted = false;
    for (const auto& entry : m_bench.fleet.requests())
        restarted = restarted || entry.value("event", "") == "restart";
    EXPECT_FALSE(restarted);
}

} // namespace

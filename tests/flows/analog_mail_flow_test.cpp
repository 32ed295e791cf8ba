// The mail alert button on the QX units against simulated units on loopback: the reads
// before the dialog, the mail message and the alert conditions in the order the units take
// them, the values on the next opening, and the messages of a failed read or write.
#include "core/alerts/analog_mail_form.h"
#include "core/alerts/analog_mail_paths.h"
#include "core/app/setting_command_texts.h"
#include "support/flow_harness.h"

#include <gtest/gtest.h>

using namespace kovra;
using test_support::FlowHarness;

namespace {

const char* const kFleet = R"({
  "restartMs": 100,
  "units": [
    { "address": "127.0.0.90", "kind": 6, "model": 0 },
    { "address": "127.0.0.91", "kind": 6, "model": 10, "text": { "parameters": { "MHOST": "0.0.0.0" } } },
    { "address": "127.0.0.92", "kind": 6, "model": 0, "fault": { "mode": "garbage", "requests": ["DN"] } },
    { "address": "127.0.0.93", "kind": 6, "model": 0, "fault": { "mode": "silent", "requests": ["AL"] } }
  ]
})";

const std::string kEnd(1, char(0xC8));

class AnalogMailFlowTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(m_bench.start(kFleet), ""); }

    // Opens the unit's mail dialog, fills it (each assignment, then OK) and returns the outcome.
    SettingOutcome write(
        const std::string& address, std::vector<std::pair<std::string, std::string>> assignments)
    {
        EXPECT_TRUE(m_bench.add(address)) << address;
        m_bench.select(address);
        m_bench.ui.setDialogFiller([this, assignments](DialogForm& form) {
            for (const auto& [name, value] : assignments)
                EXPECT_EQ(form.setFieldText(name, value), DialogForm::SetResult::Set) << name << "=" << value;
            return acceptDialog(form, m_bench.ui);
        });
        return m_bench.settingCommand(SettingCommand::MailAlert);
    }

    // The dialog's fields as the next opening shows them (the dialog is then cancelled).
    std::map<std::string, std::string> reopen(const std::string& address)
    {
        std::map<std::string, std::string> shown;
        m_bench.select(address);
        m_bench.ui.setDialogFiller([&shown](DialogForm& form) {
            for (const FormField& field : form.fields())
                shown[field.name] = field.get();
            return false;
        });
        EXPECT_EQ(m_bench.settingCommand(SettingCommand::MailAlert), SettingOutcome::Cancelled);
        return shown;
    }

    // Names of the unit's requests after the first `from`.
    std::vector<std::string> namesSince(const std::string& address, size_t from)
    {
        const auto names = m_bench.requestNames(address);
        return { names.begin() + long(std::min(from, names.size())), names.end() };
    }

    FlowHarness m_bench;
};

TEST_F(AnalogMailFlowTest, TwoChannelWritesTheMessageThenEachBandThenTheDiMasksAndReadsThemBack)
{
    ASSERT_TRUE(m_bench.add("127.0.0.90"));
    const size_t before = m_bench.requestNames("127.0.0.90").size();
    EXPECT_EQ(write("127.0.0.90",
                  { { "server", "smtp.example.net" }, { "port", "25" }, { "user", "u" }, { "password", "p" },
                      { "sender", "qx@example.net" }, { "to1", "ops@example.net" }, { "to2", "" },
                      { "message", "タンク" }, { "ai1.condition", "inside" }, { "ai1.low", "-5" },
                      { "ai1.high", "5" }, { "ai2.condition", "outside" }, { "ai2.low", "4" },
                      { "ai2.high", "20" }, { "di1", "on" }, { "di2", "none" }, { "di3", "off" } }),
        SettingOutcome::Written);

    const std::vector<std::string> expectedOrder { "AK", "AK", "DN", "settings", "AL", "AL", "DM" };
    std::vector<std::string> traffic;
    for (const auto& name : namesSince("127.0.0.90", before))
        if (name == "AK" || name == "DN" || name == "settings" || name == "AL" || name == "DM")
            traffic.push_back(name);
    EXPECT_EQ(traffic, expectedOrder);
    EXPECT_EQ(m_bench.logged("settings", "127.0.0.90").back(),
        "MHOST\r\nsmtp.example.net\r\nMPORT\r\n25\r\nMUSER\r\nu\r\nMPASS\r\np\r\nMFROM\r\nqx@example.net\r\n"
        "MTO1\r\nops@example."
        "net\r\nMTO2\r\n\r\nMSUBJ\r\n\xE3\x82\xBF\xE3\x83\xB3\xE3\x82\xAF\r\nNORESET\r\nEND\r\n");
    // -5 V is C000h, +5 V 4000h; 4 mA 1999h, 20 mA 7FFFh; DI1 ON and DI3 OFF.
    const auto bands = m_bench.logged("AL", "127.0.0.90");
    ASSERT_EQ(bands.size(), 2u);
    EXPECT_EQ(bands[0], "AL !C0004000" + kEnd);
    EXPECT_EQ(bands[1], "AL!\"19997FFF" + kEnd);
    EXPECT_EQ(m_bench.logged("DM", "127.0.0.90").back(), "DM!%  " + kEnd);

    const auto shown = reopen("127.0.0.90");
    EXPECT_EQ(shown.at("ai1.condition"), "inside");
    EXPECT_EQ(shown.at("ai1.low"), "-5.0000");
    EXPECT_EQ(shown.at("ai1.high"), " 5.0002");
    EXPECT_EQ(shown.at("ai2.condition"), "outside");
    EXPECT_EQ(shown.at("ai2.low"), "  4.000");
    EXPECT_EQ(shown.at("di1"), "on");
    EXPECT_EQ(shown.at("di2"), "none");
    EXPECT_EQ(shown.at("di3"), "off");
    EXPECT_EQ(shown.at("message"), "タンク");
}

TEST_F(AnalogMailFlowTest, FiveChannelWritesRangesBandsAndTheDoRecordsAndReadsThemBack)
{
    EXPECT_EQ(write("127.0.0.91",
                  { { "ch2.range", "0-20mA(250Ω)" }, { "ch2.low", "4" }, { "ch2.high", "20" },
                      { "ch2.led", "outside" }, { "ch2.mail", "on" }, { "do1.alert", "on" },
                      { "do1.input", "ai2" }, { "do1.width", "2" }, { "do1.direction", "on-first" } }),
        SettingOutcome::Written);
    EXPECT_EQ(m_bench.logged("AR", "127.0.0.91").at(1), std::string("AR!$") + kEnd);
    // Outside the band with the mail on: 20h + 8 + 2.
    EXPECT_EQ(m_bench.logged("AL", "127.0.0.91").at(1), "AL!*19997FFF" + kEnd);
    // DO1: enabled and on-first, AI2, 2 mA is 3277 (0CCDh); DO2 as read.
    EXPECT_EQ(m_bench.logged("MW", "127.0.0.91").back(), "MW078803010CCD00000000" + kEnd);

    const auto shown = reopen("127.0.0.91");
    EXPECT_EQ(shown.at("server"), "0.0.0.0");
    EXPECT_EQ(shown.count("user"), 0u) << "an address server hides the user box";
    EXPECT_EQ(shown.at("ch2.range"), "0-20mA(250Ω)");
    EXPECT_EQ(shown.at("ch2.low"), "3.999756");
    EXPECT_EQ(shown.at("ch2.led"), "outside");
    EXPECT_EQ(shown.at("ch2.mail"), "on");
    EXPECT_EQ(shown.at("do1.input"), "ai2");
    EXPECT_EQ(shown.at("do1.direction"), "on-first");
    EXPECT_EQ(shown.at("do1.width"), "2.000183");
}

TEST_F(AnalogMailFlowTest, TestSendWritesTheAccountWithMtestAndTheUnitMailsWithoutWritingTheConditions)
{
    ASSERT_TRUE(m_bench.add("127.0.0.90"));
    m_bench.select("127.0.0.90");
    int result = -1;
    m_bench.ui.setDialogFiller([this, &result](DialogForm& form) {
        auto& mail = dynamic_cast<AnalogMailForm&>(form);
        EXPECT_EQ(mail.setFieldText("sender", "test@example.net"), DialogForm::SetResult::Set);
        m_bench.ui.queueAnswer(true);
        if (const auto send = mail.prepareTestSend(m_bench.ui))
            result = send();
        return false; // the test leaves the dialog open; it is cancelled afterwards
    });
    EXPECT_EQ(m_bench.settingCommand(SettingCommand::MailAlert), SettingOutcome::Cancelled);
    EXPECT_EQ(result, 0);
    const std::string sent = m_bench.logged("settings", "127.0.0.90").back();
    EXPECT_EQ(sent.substr(sent.size() - 21), "NORESET\r\nMTEST\r\nEND\r\n");
    bool mailed = false;
    for (const auto& entry : m_bench.fleet.requests())
        mailed |= entry.value("request", "") == "mailTest" && entry.value("unit", "") == "127.0.0.90"
            && entry.value("sender", "") == "test@example.net";
    EXPECT_TRUE(mailed);
    EXPECT_TRUE(m_bench.logged("AL", "127.0.0.90").empty()) << "a test writes no conditions";
}

TEST_F(AnalogMailFlowTest, AReadTheDialogCannotShowClosesItWithTheReadMessage)
{
    ASSERT_TRUE(m_bench.add("127.0.0.92"));
    m_bench.select("127.0.0.92");
    bool opened = false;
    m_bench.ui.setDialogFiller([&opened](DialogForm&) { return opened = true; });
    EXPECT_EQ(m_bench.settingCommand(SettingCommand::MailAlert), SettingOutcome::MailReadFailed);
    EXPECT_FALSE(opened);
    EXPECT_EQ(m_bench.ui.messages().back(), texts::kMailReadFailed);
    EXPECT_TRUE(m_bench.logged("settings", "127.0.0.92").empty());
}

TEST_F(AnalogMailFlowTest, AFailedConditionWriteAfterTheMessageSaysM)
{
    EXPECT_EQ(write("127.0.0.93", { { "ai1.condition", "inside" } }), SettingOutcome::MailAlertWriteFailed);
    EXPECT_EQ(m_bench.ui.messages().back(), texts::kMailAlertWriteFailed);
    EXPECT_EQ(m_bench.logged("settings", "127.0.0.93").size(), 1u);
    EXPECT_TRUE(m_bench.logged("DM", "127.0.0.93").empty()) << "nothing after the failed request";
}

} // namespace

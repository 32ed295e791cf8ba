// kovractl other against simulated units on loopback: the dialog the unit gets printed or
// filled from FIELD=VALUE words, its checks and questions, the write and its message, the
// dry run, and the exit status of each.
#include "cli/kovractl.h"
#include "support/loopback_adapter.h"
#include "support/simulated_fleet.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>

using namespace kovra;

namespace {

constexpr char kDoUnit[] = "127.0.0.160"; // kind 5: DoModesDialog, two DOs
constexpr char kUdpUnit[] = "127.0.0.161"; // kind 6: UdpKeepAliveDialog
constexpr char kBareUnit[] = "127.0.0.162"; // kind 3 with firmware 1.05: no other functions

const char* const kFleet = R"({ "restartMs": 100, "units": [
    { "address": "127.0.0.160", "kind": 5, "model": 25, "text": { "sketchVersion": 104 } },
    { "address": "127.0.0.161", "kind": 6, "model": 6 },
    { "address": "127.0.0.162", "kind": 3, "model": 4, "text": { "sketchVersion": 105 } }
] })";

struct OtherCase {
    const char* name;
    std::vector<std::string> words;
    int status;
    const char* out; // a part of stdout ("" : stdout empty)
    const char* err; // the whole of stderr
    const char* written; // the settings message the unit received, or nullptr for none
};

class CliOther : public testing::TestWithParam<OtherCase> {
protected:
    void SetUp() override { ASSERT_EQ(m_fleet.start(kFleet), ""); }

    // The settings messages the units received, as their text.
    std::vector<std::string> settingsMessages()
    {
        std::vector<std::string> found;
        for (const auto& entry : m_fleet.requests()) {
            if (entry.value("request", "") != "settings")
                continue;
            std::string bytes;
            std::istringstream hex(entry.value("hex", ""));
            std::string byte;
            while (hex >> byte)
                bytes += char(std::stoi(byte, nullptr, 16));
            found.push_back(bytes);
        }
        return found;
    }

    test_support::SimulatedFleet m_fleet;
};

} // namespace

TEST_P(CliOther, PrintsOrFillsTheUnitsDialog)
{
    const OtherCase& c = GetParam();
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(cli::runKovractl(c.words, in, out, err, test_support::loopbackAdapter), c.status) << err.str();
    if (*c.out)
        EXPECT_NE(out.str().find(c.out), std::string::npos) << out.str();
    else
        EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(), c.err);
    EXPECT_EQ(
        settingsMessages(), c.written ? std::vector<std::string> { c.written } : std::vector<std::string> {});
}

INSTANTIATE_TEST_SUITE_P(Cases, CliOther,
    testing::Values(
        OtherCase { "ValuesAsLoaded", { "other", kDoUnit }, 0,
            "keepalive: 60\ndo1.mode: normal\ndo1.time: \ndo2.mode: normal\ndo2.time: \n", "", nullptr },
        OtherCase {
            "ValuesAsJson", { "--json", "other", kDoUnit }, 0, "\"dialog\": \"DoModesDialog\"", "", nullptr },
        OtherCase { "Written", { "other", kDoUnit, "keepalive=1275", "do1.mode=one-shot", "do1.time=12" }, 0,
            "設定完了しました。\nデバイスを再起動します。\n", "",
            "DO1_MD\r\n2\r\nDO1_OT\r\n12\r\nDO2_MD\r\n0\r\nDO2_OT\r\n0\r\nKEEP_A\r\n255\r\nEND\r\n" },
        OtherCase { "DryRunSendsNothing", { "other", kDoUnit, "keepalive=60", "--dry-run" }, 0, "KEEP_A", "",
            nullptr },
        OtherCase { "FailingCheck", { "--yes", "other", kDoUnit, "keepalive=7" }, 1, "",
            "Keepaliveは5の倍数で設定してください。\n", nullptr },
        OtherCase { "UnknownField", { "other", kDoUnit, "do3.mode=normal" }, 2, "",
            "kovractl: DoModesDialog has no field \"do3.mode\"; its fields: keepalive, do1.mode, do1.time, "
            "do2.mode, do2.time\n",
            nullptr },
        OtherCase { "ValueOutsideTheList", { "other", kDoUnit, "do1.mode=sometimes" }, 2, "",
            "kovractl: do1.mode takes normal, on-at-start, one-shot; not \"sometimes\"\n", nullptr },
        OtherCase { "QuestionWithoutTerminalIsNo", { "other", kUdpUnit, "udp-mode=on" }, 1, "", "", nullptr },
        OtherCase { "QuestionAnsweredByYes", { "--yes", "other", kUdpUnit, "udp-mode=on", "keep-count=4" }, 0,
            "設定完了しました。", "", "SOCK\r\n1\r\nK_IDL\r\n30\r\nK_INT\r\n10\r\nK_CNT\r\n4\r\nEND\r\n" },
        OtherCase {
            "ButtonRefuses", { "other", kBareUnit, "keepalive=60" }, 1, "", "その他の機能なし\n", nullptr }),
    [](const testing::TestParamInfo<OtherCase>& info) { return std::string(info.param.name); });

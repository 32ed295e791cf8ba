// kovractl show against simulated units on loopback: passwords read from the unit are
// printed as "*" unless --show-secrets asks for them.
#include "cli/kovractl.h"
#include "support/loopback_adapter.h"
#include "support/simulated_fleet.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>

using namespace kovra;

namespace {

// A Wi-Fi unit (one mail account, the Wi-Fi key) and a unit with a mail entry per DI.
const char* const kFleet = R"({ "units": [
    { "address": "127.0.0.150", "kind": 3, "model": 1 },
    { "address": "127.0.0.151", "kind": 5, "model": 25, "text": { "parameters": { "E2PASS": "p@ss~2" } } }
] })";

class CliShow : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(m_fleet.start(kFleet), ""); }

    // kovractl's exit status; its stdout in `out`.
    int show(std::vector<std::string> words)
    {
        words.insert(words.begin(), "show");
        std::istringstream in;
        std::ostringstream err;
        m_out.str("");
        return cli::runKovractl(words, in, m_out, err, test_support::loopbackAdapter);
    }

    nlohmann::json settings() const { return nlohmann::json::parse(m_out.str())["settings"]; }

    test_support::SimulatedFleet m_fleet;
    std::ostringstream m_out;
};

} // namespace

TEST_F(CliShow, SingleAccountAndWifiPasswordsMaskedUnlessAsked)
{
    ASSERT_EQ(show({ "127.0.0.150", "--json" }), 0);
    EXPECT_EQ(settings()["mailPass"], "*");
    EXPECT_EQ(settings()["wifiPass"], "*");
    EXPECT_EQ(settings()["mailUser"], "alert"); // only the passwords
    EXPECT_EQ(settings()["wifiSsid"], "plant-floor");

    ASSERT_EQ(show({ "127.0.0.150", "--json", "--show-secrets" }), 0);
    EXPECT_EQ(settings()["mailPass"], "alert-pass");
    EXPECT_EQ(settings()["wifiPass"], "wpa-key-0042");

    ASSERT_EQ(show({ "127.0.0.150" }), 0);
    EXPECT_EQ(m_out.str().find("alert-pass"), std::string::npos) << m_out.str();
    EXPECT_EQ(m_out.str().find("wpa-key-0042"), std::string::npos) << m_out.str();
    EXPECT_NE(m_out.str().find("plant-floor"), std::string::npos) << m_out.str();
}

TEST_F(CliShow, PerEntryPasswordsMaskedWhereSet)
{
    ASSERT_EQ(show({ "--json", "127.0.0.151" }), 0);
    const auto masked = settings()["mailPasses"];
    ASSERT_EQ(show({ "--json", "127.0.0.151", "--show-secrets" }), 0);
    const auto clear = settings()["mailPasses"];
    ASSERT_EQ(clear.size(), 8u);
    EXPECT_EQ(clear[1], "p@ss~2");
    for (size_t i = 0; i < clear.size(); ++i)
        EXPECT_EQ(masked[i], clear[i] == "" ? "" : "*") << i;

    ASSERT_EQ(show({ "127.0.0.151" }), 0);
    EXPECT_EQ(m_out.str().find("p@ss~2"), std::string::npos) << m_out.str();
}

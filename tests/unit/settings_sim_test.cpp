// The settings reader and messages against the simulator's text-protocol units on loopback.
#include "core/platform/bind_address.h"
#include "core/settings/credential_scramble.h"
#include "core/settings/settings_kind_reader.h"
#include "core/settings/settings_message.h"
#include "core/settings/settings_reader.h"
#include "core/settings/settings_transport.h"
#include "core/units/unit_table.h"
#include "sim_test_client.h"
#include "text_unit.h"

#include <gtest/gtest.h>

using namespace kovra;

namespace {

class SettingsWithSimulator : public testing::Test {
protected:
    void SetUp() override { setBindAddress(makeIpv4(127, 0, 0, 1)); }

    static UnitSlot slotAt(const std::string& ipText, int kind)
    {
        UnitSlot slot;
        slot.record.ipText = ipText;
        slot.record.kind = kind;
        slot.record.configBlock0.fill(0xEE); // left from an earlier unit in this slot
        slot.record.configBlock(5).fill(0xEE);
        return slot;
    }
};

struct KindCase {
    const char* name;
    std::string unit; // fleet entry at "$1"
    int kind;
    int sketchVersion;
    int textVersion;
    uint16_t port;
    const char* request;
};

class TextUnitRead : public SettingsWithSimulator, public testing::WithParamInterface<KindCase> { };

TEST_P(TextUnitRead, ListReadTakesVersionsAndPort)
{
    const auto& c = GetParam();
    simtest::LoopbackFleet fleet(c.unit);
    UnitSlot slot = slotAt(fleet.address(1), c.kind);
    ASSERT_TRUE(readUnitParametersForList(slot));
    EXPECT_EQ(slot.settings.sketchVersion, c.sketchVersion);
    EXPECT_EQ(slot.settings.textVersion, c.textVersion);
    EXPECT_EQ(slot.record.unitPort(), c.port);
    EXPECT_EQ(slot.record.configBlock(5)[0], 0); // the binary records were cleared first
    EXPECT_EQ(slot.record.configBlock0[0], 0);
    if (c.request) {
        EXPECT_NE(fleet.log().find(std::string("\"request\":\"") + c.request + "\""), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, TextUnitRead,
    testing::Values(
        KindCase { "WifiKind3", R"({ "kind": 3, "address": "$1", "model": 1 })", 3, 127, 2, 10001, "DUMP" },
        KindCase { "Kovra4Kind5New", R"({ "kind": 5, "address": "$1", "model": 25, "port": 10003 })", 5, 104,
            5, 10003, "GETPARAM" },
        KindCase { "Kovra4Kind5Old",
            R"({ "kind": 5, "address": "$1", "model": 26, "text": { "sketchVersion": 102 } })", 5, 102, 5,
            10001, "DUMP" },
        KindCase { "QxKind6", R"({ "kind": 6, "address": "$1", "model": 6 })", 6, 110, 2, 10001, "DUMP" },
        KindCase {
            "ThirdKind7", R"({ "kind": 7, "address": "$1", "model": 0 })", 7, 100, 3, 10001, "GETPARAM" },
        KindCase { "OneVersionLine",
            R"({ "kind": 3, "address": "$1", "model": 2, "text": { "versionLines": 1 } })", 3, 0, 0, 0,
            nullptr }),
    [](const testing::TestParamInfo<KindCase>& info) { return std::string(info.param.name); });

TEST_F(SettingsWithSimulator, Kind5With104GivesItsEntriesInClear)
{
    simtest::LoopbackFleet fleet(R"({ "kind": 5, "address": "$1", "model": 25,
        "text": { "parameters": { "E1USER": "line1-alert", "E1PASS": "Kv4!pass", "DO2_MD": 2 } } })");
    UnitSlot slot = slotAt(fleet.address(1), 5);
    std::string dump;
    ASSERT_EQ(ReadUnitSettings(slot, &dump), 0);
    EXPECT_EQ(slot.settings.mailUsers[0], "line1-alert");
    EXPECT_EQ(slot.settings.mailPasses[0], "Kv4!pass");
    EXPECT_EQ(slot.settings.mailUsers[1], "di2-alert");
    EXPECT_EQ(slot.settings.doMode[1], 2);
    EXPECT_EQ(slot.record.modelIndex, 25);
    // On the wire the credentials were scrambled: the dump holds them as they came.
    EXPECT_EQ(dump.find("line1-alert"), std::string::npos);
    EXPECT_NE(dump.find("E1USER\r\n"), std::string::npos);
}

TEST_F(SettingsWithSimulator, MessageIsKeptAndTheUnitRestartsOnItsNewPort)
{
    simtest::LoopbackFleet fleet(R"({ "kind": 5, "address": "$1", "model": 25 })");
    MailEntry entry { 1, "mx.example.jp", 25, "new user", "n3w-pass", "a@x", "b@x", "", "S" };
    SettingsMessage message;
    message.pair("PORT1", 10020, LineEnd::Crlf);
    appendEntryBlock(message, 2, entry, true, drawEntryPads());
    message.end(LineEnd::Crlf);
    ASSERT_EQ(sendSettingsMessageTo(fleet.address(1), kSettingsPort, message.text()), 0);
    ASSERT_TRUE(fleet.waitUntilUp());
    EXPECT_NE(fleet.log().find("\"restart\""), std::string::npos);

    UnitSlot slot = slotAt(fleet.address(1), 5);
    ASSERT_TRUE(readUnitParametersForList(slot));
    EXPECT_EQ(slot.record.unitPort(), 10020);
    EXPECT_EQ(slot.settings.mailUsers[1], "new"); // the user name's space ends what is carried
    EXPECT_EQ(slot.settings.mailPasses[1], "n3w-pass");
    EXPECT_EQ(slot.settings.mailHosts[1], "mx.example.jp");
    auto& unit = dynamic_cast<sim::TextUnit&>(fleet.simulator().unit(0));
    EXPECT_EQ(unit.tcpPorts(), (std::vector<uint16_t> { 10020, kSettingsPort }));
}

TEST_F(SettingsWithSimulator, EntryTestKeepsTheUnitUp)
{
    simtest::LoopbackFleet fleet(R"({ "kind": 7, "address": "$1", "model": 0 })");
    MailEntry entry { 1, "mx", 25, "u", "p", "a@x", "b@x", "", "S" };
    ASSERT_EQ(sendSettingsMessageTo(
                  fleet.address(1), kSettingsPort, entryMailTestMessage(1, entry, drawEntryPads())),
        0);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_TRUE(fleet.simulator().isUp(0));
    const std::string log = fleet.log();
    EXPECT_EQ(log.find("\"restart\""), std::string::npos);
    EXPECT_NE(log.find("\"request\":\"mailTest\""), std::string::npos);
    auto& unit = dynamic_cast<sim::TextUnit&>(fleet.simulator().unit(0));
    EXPECT_EQ(unit.parameter("E1USER"), "u");
    EXPECT_EQ(unit.parameter("M1HOST"), "mx");
}

} // namespace

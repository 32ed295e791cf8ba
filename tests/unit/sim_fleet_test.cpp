// Reading and checking fleet files, and the built-in demo fleet that other tests and the demo use.
#include "address_text.h"
#include "demo_fleet.h"
#include "sim_test_client.h"

#include <algorithm>
#include <functional>
#include <set>

namespace {

struct FleetErrorCase {
    const char* label;
    std::string fleet;
    const char* error; // a part of the message
};

class SimFleetError : public ::testing::TestWithParam<FleetErrorCase> { };

TEST_P(SimFleetError, IsRefusedWithAMessageNamingTheField)
{
    sim::FleetConfig fleet;
    std::string error;
    EXPECT_FALSE(fleet.parse(GetParam().fleet, error));
    EXPECT_NE(error.find(GetParam().error), std::string::npos) << error;
}

#define UNIT(fields) "{ \"units\": [ { \"address\": \"203.0.113.10\", " fields " } ] }"

INSTANTIATE_TEST_SUITE_P(Fleets, SimFleetError,
    ::testing::Values(FleetErrorCase { "notJson", "units:", "not a JSON object" },
        FleetErrorCase { "noUnits", R"({ "units": [] })", "units must be a non-empty list" },
        FleetErrorCase { "unknownFleetField", R"({ "units": [ { "address": "203.0.113.10" } ], "speed": 1 })",
            "unknown fleet field \"speed\"" },
        FleetErrorCase { "discoveryPortZero",
            R"({ "discoveryPort": 0, "units": [ { "address": "203.0.113.10" } ] })", "discoveryPort" },
        FleetErrorCase {
            "missingAddress", R"({ "units": [ { "kind": 0 } ] })", "units[0]: address is missing" },
        FleetErrorCase {
            "shortAddress", R"({ "units": [ { "address": "203.0.113" } ] })", "address must be" },
        FleetErrorCase {
            "addressPartTooLarge", R"({ "units": [ { "address": "203.0.113.256" } ] })", "address must be" },
        FleetErrorCase { "brokenMask", UNIT("\"mask\": \"255.0.255.0\""), "unbroken" },
        FleetErrorCase { "kindOutOfRange", UNIT("\"kind\": 8"), "kind must be an integer 0..7" },
        FleetErrorCase { "kind2NotY1", UNIT("\"kind\": 2, \"typePair\": \"X1\""), "must be \"Y1\"" },
        FleetErrorCase {
            "kind2HttpOnTunnelPort", UNIT("\"kind\": 2, \"httpPort\": 10001"), "httpPort must differ" },
        FleetErrorCase { "kind1WithoutX6", UNIT("\"kind\": 1, \"typePair\": \"X1\""), "type pair \"X6\"" },
        FleetErrorCase { "kind1WithoutGc", UNIT("\"kind\": 1, \"firmware\": \"V1.00\""), "contains \"GC\"" },
        FleetErrorCase {
            "kind0LooksLikeKind1", UNIT("\"typePair\": \"X6\", \"firmware\": \"GC1.00\""), "is kind 1" },
        FleetErrorCase { "typePairOfOtherKind", UNIT("\"typePair\": \"_W\""), "belongs to another kind" },
        FleetErrorCase { "kind0Model7", UNIT("\"model\": 7"), "not a kind 0 model" },
        FleetErrorCase { "analogModelByOldAnswer", UNIT("\"model\": 8, \"modelAnswer\": \"uu\""),
            "cannot be told by the \"UU\" answer" },
        FleetErrorCase { "kind4Model16", UNIT("\"kind\": 4, \"model\": 16"), "not a kind 4 model" },
        FleetErrorCase {
            "kind4Model31", UNIT("\"kind\": 4, \"model\": 31"), "cannot be told by the \"MI\" answer" },
        FleetErrorCase {
            "kind4Model47", UNIT("\"kind\": 4, \"model\": 47"), "cannot be told by the \"MI\" answer" },
        FleetErrorCase { "switch16", UNIT("\"switch\": 16"), "switch must be an integer 0..15" },
        FleetErrorCase {
            "firmwareTooLong", UNIT("\"firmware\": \"12345678901234567\""), "at most 16 characters" },
        FleetErrorCase { "badMac", UNIT("\"mac\": \"00:11:22:33:44\""), "mac must be six" },
        FleetErrorCase { "record8", UNIT("\"records\": { \"8\": \"00\" }"), "not a record number" },
        FleetErrorCase { "recordTooLong", UNIT("\"records\": { \"0\": \"" + std::string(242, '0') + "\" }"),
            "at most 120" },
        FleetErrorCase {
            "writeAnswerFiveBytes", UNIT("\"writeAnswer\": \"00 00 00 C0 00\""), "four hexadecimal" },
        FleetErrorCase { "register80", UNIT("\"registers\": { \"80\": 1 }"), "below 80" },
        FleetErrorCase { "registerValue256", UNIT("\"registers\": { \"40\": 256 }"), "0..255" },
        FleetErrorCase { "unknownUnitField", UNIT("\"colour\": \"red\""), "unknown field \"colour\"" },
        FleetErrorCase { "faultMode", UNIT("\"fault\": { \"mode\": \"explode\" }"), "fault mode must be" },
        FleetErrorCase { "faultChannel", UNIT("\"fault\": { \"mode\": \"silent\", \"channels\": [\"ip\"] }"),
            "fault channels" },
        FleetErrorCase {
            "faultNegativeTimes", UNIT("\"fault\": { \"mode\": \"silent\", \"times\": -1 }"), "fault times" },
        FleetErrorCase { "duplicateAddress",
            R"({ "units": [ { "address": "203.0.113.10" }, { "address": "203.0.113.11", "dhcp": true,
                "lease": "203.0.113.10" } ] })",
            "units[1]: address 203.0.113.10 is already taken" },
        FleetErrorCase { "duplicateMac",
            R"({ "units": [ { "address": "203.0.113.10", "mac": "00:00:00:00:00:01" },
                { "address": "203.0.113.11", "mac": "00-00-00-00-00-01" } ] })",
            "units[1]: mac is already taken" }),
    [](const auto& info) { return std::string(info.param.label); });

TEST(SimFleet, KindsFillWhatTheFileLeavesOpen)
{
    sim::FleetConfig fleet;
    std::string error;
    ASSERT_TRUE(fleet.parse(R"({ "units": [ { "kind": 1, "address": "203.0.113.10", "model": 2 },
        { "kind": 0, "address": "198.18.0.10", "model": 9 }, { "kind": 4, "address": "203.0.113.11", "model": 17 } ] })",
        error))
        << error;
    const sim::UnitConfig& gc = fleet.units[0];
    EXPECT_EQ(*gc.typePair, "X6");
    EXPECT_EQ(*gc.firmware, "GC1.00");
    EXPECT_EQ(gc.modelAnswer, sim::ModelAnswer::Uu);
    EXPECT_EQ(gc.searchAnswer, sim::SearchAnswer::A);
    EXPECT_EQ(*gc.mac, (std::array<uint8_t, 6> { 0x02, 0x4B, 0x56, 0x00, 0x71, 0x0A }));
    EXPECT_EQ(gc.port, 10001);
    EXPECT_EQ(*fleet.units[1].typePair, "X1");
    EXPECT_EQ(fleet.units[1].modelAnswer, sim::ModelAnswer::Mi);
    EXPECT_EQ(*fleet.units[1].mac, (std::array<uint8_t, 6> { 0x02, 0x4B, 0x56, 0x12, 0x00, 0x0A }));
    EXPECT_EQ(*fleet.units[2].typePair, "X5");
    EXPECT_EQ(fleet.discoveryPort, 30718);
}

TEST(SimFleet, SimulatorCompletesAFleetBuiltInCodeAndRefusesABadOne)
{
    sim::FleetConfig fleet;
    fleet.discoveryPort = simtest::freeUdpPort();
    sim::UnitConfig unit;
    ASSERT_TRUE(sim::AddressText::parse(simtest::loopbackBase() + "10", unit.address));
    fleet.units.push_back(unit);
    std::FILE* sink = std::fopen("/dev/null", "w");
    sim::RequestLog log(sink);
    std::string error;
    {
        sim::Simulator simulator(fleet, log);
        ASSERT_EQ(simulator.start(error), 0) << error;
        EXPECT_EQ(*simulator.unit(0).config().typePair, "X1");
        EXPECT_TRUE(simulator.unit(0).config().mac);
    }
    fleet.units[0].kind = 8;
    sim::Simulator simulator(fleet, log);
    EXPECT_EQ(simulator.start(error), EINVAL);
    EXPECT_EQ(error, "units[0]: kind 8 is not simulated");
    std::fclose(sink);
}

// Other tests and the demo rely on what the demo fleet holds.
TEST(SimFleet, DemoFleetHoldsEveryNamedModelAndTheOddCases)
{
    sim::FleetConfig fleet;
    std::string error;
    ASSERT_TRUE(fleet.parse(sim::demoFleetText(), error)) << error;
    std::set<int> models;
    std::set<int> kinds;
    int otherSubnet = 0;
    int otherPort = 0;
    int silentModel = 0;
    int gc = 0;
    int x6WithoutGc = 0;
    int switchF = 0;
    int dhcp = 0;
    int scrambledEntries = 0;
    uint32_t pcSubnet = 0;
    uint32_t secondSubnet = 0;
    sim::AddressText::parse("203.0.113.0", pcSubnet);
    sim::AddressText::parse("198.18.0.0", secondSubnet);
    for (const sim::UnitConfig& unit : fleet.units) {
        models.insert(unit.model);
        kinds.insert(unit.kind);
        const uint32_t subnet = unit.address & 0xFFFFFF00u;
        const uint32_t host = unit.address & 0xFFu;
        EXPECT_TRUE((subnet == pcSubnet || subnet == secondSubnet) && host >= 3 && host <= 254)
            << unit.label();
        otherSubnet += subnet == secondSubnet;
        otherPort += unit.port != sim::UnitConfig::kDefaultPort;
        silentModel += unit.modelAnswer == sim::ModelAnswer::None;
        gc += unit.kind == 1 && *unit.typePair == "X6" && unit.firmware->find("GC") != std::string::npos;
        x6WithoutGc += unit.kind == 0 && *unit.typePair == "X6";
        switchF += unit.unitSwitch == 15;
        dhcp += unit.dhcp;
        scrambledEntries += unit.kind == 5 && unit.text.sketchVersion == 104;
    }
    EXPECT_EQ(models,
        (std::set<int> { 0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 17, 19, 20, 21, 22, 25, 26, 27, 32 }));
    EXPECT_EQ(kinds, (std::set<int> { 0, 1, 2, 3, 4, 5, 6, 7 }));
    EXPECT_GE(scrambledEntries, 1);
    EXPECT_EQ(otherSubnet, 1);
    EXPECT_GE(otherPort, 1);
    EXPECT_GE(silentModel, 1);
    EXPECT_GE(gc, 1);
    EXPECT_GE(x6WithoutGc, 1);
    EXPECT_GE(switchF, 1);
    EXPECT_GE(dhcp, 1);
}

// Every path of the other-settings button, and the cases around it, has a demo unit to try it on.
TEST(SimFleet, DemoFleetHasAUnitForEveryOtherSettingsPath)
{
    sim::FleetConfig fleet;
    std::string error;
    ASSERT_TRUE(fleet.parse(sim::demoFleetText(), error)) << error;
    const auto has = [&](const std::function<bool(const sim::UnitConfig&)>& fits) {
        return std::any_of(fleet.units.begin(), fleet.units.end(), fits);
    };
    const auto wifi = [&](const std::function<bool(int)>& version) {
        return has([&](const sim::UnitConfig& u) { return u.kind == 3 && version(u.text.sketchVersion); });
    };
    const auto analog = [](int model) { return model >= 8 && model <= 12; };
    EXPECT_TRUE(has([](const sim::UnitConfig& u) { return u.kind == 6; })) << "UDP keep-alive";
    for (int model : { 8, 9, 10, 11, 12, 32 })
        EXPECT_TRUE(has([&](const sim::UnitConfig& u) { return u.model == model; }))
            << "analog model " << model;
    for (int kind : { 4, 5, 7 })
        EXPECT_TRUE(has([&](const sim::UnitConfig& u) { return u.kind == kind && u.model != 32; }))
            << "DO modes on kind " << kind;
    EXPECT_TRUE(has([](const sim::UnitConfig& u) { return u.kind == 5 && u.model == 32; }))
        << "analog kind 5";
    EXPECT_TRUE(wifi([](int v) { return v == 99; })) << "keep-alive with Wi-Fi at 0.99";
    EXPECT_TRUE(wifi([](int v) { return v > 110 && v <= 118; })) << "keep-alive without Wi-Fi";
    EXPECT_TRUE(wifi([](int v) { return v > 126; })) << "keep-alive with Wi-Fi and E_RST";
    EXPECT_TRUE(wifi([](int v) { return v == 105; })) << "no other functions";
    for (int kind : { 0, 1, 2 })
        EXPECT_TRUE(has([&](const sim::UnitConfig& u) { return u.kind == kind && !analog(u.model); }))
            << "keep-alive time on kind " << kind;
    EXPECT_TRUE(has([](const sim::UnitConfig& u) { return u.kind == 7 && u.unitSwitch != 15; }))
        << "kind 7 off switch F";
    EXPECT_TRUE(has([](const sim::UnitConfig& u) {
        const auto& p = u.text.parameters;
        return u.kind == 5 && u.text.sketchVersion == 102
            && std::find(p.begin(), p.end(), std::make_pair(std::string("SOCK"), nlohmann::json(3)))
            != p.end();
    })) << "Modbus TCP on a kind 5 unit at 1.02";
}

} // namespace

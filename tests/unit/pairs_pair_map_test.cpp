#include "core/functions/extension_setup_image.h"
#include "core/pairs/fleet_connections.h"
#include "core/pairs/pair_map.h"

#include <gtest/gtest.h>

using namespace kovra;

namespace {

using Faults = std::vector<LinkFault>;
constexpr int kNone = UnitConnections::kNone;

// A unit at 10.0.0.n with two DIs mirrored onto the peer's DOs 1 and 2, two DOs that take
// what arrives, waiting on 10001, TCP.
UnitConnections unitAt(int n)
{
    UnitConnections unit;
    unit.address = "10.0.0." + std::to_string(n);
    unit.diCount = 2;
    unit.doCount = 2;
    unit.listening = { { 1, 10001 } };
    unit.diToPeerDo.fill(kNone);
    unit.diToPeerDo[0] = 0;
    unit.diToPeerDo[1] = 1;
    unit.doFromPeerDi.fill(kNone);
    return unit;
}

UnitConnections linkedTo(int n, int peer, int port = 10001)
{
    UnitConnections unit = unitAt(n);
    unit.destinations = { { 1, "10.0.0." + std::to_string(peer), port } };
    return unit;
}

struct MapCase {
    const char* name;
    std::vector<UnitConnections> units;
    // Per link, in map order: its faults and the peer DOs behind a clash.
    std::vector<Faults> faults;
    std::vector<std::vector<int>> clashedOutputs = {};
};

class PairMapFaults : public ::testing::TestWithParam<MapCase> { };

TEST_P(PairMapFaults, NamesEachFaultOfEachLink)
{
    const MapCase& c = GetParam();
    const auto links = buildPairMap(c.units);
    ASSERT_EQ(links.size(), c.faults.size());
    for (size_t i = 0; i < links.size(); ++i) {
        EXPECT_EQ(links[i].faults, c.faults[i]) << "link " << i << ": " << verdictText(links[i]);
        const auto clashed = i < c.clashedOutputs.size() ? c.clashedOutputs[i] : std::vector<int> {};
        EXPECT_EQ(links[i].clashedOutputs, clashed) << "link " << i;
    }
}

std::vector<MapCase> mapCases()
{
    std::vector<MapCase> cases;
    cases.push_back({ "both ways ok", { linkedTo(1, 2), linkedTo(2, 1) }, { {}, {} } });
    cases.push_back({ "peer missing", { linkedTo(1, 9) }, { { LinkFault::PeerMissing } } });
    {
        auto named = linkedTo(1, 2);
        named.destinations[0].host = "unit-two"; // names are not resolved
        cases.push_back({ "host name", { named, unitAt(2) }, { { LinkFault::PeerMissing } } });
    }
    cases.push_back(
        { "wrong port", { linkedTo(1, 2, 10002), unitAt(2) }, { { LinkFault::PeerNotListening } } });
    {
        auto udp = unitAt(2);
        udp.transport = LinkTransport::Udp;
        cases.push_back({ "udp peer", { linkedTo(1, 2), udp }, { { LinkFault::ModeMismatch } } });
        auto modbus = unitAt(2);
        modbus.transport = LinkTransport::ModbusTcp;
        cases.push_back({ "modbus peer", { linkedTo(1, 2), modbus }, { { LinkFault::ModeMismatch } } });
        auto udpBoth = linkedTo(1, 2);
        udpBoth.transport = LinkTransport::Udp;
        cases.push_back({ "udp on both ends", { udpBoth, udp }, { {} } });
    }
    {
        auto twice = linkedTo(1, 2);
        twice.diToPeerDo[1] = 0;
        cases.push_back({ "two own inputs to one output", { twice, unitAt(2) },
            { { LinkFault::MappingClash } }, { { 0 } } });
    }
    {
        // 1 and 3 both drive DO1 and DO2 of unit 2: both links clash.
        cases.push_back({ "two units to one output", { linkedTo(1, 2), unitAt(2), linkedTo(3, 2) },
            { { LinkFault::MappingClash }, { LinkFault::MappingClash } }, { { 0, 1 }, { 0, 1 } } });
    }
    {
        auto far = linkedTo(1, 2);
        far.choosesPeerDo = true;
        far.diToPeerDo[1] = 4;
        cases.push_back({ "chosen output the peer lacks", { far, unitAt(2) }, { { LinkFault::MappingClash } },
            { { 4 } } });
        auto wide = linkedTo(1, 2); // a mirror of more DIs than the peer has DOs
        wide.diCount = 4;
        wide.diToPeerDo[2] = 2;
        wide.diToPeerDo[3] = 3;
        cases.push_back({ "mirrored inputs beyond the peer's outputs", { wide, unitAt(2) }, { {} } });
    }
    {
        auto choosing = unitAt(2);
        choosing.choosesDoSource = true;
        choosing.doFromPeerDi[0] = 0;
        choosing.doFromPeerDi[1] = 1;
        cases.push_back({ "chosen sources all fed", { linkedTo(1, 2), choosing }, { {} } });
        auto crossed = choosing;
        crossed.doFromPeerDi[0] = 1; // DO1 waits for DI2, which drives DO2
        crossed.doFromPeerDi[1] = kNone;
        cases.push_back(
            { "DO fed by nobody", { linkedTo(1, 2), crossed }, { { LinkFault::MappingClash } }, { { 0 } } });
        auto silent = linkedTo(1, 2);
        silent.diToPeerDo.fill(kNone);
        cases.push_back({ "DOs waiting for a unit that sends nothing", { silent, choosing },
            { { LinkFault::MappingClash } }, { { 0, 1 } } });
        // A link that does not deliver is not blamed for the DOs it leaves unfed.
        cases.push_back({ "unfed behind a wrong port", { linkedTo(1, 2, 10009), choosing },
            { { LinkFault::PeerNotListening } } });
    }
    {
        auto doubled = unitAt(2);
        doubled.listening.push_back({ 2, 10001 });
        cases.push_back({ "peer waits twice on the port", { linkedTo(1, 2), doubled },
            { { LinkFault::DuplicatePorts } } });
        auto ownDoubled = linkedTo(1, 2);
        ownDoubled.listening.push_back({ 3, 10001 });
        cases.push_back({ "own port doubled", { ownDoubled, unitAt(2) }, { { LinkFault::DuplicatePorts } } });
    }
    {
        auto udp = unitAt(2);
        udp.transport = LinkTransport::Udp;
        udp.listening.push_back({ 2, 10001 });
        auto twice = linkedTo(1, 2);
        twice.diToPeerDo[1] = 0;
        cases.push_back({ "mode mismatch skips the mapping", { twice, udp },
            { { LinkFault::ModeMismatch, LinkFault::DuplicatePorts } } });
    }
    {
        auto self = linkedTo(1, 1);
        cases.push_back({ "a unit linked to itself", { self }, { {} } });
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(
    Table, PairMapFaults, ::testing::ValuesIn(mapCases()), [](const ::testing::TestParamInfo<MapCase>& info) {
        std::string name;
        for (const char* c = info.param.name; *c; ++c)
            name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        return name;
    });

TEST(PairMapTexts, VerdictAndMapping)
{
    auto twice = linkedTo(1, 2);
    twice.diToPeerDo[1] = 0;
    auto udp = unitAt(2);
    udp.transport = LinkTransport::Udp;
    udp.listening.push_back({ 2, 10001 });
    const auto links
        = buildPairMap({ linkedTo(1, 2), unitAt(2), twice, linkedTo(4, 9), linkedTo(5, 6), udp });
    ASSERT_EQ(links.size(), 4u);
    EXPECT_EQ(mappingText(links[0].mapping), "DI1→DO1 DI2→DO2");
    EXPECT_EQ(verdictText(links[0]), "mapping clash (DO1)");
    EXPECT_EQ(mappingText(links[1].mapping), "DI1→DO1 DI2→DO1");
    EXPECT_EQ(verdictText(links[2]), "peer missing");
    EXPECT_EQ(verdictText(links[3]), "peer missing");
    EXPECT_EQ(mappingText({}), "-");
}

// What the units of each kind say about their connections, from what the search read.
TEST(PairMapUnitConnections, ByKind)
{
    UnitSlot kovra4;
    kovra4.record.kind = kKindKovra4;
    kovra4.record.modelIndex = 25; // 2 DI, 2 DO
    kovra4.record.ipText = "10.0.0.1";
    kovra4.settings.ports = { 10001, 10002, 0, 10001 };
    kovra4.settings.remoteHosts = { " 10.0.0.2 ", "0.0.0.0", "", "10.0.0.3" };
    kovra4.settings.remotePorts = { 10001, 5, 0, 10004 };
    kovra4.settings.diExtension = { 1, 9, 0, 0, 0, 0, 0, 0 }; // 9 is no DO: none
    kovra4.settings.doExtension = { -1, 0, 3, 3, 3, 3, 3, 3 };
    const auto four = unitConnections(kovra4);
    ASSERT_EQ(four.listening.size(), 3u);
    EXPECT_EQ(four.listening[2].connection, 4);
    ASSERT_EQ(four.destinations.size(), 2u);
    EXPECT_EQ(four.destinations[0].host, "10.0.0.2");
    EXPECT_EQ(four.destinations[1].connection, 4);
    EXPECT_EQ(four.diToPeerDo[0], 1);
    EXPECT_EQ(four.diToPeerDo[1], kNone);
    EXPECT_EQ(four.diToPeerDo[2], kNone); // beyond the DI count
    EXPECT_TRUE(four.choosesDoSource);
    EXPECT_TRUE(four.choosesPeerDo);
    EXPECT_EQ(four.doFromPeerDi[1], 0);
    EXPECT_EQ(four.doFromPeerDi[2], kNone);

    kovra4.settings.sockMode = 3;
    const auto modbus = unitConnections(kovra4);
    EXPECT_EQ(modbus.transport, LinkTransport::ModbusTcp);
    EXPECT_TRUE(modbus.destinations.empty());

    UnitSlot third; // kind 7 without mapping controls: its DIs mirror, whatever it holds
    third.record.kind = kKindThirdName;
    third.record.modelIndex = 0; // 3 DI, 2 DO
    third.settings.diExtension.fill(0);
    const auto mirrored = unitConnections(third);
    EXPECT_EQ(mirrored.diToPeerDo[1], 1);
    EXPECT_EQ(mirrored.diToPeerDo[2], 2);
    EXPECT_FALSE(mirrored.choosesDoSource);
    EXPECT_FALSE(mirrored.choosesPeerDo);

    UnitSlot qx;
    qx.record.kind = kKindQx;
    qx.record.modelIndex = 6;
    qx.settings.ports = { 10001, 10002, 0, 0 }; // only connection 1 counts on this kind
    qx.settings.remoteHosts = { "10.0.0.5", "10.0.0.6", "", "" };
    qx.settings.sockMode = 1;
    const auto one = unitConnections(qx);
    EXPECT_EQ(one.transport, LinkTransport::Udp);
    EXPECT_EQ(one.listening.size(), 1u);
    EXPECT_EQ(one.destinations.size(), 1u);
}

// The binary kinds from their setup image: connection 1 always waits, the others as their role
// bytes say; connections 3,4 only on kinds 1 and 4; the request code by model.
TEST(PairMapUnitConnections, BinaryKindsFromTheirRecords)
{
    struct Case {
        const char* name;
        int kind;
        int model;
        std::array<uint8_t, 3> roles;
        std::vector<int> listening; // connection numbers
        std::vector<int> requesting;
    };
    const Case cases[] = {
        { "connection 1 waits without its wait bits", kKindWired, 0, { 0x01, 0x00, 0xC0 }, { 1 }, { 1 } },
        { "connection 2 waits and requests", kKindWired, 0, { 0xC0, 0xF1, 0xC0 }, { 1, 2 }, { 2 } },
        { "connections 3,4 on kind 1", kKindWiredGc, 6, { 0xC0, 0x00, 0xC0 }, { 1, 3 }, {} },
        { "connections 3,4 on kind 4", kKindNewerWired, 17, { 0xC0, 0xC0, 0xC0 }, { 1, 2, 3 }, {} },
        { "request code 5 on model 3", kKindWired, 3, { 0xC5, 0xC1, 0x00 }, { 1, 2 }, { 1 } },
    };
    for (const Case& c : cases) {
        UnitSlot slot;
        slot.record.kind = c.kind;
        slot.record.modelIndex = c.model;
        ExtensionSetupImage image;
        image.ownPorts = { 10001, 10002, 10034 };
        image.roles = c.roles;
        image.destinations = { makeIpv4(10, 0, 0, 2), makeIpv4(10, 0, 0, 3) };
        image.destinationPorts = { 10001, 10002 };
        writeExtensionSetupImage(slot.record, image);
        const auto unit = unitConnections(slot);
        std::vector<int> listening;
        for (const auto& port : unit.listening)
            listening.push_back(port.connection);
        std::vector<int> requesting;
        for (const auto& destination : unit.destinations)
            requesting.push_back(destination.connection);
        EXPECT_EQ(listening, c.listening) << c.name;
        EXPECT_EQ(requesting, c.requesting) << c.name;
    }

    UnitSlot noDestination; // a requesting role without an address names no peer
    noDestination.record.kind = kKindWired;
    ExtensionSetupImage image;
    image.ownPorts = { 10001, 0, 0 };
    image.roles = { 0xC1, 0, 0 };
    writeExtensionSetupImage(noDestination.record, image);
    EXPECT_TRUE(unitConnections(noDestination).destinations.empty());
}

} // namespace

namespace {

// Only the units that keep their connections in stored records are asked for them, only the
// Wi-Fi modules for their tunnel; those that cannot be read are named and still mapped.
TEST(PairMapFleetConnections, AsksEachKindForWhatItKeepsElsewhere)
{
    std::vector<UnitSlot> slots(6);
    const int kinds[]
        = { kKindWired, kKindWiredGc, kKindNewerWired, kKindKovra4, kKindWifiModule, kKindWifiModule };
    for (size_t i = 0; i < slots.size(); ++i) {
        slots[i].record.kind = kinds[i];
        slots[i].record.ipText = "10.0.0." + std::to_string(i + 1);
    }
    std::vector<std::string> asked;
    ConnectionReaders readers;
    readers.records = [&asked](UnitRecord& unit) {
        asked.push_back(unit.ipText);
        return unit.kind != kKindWiredGc;
    };
    readers.tunnel = [&asked](const UnitRecord& unit, TunnelConnect& tunnel) {
        asked.push_back("tunnel " + unit.ipText);
        tunnel = { true, "10.0.0.1", 10001 };
        return unit.ipText == "10.0.0.5";
    };
    const auto fleet = readFleetConnections(slots, readers);
    EXPECT_EQ(asked,
        (std::vector<std::string> {
            "10.0.0.1", "10.0.0.2", "10.0.0.3", "tunnel 10.0.0.5", "tunnel 10.0.0.6" }));
    EXPECT_EQ(fleet.unread, (std::vector<std::string> { "10.0.0.2", "10.0.0.6" }));
    ASSERT_EQ(fleet.units.size(), slots.size());
    ASSERT_EQ(fleet.units[4].destinations.size(), 1u);
    EXPECT_EQ(fleet.units[4].destinations[0].host, "10.0.0.1");
    EXPECT_TRUE(fleet.units[5].destinations.empty());
}

} // namespace

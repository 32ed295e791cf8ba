#include "core/net/discovery.h"
#include "core/net/discovery_messages.h"
#include "core/net/setup_record_writer.h"
#include "core/net/unit_classifier.h"
#include "core/platform/bind_address.h"
#include "core/platform/socket_error.h"
#include "net_fake_units.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <thread>

using namespace kovra;
using namespace kovra::test;

namespace {

using Clock = std::chrono::steady_clock;

const Bytes kRequestA { 0x00, 0x00, 0x00, 0xF6 };
const Bytes kRequestB { 'L', 'N' };

Bytes searchAnswer(const char* pair, uint8_t macLast = 0x56)
{
    Bytes answer(kSearchAnswerSize, 0);
    answer[8] = uint8_t(pair[0]);
    answer[9] = uint8_t(pair[1]);
    const uint8_t mac[] = { 0x00, 0x80, 0x4C, 0x12, 0x34, macLast };
    std::copy(std::begin(mac), std::end(mac), answer.begin() + 24);
    return answer;
}

Bytes recordQueryBytes(int n)
{
    return { 0x00, 0x00, 0x00, uint8_t(0xE0 + n) };
}

// A record's answer: its size, every byte `fill`.
Bytes recordAnswer(int n, uint8_t fill)
{
    return Bytes(n == 0 ? 124 : 130, fill);
}

// A wired unit that answers the search with `pair`, and the record queries of the
// records listed (record n filled with byte 0x10 + n) and the firmware query.
FakeDiscoveryUnit::Script wiredUnit(
    const char* pair, std::vector<int> records, const char* firmware = nullptr)
{
    return [=](const Bytes& request) -> std::vector<Bytes> {
        if (request == kRequestA)
            return { searchAnswer(pair) };
        for (int n : records)
            if (request == recordQueryBytes(n))
                return { recordAnswer(n, uint8_t(0x10 + n)) };
        if (firmware && request == Bytes { 0x00, 0x00, 0x00, 0xF4 }) {
            Bytes answer(33, 0);
            std::copy(firmware, firmware + std::strlen(firmware), answer.begin() + 16);
            return { answer };
        }
        return {};
    };
}

// Requests A and B, once per round of the search.
std::vector<Bytes> searchRequestRounds()
{
    std::vector<Bytes> requests;
    for (int round = 0; round < kSearchRequestRounds; ++round) {
        requests.push_back(kRequestA);
        requests.push_back(kRequestB);
    }
    return requests;
}

class DiscoveryTest : public testing::Test {
protected:
    void SetUp() override { setBindAddress(makeIpv4(127, 0, 0, 1)); }
};

// --- Search and add-by-address ---

TEST_F(DiscoveryTest, SearchStoresAcceptedAnswersAndRejectedOnesLeaveTheirSlot)
{
    // The unit answers request A with an unlisted pair, then an accepted one; request B
    // with another accepted one: the rejected answer is not counted.
    FakeDiscoveryUnit unit(nextLoopbackAddress(), [](const Bytes& request) -> std::vector<Bytes> {
        if (request == kRequestA)
            return { searchAnswer("ZZ", 1), searchAnswer("X2", 2) };
        if (request == kRequestB)
            return { searchAnswer("_W", 3) };
        return {};
    });
    UnitTable table;
    table.record(5).ipText = "left over";
    table.accept();

    const auto start = Clock::now();
    EXPECT_EQ(searchUnits(table, unit.address()), 2);
    const auto elapsed = Clock::now() - start;

    ASSERT_EQ(table.unitCount(), 2) << "the search empties the table first";
    EXPECT_EQ(table.record(0).typePair(), "X2");
    EXPECT_EQ(table.record(0).mac[5], 2);
    EXPECT_EQ(table.record(1).typePair(), "_W");
    EXPECT_EQ(table.record(1).ipText, ipv4ToText(unit.address()));
    EXPECT_EQ(table.record(1).peerPort, kDiscoveryPort);
    EXPECT_EQ(table.record(5).ipText, "");
    // The requests go out in rounds; the units' repeated answers are stored once.
    EXPECT_EQ(unit.requests(), searchRequestRounds());
    // It ends 1 s after the last answer, not after the 5 s first wait.
    EXPECT_GE(elapsed, std::chrono::milliseconds(950));
    EXPECT_LT(elapsed, std::chrono::milliseconds(3000));
}

TEST_F(DiscoveryTest, SearchKeepsAtMost256Units)
{
    FakeDiscoveryUnit unit(nextLoopbackAddress(), [](const Bytes& request) -> std::vector<Bytes> {
        if (request != kRequestA && request != kRequestB)
            return {};
        // 130 units answer each request, each with a hardware address of its own.
        std::vector<Bytes> answers;
        for (int i = 0; i < 130; ++i)
            answers.push_back(searchAnswer("X1", uint8_t(request == kRequestA ? i : 130 + i)));
        return answers;
    });
    UnitTable table;
    EXPECT_EQ(searchUnits(table, unit.address()), kMaxUnits);
    EXPECT_TRUE(table.full());
    EXPECT_EQ(table.record(kMaxUnits - 1).typePair(), "X1");

    // A full table refuses the next add without sending anything.
    FakeDiscoveryUnit other(nextLoopbackAddress(), wiredUnit("X1", {}));
    EXPECT_EQ(queryUnit(table, other.address()), -1);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_TRUE(other.requests().empty());
}

// A unit that lets the first `ignored` requests of each kind pass unanswered, as when a
// datagram is lost on the way; the later ones it answers as `script` does.
FakeDiscoveryUnit::Script losingFirst(int ignored, FakeDiscoveryUnit::Script script)
{
    auto seen = std::make_shared<std::map<Bytes, int>>();
    return [=](const Bytes& request) -> std::vector<Bytes> {
        if ((*seen)[request]++ < ignored)
            return {};
        return script(request);
    };
}

struct LostDatagramCase {
    const char* name;
    int ignored;
    bool found;
};

class LostDatagrams : public DiscoveryTest, public testing::WithParamInterface<LostDatagramCase> { };

// Asked again within the same waits: one or two lost answers lose nothing, three do.
TEST_P(LostDatagrams, AreAskedForAgainWithinTheSameWait)
{
    const auto& c = GetParam();
    FakeDiscoveryUnit unit(nextLoopbackAddress(), losingFirst(c.ignored, wiredUnit("X1", { 0, 5 }, "V1.0")));
    UnitTable table;
    EXPECT_EQ(searchUnits(table, unit.address()), c.found ? 1 : 0);
    UnitRecord record;
    record.peerAddress = unit.address();
    const auto start = Clock::now();
    EXPECT_EQ(queryRecord(record, 0), c.found);
    EXPECT_EQ(queryFirmware(record), c.found);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(2 * kDatagramTimeoutMs + 300)) << "same budget";
}

INSTANTIATE_TEST_SUITE_P(Counts, LostDatagrams,
    testing::Values(LostDatagramCase { "None", 0, true }, LostDatagramCase { "One", 1, true },
        LostDatagramCase { "Two", 2, true }, LostDatagramCase { "All", kQueryTries, false }),
    [](const testing::TestParamInfo<LostDatagramCase>& info) { return std::string(info.param.name); });

struct QueryUnitCase {
    const char* name;
    const char* pair; // answered first, then "X4"; nullptr: the unit stays silent
    const char* storedPair;
    bool listedAlready;
    int result;
    int unitCount;
    size_t requestsSeen;
};

class QueryUnit : public DiscoveryTest, public testing::WithParamInterface<QueryUnitCase> { };

TEST_P(QueryUnit, UnicastSearchOfOneAddress)
{
    const auto& c = GetParam();
    FakeDiscoveryUnit unit(nextLoopbackAddress(), [&](const Bytes& request) -> std::vector<Bytes> {
        if (c.pair && request == kRequestA)
            return { searchAnswer(c.pair), searchAnswer("X4") };
        return {};
    });
    UnitTable table;
    table.record(0).ipText = "127.0.0.200";
    table.accept();
    if (c.listedAlready) {
        table.record(1).ipText = ipv4ToText(unit.address());
        table.accept();
    }
    const int before = table.unitCount();

    const auto start = Clock::now();
    EXPECT_EQ(queryUnit(table, unit.address()), c.result);
    const auto elapsed = Clock::now() - start;
    EXPECT_EQ(table.unitCount(), before + c.unitCount);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(unit.requests().size(), c.requestsSeen);
    if (c.result == 1) {
        EXPECT_EQ(table.record(before).typePair(), c.storedPair) << "the first accepted answer is kept";
        EXPECT_EQ(table.record(before).ipText, ipv4ToText(unit.address()));
    }
    if (c.result == 0) { // no valid answer: one 1000 ms wait, not the search's 5000 ms
        EXPECT_LT(elapsed, std::chrono::milliseconds(2500));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, QueryUnit,
    testing::Values(QueryUnitCase { "Stored", "X6", "X6", false, 1, 1, 2 },
        QueryUnitCase { "AlreadyListedSendsNothing", "X6", "", true, -2, 0, 0 },
        // A silent unit is asked in every round of the one wait.
        QueryUnitCase { "Silent", nullptr, "", false, 0, 0, 2 * kSearchRequestRounds },
        QueryUnitCase { "UnlistedPairThenListed", "qq", "X4", false, 1, 1, 2 }),
    [](const testing::TestParamInfo<QueryUnitCase>& info) { return std::string(info.param.name); });

// --- Datagram exchange and stored records ---

TEST_F(DiscoveryTest, ExchangeAppendsDatagramsUntilTheRecordIsWhole)
{
    FakeDiscoveryUnit unit(nextLoopbackAddress(), [](const Bytes&) -> std::vector<Bytes> {
        return { Bytes(60, 0xAA), Bytes(64, 0xBB) };
    });
    UnitRecord record;
    record.peerAddress = unit.address();
    ASSERT_TRUE(queryRecord(record, 0));
    EXPECT_EQ(unit.requests(), (std::vector<Bytes> { recordQueryBytes(0) }));
    EXPECT_EQ(record.configBlock0[59], 0xAA);
    EXPECT_EQ(record.configBlock0[60], 0xBB);
    EXPECT_EQ(record.configBlock0[123], 0xBB);
}

struct RecordFailureCase {
    const char* name;
    std::vector<Bytes> answers;
    int result;
};

class ExchangeFailure : public DiscoveryTest, public testing::WithParamInterface<RecordFailureCase> { };

TEST_P(ExchangeFailure, LeavesTheStoredRecordAsItWas)
{
    const auto answers = GetParam().answers;
    FakeDiscoveryUnit unit(nextLoopbackAddress(), [=](const Bytes&) { return answers; });
    uint8_t answer[130];
    const auto query = recordQuery(3);
    EXPECT_EQ(exchange(unit.address(), query.data(), query.size(), answer, sizeof answer), GetParam().result);

    UnitRecord record;
    record.peerAddress = unit.address();
    record.configBlock(3).fill(0x77);
    EXPECT_FALSE(queryRecord(record, 3));
    for (uint8_t byte : record.configBlock(3))
        ASSERT_EQ(byte, 0x77);
}

INSTANTIATE_TEST_SUITE_P(Answers, ExchangeFailure,
    testing::Values(RecordFailureCase { "NoAnswer", {}, kSocketTimedOut },
        RecordFailureCase { "CutShort", { Bytes(100, 0x01) }, kSocketTimedOut },
        RecordFailureCase { "TooLong", { Bytes(131, 0x01) }, kSocketMessageSize }),
    [](const testing::TestParamInfo<RecordFailureCase>& info) { return std::string(info.param.name); });

TEST_F(DiscoveryTest, ExchangeWithoutAnswerBufferOnlySends)
{
    FakeDiscoveryUnit unit(nextLoopbackAddress(), [](const Bytes&) -> std::vector<Bytes> { return {}; });
    const std::array<uint8_t, 6> mac { 1, 2, 3, 4, 5, 6 };
    const auto datagram = buildAddressSet(mac, makeIpv4(203, 0, 113, 9));
    const auto start = Clock::now();
    EXPECT_EQ(exchange(unit.address(), datagram.data(), datagram.size(), nullptr, 0), 0);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(500));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(unit.requests(), (std::vector<Bytes> { Bytes(datagram.begin(), datagram.end()) }));
}

TEST_F(DiscoveryTest, WiredNetworkReadsRecords3467ThenDerivesTheAddress)
{
    FakeDiscoveryUnit unit(nextLoopbackAddress(), wiredUnit("X1", { 3, 4, 5, 6, 7 }));
    UnitRecord record;
    record.peerAddress = unit.address();
    const uint8_t address[] = { 203, 0, 113, 44 };
    std::copy(std::begin(address), std::end(address), record.configBlock0.begin() + 4);
    record.configBlock0[10] = 8;

    ASSERT_TRUE(readWiredNetwork(record));
    EXPECT_EQ(unit.requests(),
        (std::vector<Bytes> {
            recordQueryBytes(3), recordQueryBytes(4), recordQueryBytes(6), recordQueryBytes(7) }));
    EXPECT_EQ(record.configBlock(3)[0], 0x13);
    EXPECT_EQ(record.configBlock(7)[129], 0x17);
    EXPECT_EQ(record.configBlock(5)[0], 0x00) << "record 5 is not read here";
    EXPECT_FALSE(record.dhcp);
    EXPECT_EQ(record.peerAddress, makeIpv4(203, 0, 113, 44));
    EXPECT_EQ(record.subnetMask, makeIpv4(255, 255, 255, 0));
}

TEST_F(DiscoveryTest, WiredNetworkStopsAtTheFirstMissingRecord)
{
    FakeDiscoveryUnit unit(nextLoopbackAddress(), wiredUnit("X1", { 3, 4, 7 }));
    UnitRecord record;
    record.peerAddress = unit.address();
    EXPECT_FALSE(readWiredNetwork(record));
    // The missing record is asked for again within its second, then the read ends.
    EXPECT_EQ(unit.requests(),
        (std::vector<Bytes> { recordQueryBytes(3), recordQueryBytes(4), recordQueryBytes(6),
            recordQueryBytes(6), recordQueryBytes(6) }));
    EXPECT_EQ(record.peerAddress, unit.address()) << "nothing derived";
}

// --- Classification ---

// Readers that answer from a script and note the order of the calls.
class ScriptedReaders : public KindReaders {
public:
    bool portResult = true;
    bool parameterResult = true;
    std::vector<std::string> calls;

    bool readWifiModulePort(UnitSlot& slot) override
    {
        calls.push_back("port " + slot.record.typePair());
        if (portResult)
            slot.record.setUnitPort(8000);
        return portResult;
    }
    bool readUnitParameters(UnitSlot& slot) override
    {
        calls.push_back("parameters " + slot.record.typePair());
        if (parameterResult) {
            slot.settings.sketchVersion = 120;
            slot.record.setUnitPort(9000);
        }
        return parameterResult;
    }
    bool readWifiModuleNetwork(UnitSlot& slot) override
    {
        calls.push_back("network " + slot.record.typePair());
        return portResult;
    }
};

void addUnit(UnitTable& table, Ipv4 address, const char* pair)
{
    UnitRecord& record = table.record(table.unitCount());
    record.peerAddress = address;
    record.ipText = ipv4ToText(address);
    record.answerInfo[2] = uint8_t(pair[0]);
    record.answerInfo[3] = uint8_t(pair[1]);
    record.configBlock0.fill(0xEE);
    ASSERT_TRUE(table.accept());
}

TEST_F(DiscoveryTest, ClassifiesEveryKindAndRemovesUnitsThatCannotBeRead)
{
    FakeDiscoveryUnit wired(nextLoopbackAddress(), wiredUnit("X1", { 0, 5 }));
    FakeDiscoveryUnit gc(nextLoopbackAddress(), wiredUnit("X6", { 0, 5 }, "V1.2GC"));
    FakeDiscoveryUnit plainX6(nextLoopbackAddress(), wiredUnit("X6", { 0, 5 }));
    FakeDiscoveryUnit noRecord5(nextLoopbackAddress(), wiredUnit("X2", { 0 }));

    UnitTable table;
    addUnit(table, wired.address(), "X1");
    addUnit(table, makeIpv4(198, 18, 0, 7), "_L"); // not on the adapter's subnet
    addUnit(table, gc.address(), "X6");
    addUnit(table, noRecord5.address(), "X2");
    addUnit(table, makeIpv4(127, 0, 0, 250), "Y1");
    addUnit(table, makeIpv4(127, 0, 0, 251), "_T");
    addUnit(table, plainX6.address(), "X6");
    ScriptedReaders readers;

    classifyUnits(table, makeIpv4(127, 0, 0, 1), makeIpv4(255, 0, 0, 0), readers);

    EXPECT_EQ(readers.calls, (std::vector<std::string> { "parameters _T", "port Y1" })) << "last slot first";
    ASSERT_EQ(table.unitCount(), 6);
    const UnitRecord& x1 = table.record(0);
    EXPECT_EQ(x1.kind, kKindWired);
    EXPECT_TRUE(x1.sameSubnet);
    EXPECT_EQ(x1.configBlock0[0], 0x10);
    EXPECT_EQ(x1.configBlock(5)[0], 0x15);
    EXPECT_EQ(x1.configBlock(3)[0], 0x00);

    const UnitRecord& away = table.record(1);
    EXPECT_FALSE(away.sameSubnet);
    EXPECT_EQ(away.kind, kKindWired) << "units off the subnet are kept unchanged";
    EXPECT_EQ(away.configBlock0[0], 0xEE);

    EXPECT_EQ(table.record(2).kind, kKindWiredGc);
    EXPECT_EQ(table.record(2).firmwareText, "V1.2GC");

    // The X2 unit without record 5 is gone; the others moved down.
    EXPECT_EQ(table.record(3).typePair(), "Y1");
    EXPECT_EQ(table.record(3).kind, kKindWifiModule);
    EXPECT_EQ(table.record(3).configBlock0[0], 0x00) << "kind 2 clears the records";
    EXPECT_EQ(table.record(3).unitPort(), 8000);
    EXPECT_EQ(table.record(4).kind, kKindQx);
    EXPECT_EQ(table.slot(4).settings.sketchVersion, 120);
    EXPECT_EQ(table.record(5).kind, kKindWired);
    EXPECT_EQ(table.record(5).firmwareText, "") << "a failed firmware query changes nothing";
    EXPECT_EQ(plainX6.requests().back(), (Bytes { 0x00, 0x00, 0x00, 0xF4 }));
}

struct ReaderFailureCase {
    const char* pair;
    int kind;
};

class ClassifyWithFailingReaders : public DiscoveryTest,
                                   public testing::WithParamInterface<ReaderFailureCase> { };

TEST_P(ClassifyWithFailingReaders, RemovesTheUnit)
{
    UnitTable table;
    addUnit(table, makeIpv4(127, 0, 0, 240), GetParam().pair);
    addUnit(table, makeIpv4(198, 18, 0, 1), GetParam().pair);
    FailingKindReaders readers;
    classifyUnits(table, makeIpv4(127, 0, 0, 1), makeIpv4(255, 0, 0, 0), readers);
    ASSERT_EQ(table.unitCount(), 1);
    EXPECT_EQ(table.record(0).ipText, "198.18.0.1");
}

INSTANTIATE_TEST_SUITE_P(Kinds, ClassifyWithFailingReaders,
    testing::Values(ReaderFailureCase { "Y1", kKindWifiModule }, ReaderFailureCase { "_L", kKindWifi },
        ReaderFailureCase { "_W", kKindKovra4 }, ReaderFailureCase { "_T", kKindQx },
        ReaderFailureCase { "_B", kKindThirdName }));

TEST_F(DiscoveryTest, AddedUnitIsClassifiedOffTheSubnetTooAndRemovedOnFailure)
{
    FakeDiscoveryUnit unit(nextLoopbackAddress(), wiredUnit("X4", { 0, 5 }));
    UnitTable table;
    addUnit(table, makeIpv4(127, 0, 0, 230), "_W");
    addUnit(table, unit.address(), "X4");
    ScriptedReaders readers;

    // The adapter's subnet is 10.0.0.0/8: the unit is not on it, but is read all the same.
    EXPECT_TRUE(classifyAddedUnit(table, 1, makeIpv4(10, 0, 0, 1), makeIpv4(255, 0, 0, 0), readers));
    EXPECT_FALSE(table.record(1).sameSubnet);
    EXPECT_EQ(table.record(1).configBlock0[0], 0x10);

    readers.parameterResult = false;
    EXPECT_FALSE(classifyAddedUnit(table, 0, makeIpv4(127, 0, 0, 1), makeIpv4(255, 0, 0, 0), readers));
    ASSERT_EQ(table.unitCount(), 1);
    EXPECT_EQ(table.record(0).typePair(), "X4");
    EXPECT_FALSE(classifyAddedUnit(table, 1, makeIpv4(127, 0, 0, 1), makeIpv4(255, 0, 0, 0), readers));
    EXPECT_EQ(table.unitCount(), 1) << "a slot not in use is left alone";
}

struct SubnetCase {
    Ipv4 unit;
    Ipv4 adapter;
    Ipv4 mask;
    bool same;
};

class AdapterSubnet : public testing::TestWithParam<SubnetCase> { };

TEST_P(AdapterSubnet, ComparesTheMaskedAddresses)
{
    EXPECT_EQ(onAdapterSubnet(GetParam().unit, GetParam().adapter, GetParam().mask), GetParam().same);
}

INSTANTIATE_TEST_SUITE_P(Cases, AdapterSubnet,
    testing::Values(
        SubnetCase { makeIpv4(203, 0, 113, 9), makeIpv4(203, 0, 113, 1), makeIpv4(255, 255, 255, 0), true },
        SubnetCase { makeIpv4(198, 18, 0, 9), makeIpv4(203, 0, 113, 1), makeIpv4(255, 255, 255, 0), false },
        SubnetCase { makeIpv4(203, 0, 112, 9), makeIpv4(203, 0, 113, 1), makeIpv4(255, 255, 254, 0), true },
        SubnetCase {
            makeIpv4(203, 0, 113, 200), makeIpv4(203, 0, 113, 1), makeIpv4(255, 255, 255, 128), false },
        SubnetCase { makeIpv4(8, 8, 8, 8), makeIpv4(203, 0, 113, 1), 0, true }));

// --- Setup-record write-back ---

TEST_F(DiscoveryTest, SetupRecordsGoOutInOrderEachAnswered)
{
    FakeDiscoveryUnit unit(
        nextLoopbackAddress(), [](const Bytes&) -> std::vector<Bytes> { return { Bytes(4, 0) }; });
    UnitRecord record;
    record.configBlock0.fill(0x30);
    record.configBlock(3).fill(0x33);
    record.configBlock(7).fill(0x37);

    ASSERT_EQ(
        writeSetupRecords(unit.address(),
            { storedSetupRecord(record, 0), storedSetupRecord(record, 3), storedSetupRecord(record, 7) }),
        0);
    const auto requests = unit.requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].size(), 124u);
    EXPECT_EQ(Bytes(requests[0].begin(), requests[0].begin() + 5), (Bytes { 0x00, 0x01, 0x00, 0xC0, 0x30 }));
    EXPECT_EQ(requests[1].size(), 130u);
    EXPECT_EQ(Bytes(requests[1].begin(), requests[1].begin() + 5), (Bytes { 0x00, 0x01, 0x00, 0xC3, 0x33 }));
    EXPECT_EQ(Bytes(requests[2].begin(), requests[2].begin() + 5), (Bytes { 0x00, 0x00, 0x00, 0xC7, 0x37 }));
    EXPECT_EQ(record.configBlock0[0], 0x30) << "the stored copy keeps its header";
}

TEST_F(DiscoveryTest, SetupRecordSequenceEndsAtTheFirstWriteWithoutAnswer)
{
    FakeDiscoveryUnit unit(nextLoopbackAddress(), [](const Bytes& request) -> std::vector<Bytes> {
        if (request[3] == 0xC4)
            return {};
        return { Bytes(4, 0) };
    });
    UnitRecord record;
    const std::vector<SetupRecord> mail { emptySetupRecord(1), storedSetupRecord(record, 3),
        storedSetupRecord(record, 4), storedSetupRecord(record, 5), storedSetupRecord(record, 6),
        storedSetupRecord(record, 7) };
    EXPECT_EQ(writeSetupRecords(unit.address(), mail), kSocketTimedOut);
    const auto requests = unit.requests();
    ASSERT_EQ(requests.size(), 3u) << "records 5, 6 and 7 are not sent";
    EXPECT_EQ(requests[0].size(), 130u) << "record 1 goes fresh, 130 bytes";
    EXPECT_EQ(Bytes(requests[0].begin(), requests[0].begin() + 4), (Bytes { 0x00, 0x01, 0x00, 0xC1 }));
}

TEST_F(DiscoveryTest, SetupRecordOfWrongSizeSendsNothing)
{
    FakeDiscoveryUnit unit(
        nextLoopbackAddress(), [](const Bytes&) -> std::vector<Bytes> { return { Bytes(4, 0) }; });
    UnitRecord record;
    EXPECT_EQ(
        writeSetupRecords(unit.address(), { storedSetupRecord(record, 3), SetupRecord { 0, Bytes(130, 0) } }),
        -5);
    EXPECT_EQ(writeSetupRecords(unit.address(), { storedSetupRecord(record, 2) }), -5);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_TRUE(unit.requests().empty());
}

// --- Broadcasts, inside the private bench namespace only ---

TEST(BenchDiscovery, BroadcastSearchReachesEveryUnit)
{
    if (!getenv("KOVRA_NETBENCH"))
        GTEST_SKIP() << "runs inside scripts/netbench";
    setBindAddress(makeIpv4(127, 0, 0, 1));
    FakeDiscoveryUnit first(makeIpv4(127, 0, 0, 21), wiredUnit("X1", {}), true);
    FakeDiscoveryUnit second(makeIpv4(127, 0, 0, 22), wiredUnit("_W", {}), true);
    UnitTable table;
    EXPECT_EQ(searchUnits(table), 2);
    std::vector<std::string> found { table.record(0).ipText, table.record(1).ipText };
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::string> { "127.0.0.21", "127.0.0.22" }));
    EXPECT_EQ(first.requests(), searchRequestRounds());
}

TEST(BenchDiscovery, ExchangeToBroadcastDestination)
{
    if (!getenv("KOVRA_NETBENCH"))
        GTEST_SKIP() << "runs inside scripts/netbench";
    setBindAddress(makeIpv4(127, 0, 0, 1));
    FakeDiscoveryUnit unit(makeIpv4(127, 0, 0, 23), wiredUnit("X1", { 0 }), true);
    const auto query = recordQuery(0);
    uint8_t answer[124];
    EXPECT_EQ(exchange(kBroadcastDestination, query.data(), query.size(), answer, sizeof answer), 0);
    EXPECT_EQ(answer[0], 0x10);
}

} // namespace

// Address setting codecs: mask to host bits and back, the record 0 address write, the
// address message; the neighbour-table parser behind the ARP check; and, on the bench, the
// ARP check itself against a taken and a free address.
#include "core/net/address_setting.h"
#include "core/net/discovery_messages.h"
#include "core/platform/bind_address.h"
#include "core/platform/neighbour_probe.h"
#include "core/platform/neighbour_records.h"
#include "core/platform/netlink_records.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <linux/neighbour.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>

using namespace kovra;

namespace {

Ipv4 ip(const char* text)
{
    Ipv4 address = 0;
    EXPECT_TRUE(parseIpv4(text, address)) << text;
    return address;
}

struct MaskCase {
    const char* mask;
    int hostBits;
};

class AddressMaskTest : public ::testing::TestWithParam<MaskCase> { };

} // namespace

TEST_P(AddressMaskTest, HostBitsAndBack)
{
    const MaskCase& c = GetParam();
    EXPECT_EQ(hostBitsFromMask(ip(c.mask)), c.hostBits);
    if (c.hostBits >= 0) {
        EXPECT_EQ(ipv4ToText(maskFromHostBits(c.hostBits)), c.mask);
    }
}

INSTANTIATE_TEST_SUITE_P(Masks, AddressMaskTest,
    ::testing::Values(MaskCase { "255.255.255.0", 8 }, MaskCase { "255.255.0.0", 16 },
        MaskCase { "255.255.255.128", 7 }, MaskCase { "255.255.255.255", 0 }, MaskCase { "128.0.0.0", 31 },
        MaskCase { "255.0.255.0", -1 }, // broken run
        MaskCase { "255.255.255.1", -1 }, MaskCase { "0.255.255.255", -1 },
        MaskCase { "0.0.0.0", -1 })); // no network part at all

TEST(AddressRecord, WritesAddressHostBitsAndGatewayOverTheStoredRecord)
{
    std::array<uint8_t, kConfigBlock0Size> stored {};
    for (size_t i = 0; i < stored.size(); ++i)
        stored[i] = uint8_t(0xA0 + i % 16);
    const auto record = buildAddressRecord(stored, ip("203.0.113.41"), 16, ip("203.0.113.254"));
    const uint8_t head[] = { 0x00, 0x00, 0x00, 0xC0, 203, 0, 113, 41 };
    EXPECT_EQ(0, std::memcmp(record.data(), head, sizeof head));
    EXPECT_EQ(record[10], 16);
    const uint8_t gateway[] = { 203, 0, 113, 254 };
    EXPECT_EQ(0, std::memcmp(record.data() + 16, gateway, sizeof gateway));
    // Everything else, the unit's port at 24-25 among it, goes back as the unit stored it.
    for (size_t i :
        { size_t(8), size_t(9), size_t(11), size_t(15), size_t(20), size_t(24), size_t(25), size_t(123) })
        EXPECT_EQ(record[i], stored[i]) << i;
}

TEST(AddressRecord, DhcpWritesZeros)
{
    std::array<uint8_t, kConfigBlock0Size> stored {};
    stored.fill(0xFF);
    const auto record = buildAddressRecord(stored, 0, 0, 0);
    for (size_t i : { 4, 5, 6, 7, 10, 16, 17, 18, 19 })
        EXPECT_EQ(record[i], 0) << i;
}

TEST(AddressMessage, IsTheCrlfMessageOfThreeDottedValues)
{
    EXPECT_EQ(addressMessage("203.0.113.51", "255.255.255.128", "203.0.113.1"),
        "IP\r\n203.0.113.51\r\nSUBM\r\n255.255.255.128\r\nGWAY\r\n203.0.113.1\r\nEND\r\n");
}

// ---- neighbour table messages ----

namespace {

// Builds rtnetlink datagrams by hand, as the kernel lays them out.
class NetlinkBuilder {
public:
    NetlinkBuilder& neighbour(uint8_t family, int ifIndex, uint16_t state, const std::vector<uint8_t>& dst,
        const std::vector<uint8_t>& lladdr)
    {
        std::vector<uint8_t> body(NLMSG_ALIGN(sizeof(ndmsg)));
        ndmsg info {};
        info.ndm_family = family;
        info.ndm_ifindex = ifIndex;
        info.ndm_state = state;
        std::memcpy(body.data(), &info, sizeof info);
        if (!dst.empty())
            attribute(body, NDA_DST, dst);
        if (!lladdr.empty())
            attribute(body, NDA_LLADDR, lladdr);
        return message(RTM_NEWNEIGH, body);
    }
    NetlinkBuilder& done() { return message(NLMSG_DONE, std::vector<uint8_t>(4)); }
    NetlinkBuilder& error(int errnoValue)
    {
        std::vector<uint8_t> body(sizeof(nlmsgerr));
        nlmsgerr e {};
        e.error = -errnoValue;
        std::memcpy(body.data(), &e, sizeof e);
        return message(NLMSG_ERROR, body);
    }
    std::vector<uint8_t>& bytes() { return m_bytes; }

private:
    static void attribute(std::vector<uint8_t>& body, uint16_t type, const std::vector<uint8_t>& payload)
    {
        rtattr a {};
        a.rta_type = type;
        a.rta_len = uint16_t(RTA_LENGTH(payload.size()));
        const size_t at = body.size();
        body.resize(at + RTA_ALIGN(a.rta_len));
        std::memcpy(body.data() + at, &a, sizeof a);
        std::memcpy(body.data() + at + sizeof a, payload.data(), payload.size());
    }
    NetlinkBuilder& message(uint16_t type, const std::vector<uint8_t>& body)
    {
        nlmsghdr h {};
        h.nlmsg_type = type;
        h.nlmsg_len = uint32_t(NLMSG_HDRLEN + body.size());
        const size_t at = m_bytes.size();
        m_bytes.resize(at + NLMSG_ALIGN(h.nlmsg_len));
        std::memcpy(m_bytes.data() + at, &h, sizeof h);
        std::memcpy(m_bytes.data() + at + NLMSG_HDRLEN, body.data(), body.size());
        return *this;
    }
    std::vector<uint8_t> m_bytes;
};

const std::vector<uint8_t> kMac { 0x02, 0x4B, 0x56, 0x00, 0x00, 0x40 };
const std::vector<uint8_t> kAddress { 203, 0, 113, 40 };

struct StateCase {
    const char* name;
    uint16_t state;
    bool withMac;
    int ifIndex;
    NeighbourState expected;
};

class NeighbourStateTest : public ::testing::TestWithParam<StateCase> { };

} // namespace

TEST_P(NeighbourStateTest, ReadsTheEntryOfTheAdapterAndAddress)
{
    const StateCase& c = GetParam();
    NetlinkBuilder b;
    b.neighbour(AF_INET, c.ifIndex, c.state, kAddress, c.withMac ? kMac : std::vector<uint8_t> {}).done();
    std::vector<NeighbourRecord> table;
    ASSERT_EQ(parseNeighbourMessages(b.bytes().data(), b.bytes().size(), table), kRouteDumpDone);
    EXPECT_EQ(neighbourState(table, 3, ip("203.0.113.40")), c.expected);
}

INSTANTIATE_TEST_SUITE_P(States, NeighbourStateTest,
    ::testing::Values(StateCase { "Reachable", NUD_REACHABLE, true, 3, NeighbourState::Resolved },
        StateCase { "Stale", NUD_STALE, true, 3, NeighbourState::Resolved },
        StateCase { "Delay", NUD_DELAY, true, 3, NeighbourState::Resolved },
        StateCase { "Permanent", NUD_PERMANENT, true, 3, NeighbourState::Resolved },
        StateCase { "Failed", NUD_FAILED, false, 3, NeighbourState::Failed },
        StateCase { "Incomplete", NUD_INCOMPLETE, false, 3, NeighbourState::Pending },
        // A state that claims an answer but carries no hardware address is no answer.
        StateCase { "ReachableWithoutMac", NUD_REACHABLE, false, 3, NeighbourState::Pending },
        // The same address behind another interface is another host.
        StateCase { "OtherInterface", NUD_REACHABLE, true, 4, NeighbourState::Pending }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NeighbourMessages, KeepsIpv4EntriesAcrossDatagramsAndSkipsOthers)
{
    NetlinkBuilder first;
    first.neighbour(AF_INET6, 3, NUD_REACHABLE, std::vector<uint8_t>(16, 0xFE), kMac)
        .neighbour(AF_INET, 3, NUD_REACHABLE, kAddress, kMac);
    std::vector<NeighbourRecord> table;
    EXPECT_EQ(parseNeighbourMessages(first.bytes().data(), first.bytes().size(), table), kRouteDumpMore);
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(table[0].address, ip("203.0.113.40"));
    EXPECT_EQ(table[0].hardwareAddress, kMac);
    EXPECT_EQ(table[0].ifIndex, 3u);

    NetlinkBuilder last;
    last.neighbour(AF_INET, 3, NUD_FAILED, { 203, 0, 113, 200 }, {}).done();
    EXPECT_EQ(parseNeighbourMessages(last.bytes().data(), last.bytes().size(), table), kRouteDumpDone);
    EXPECT_EQ(table.size(), 2u);
}

TEST(NeighbourMessages, NeverReadsPastItsData)
{
    struct Case {
        const char* name;
        std::function<void(std::vector<uint8_t>&)> spoil;
        int expected;
        size_t entries;
    };
    const Case cases[] = {
        { "kernel error", [](std::vector<uint8_t>& b) { b = NetlinkBuilder().error(EPERM).bytes(); }, -EPERM,
            0 },
        { "message longer than the datagram", [](std::vector<uint8_t>& b) { b.resize(b.size() - 8); },
            -EBADMSG, 0 },
        { "header cut short", [](std::vector<uint8_t>& b) { b.resize(10); }, kRouteDumpMore, 0 },
        // An attribute that claims more than its message ends the entry: no address, no entry.
        { "attribute overruns",
            [](std::vector<uint8_t>& b) {
                rtattr a;
                std::memcpy(&a, b.data() + NLMSG_HDRLEN + NLMSG_ALIGN(sizeof(ndmsg)), sizeof a);
                a.rta_len = 200;
                std::memcpy(b.data() + NLMSG_HDRLEN + NLMSG_ALIGN(sizeof(ndmsg)), &a, sizeof a);
            },
            kRouteDumpMore, 0 },
        { "address of the wrong size",
            [](std::vector<uint8_t>& b) {
                b = NetlinkBuilder().neighbour(AF_INET, 3, NUD_REACHABLE, { 1, 2, 3 }, kMac).bytes();
            },
            kRouteDumpMore, 0 },
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> bytes
            = NetlinkBuilder().neighbour(AF_INET, 3, NUD_REACHABLE, kAddress, kMac).bytes();
        c.spoil(bytes);
        std::vector<NeighbourRecord> table;
        EXPECT_EQ(parseNeighbourMessages(bytes.data(), bytes.size(), table), c.expected) << c.name;
        EXPECT_EQ(table.size(), c.entries) << c.name;
    }
}

TEST(NeighbourProbe, LoopbackAdapterIsNeverAskedAndNeverWaits)
{
    setBindAddress(ip("127.0.0.1"));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(probeNeighbour(ip("127.0.0.77")), 0);
    EXPECT_EQ(probeNeighbour(ip("127.0.0.1")), 1); // the machine's own address is taken
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
    EXPECT_FALSE(addressInUse("127.0.0.300"));
    setBindAddress(0);
}

// On the bench the far end of the PC's link (203.0.113.2) answers ARP, 203.0.113.200 is free.
TEST(BenchNeighbourProbe, TakenAddressAnswersFreeAddressFailsWithoutRoot)
{
    if (!getenv("KOVRA_NETBENCH"))
        GTEST_SKIP() << "runs inside scripts/netbench";
    setBindAddress(ip(getenv("KOVRA_PC_ADDR")));
    using Clock = std::chrono::steady_clock;
    auto start = Clock::now();
    EXPECT_TRUE(addressInUse("203.0.113.2"));
    const auto takenMs = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    start = Clock::now();
    EXPECT_FALSE(addressInUse("203.0.113.200"));
    const auto freeMs = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    // Off the adapter's subnet nothing is asked: no wait.
    start = Clock::now();
    EXPECT_FALSE(addressInUse("198.18.0.77"));
    const auto offMs = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    EXPECT_LT(takenMs, 500);
    EXPECT_LE(freeMs, kNeighbourWaitMs + 500);
    EXPECT_LT(offMs, 100);
    std::printf("ARP check: taken %lld ms, free %lld ms, off-subnet %lld ms\n", (long long)takenMs,
        (long long)freeMs, (long long)offMs);
    setBindAddress(0);
}

#include "core/platform/adapter_table.h"
#include "core/platform/netlink_records.h"
#include "core/platform/route_netlink.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <linux/if.h>
#include <linux/if_arp.h>
#include <linux/if_link.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>

using namespace kovra;

namespace {

// A usable Ethernet link unless a case changes it.
LinkRecord ethernet(uint32_t index, const std::string& name)
{
    LinkRecord link;
    link.ifIndex = index;
    link.name = name;
    link.hardwareType = ARPHRD_ETHER;
    link.flags = IFF_UP | IFF_RUNNING;
    link.operState = IF_OPER_UP;
    link.hardwareAddress = { 0x02, 0x00, 0x5e, 0x00, 0x00, uint8_t(index) };
    return link;
}

AddressRecord address(uint32_t index, const char* text, int prefix)
{
    AddressRecord a;
    a.ifIndex = index;
    parseIpv4(text, a.address);
    a.prefixLength = prefix;
    return a;
}

std::vector<std::string> lines(const std::vector<AdapterEntry>& table)
{
    std::vector<std::string> out;
    for (const auto& e : table)
        out.push_back(adapterLine(e) + " " + ipv4ToText(e.mask) + " [" + e.description + "]");
    return out;
}

// Builds one rtnetlink message: header, fixed body, attributes.
class Message {
public:
    Message(uint16_t type, const void* body, size_t length)
        : m_type(type)
    {
        append(body, length);
    }
    Message& attribute(uint16_t type, const void* data, size_t length)
    {
        rtattr header { uint16_t(sizeof(rtattr) + length), type };
        append(&header, sizeof header);
        append(data, length);
        return *this;
    }
    Message& text(uint16_t type, const std::string& value)
    {
        return attribute(type, value.c_str(), value.size() + 1);
    }
    Message& nested(uint16_t type, const Message& inner)
    {
        return attribute(uint16_t(type | NLA_F_NESTED), inner.m_body.data(), inner.m_body.size());
    }
    std::vector<uint8_t> bytes() const
    {
        nlmsghdr header {};
        header.nlmsg_len = uint32_t(sizeof header + m_body.size());
        header.nlmsg_type = m_type;
        std::vector<uint8_t> out(sizeof header);
        std::memcpy(out.data(), &header, sizeof header);
        out.insert(out.end(), m_body.begin(), m_body.end());
        return out;
    }

private:
    void append(const void* data, size_t length)
    {
        const auto* p = static_cast<const uint8_t*>(data);
        m_body.insert(m_body.end(), p, p + length);
        m_body.resize((m_body.size() + 3) & ~size_t(3));
    }
    uint16_t m_type;
    std::vector<uint8_t> m_body;
};

Message linkMessage(int index)
{
    ifinfomsg info {};
    info.ifi_index = index;
    info.ifi_type = ARPHRD_ETHER;
    info.ifi_flags = IFF_UP | IFF_RUNNING;
    return Message(RTM_NEWLINK, &info, sizeof info);
}

Message addressMessage(int index, int family = AF_INET)
{
    ifaddrmsg info {};
    info.ifa_family = uint8_t(family);
    info.ifa_prefixlen = 24;
    info.ifa_index = uint32_t(index);
    return Message(RTM_NEWADDR, &info, sizeof info);
}

std::vector<uint8_t> ipv4Bytes(uint8_t a, uint8_t b, uint8_t c, uint8_t d)
{
    return { a, b, c, d };
}

std::vector<uint8_t> concat(std::initializer_list<std::vector<uint8_t>> parts)
{
    std::vector<uint8_t> all;
    for (const auto& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

std::vector<uint8_t> done()
{
    return Message(NLMSG_DONE, "\0\0\0\0", 4).bytes();
}

} // namespace

TEST(PlatformAdapterTable, OnlyLinksThatCanCarryTheUnitsTrafficAreUsable)
{
    struct Case {
        const char* what;
        std::function<void(LinkRecord&)> change;
        bool usable;
    };
    const Case cases[] = {
        { "an Ethernet link that is up", [](LinkRecord&) {}, true },
        { "loopback", [](LinkRecord& l) { l.hardwareType = ARPHRD_LOOPBACK; }, false },
        { "no hardware address", [](LinkRecord& l) { l.hardwareAddress.clear(); }, false },
        { "all-zero hardware address", [](LinkRecord& l) { l.hardwareAddress.assign(6, 0); }, false },
        { "operationally down", [](LinkRecord& l) { l.operState = IF_OPER_DOWN; }, false },
        { "lower layer down", [](LinkRecord& l) { l.operState = IF_OPER_LOWERLAYERDOWN; }, false },
        { "dormant", [](LinkRecord& l) { l.operState = IF_OPER_DORMANT; }, false },
        { "no state, up and running", [](LinkRecord& l) { l.operState = IF_OPER_UNKNOWN; }, true },
        { "no state, up but not running",
            [](LinkRecord& l) {
                l.operState = IF_OPER_UNKNOWN;
                l.flags = IFF_UP;
            },
            false },
        { "the excluded speed", [](LinkRecord& l) { l.speedBitsPerSecond = 1073741824; }, false },
        { "a gigabit link", [](LinkRecord& l) { l.speedBitsPerSecond = 1000000000; }, true },
        { "no name", [](LinkRecord& l) { l.name.clear(); }, false },
    };
    for (const auto& c : cases) {
        LinkRecord link = ethernet(2, "eth0");
        c.change(link);
        EXPECT_EQ(isUsableLink(link), c.usable) << c.what;
    }
}

TEST(PlatformAdapterTable, EveryAddressOfAUsableLinkIsOneEntryInAddressOrder)
{
    LinkRecord lo = ethernet(1, "lo");
    lo.hardwareType = ARPHRD_LOOPBACK;
    lo.hardwareAddress.assign(6, 0);
    lo.operState = IF_OPER_UNKNOWN;
    LinkRecord eth0 = ethernet(2, "eth0");
    eth0.driver = "virtio_net";
    LinkRecord veth = ethernet(3, "veth1");
    veth.kind = "veth";
    LinkRecord down = ethernet(4, "eth1");
    down.operState = IF_OPER_DOWN;
    LinkRecord tun = ethernet(5, "tun0");
    tun.hardwareAddress.clear();
    tun.operState = IF_OPER_UNKNOWN;

    const std::vector<AddressRecord> addresses = {
        address(1, "127.0.0.1", 8),
        address(2, "203.0.113.10", 24),
        address(4, "203.0.113.20", 24),
        address(5, "10.8.0.1", 24),
        address(3, "198.18.0.5", 16),
        address(2, "203.0.113.11", 25),
        address(2, "127.0.0.1", 8), // never listed, whatever link has it
        address(9, "203.0.113.99", 24), // no such link
        address(3, "127.0.0.2", 8),
    };
    EXPECT_EQ(lines(selectAdapters({ lo, eth0, veth, down, tun }, addresses)),
        (std::vector<std::string> {
            "203.0.113.10 (eth0) 255.255.255.0 [eth0 (virtio_net)]",
            "198.18.0.5 (veth1) 255.255.0.0 [veth1 (veth)]",
            "203.0.113.11 (eth0) 255.255.255.128 [eth0 (virtio_net)]",
            "127.0.0.2 (veth1) 255.0.0.0 [veth1 (veth)]",
        }));
    EXPECT_TRUE(selectAdapters({ lo, eth0 }, {}).empty());
    EXPECT_TRUE(selectAdapters({}, addresses).empty());
}

TEST(PlatformAdapterTable, TheTableHoldsAtMost256Entries)
{
    std::vector<AddressRecord> addresses;
    for (int i = 0; i < 257; ++i)
        addresses.push_back(
            address(2, ("10." + std::to_string(i / 250) + ".0." + std::to_string(i % 250)).c_str(), 8));
    const auto table = selectAdapters({ ethernet(2, "eth0") }, addresses);
    ASSERT_EQ(table.size(), kMaxAdapters);
    EXPECT_EQ(ipv4ToText(table.back().address), "10.1.0.5"); // the 256th
}

TEST(PlatformAdapterTable, DescriptionsNameTheLinkAndItsDriverWithinTheirLength)
{
    LinkRecord plain = ethernet(2, "enp3s0");
    LinkRecord both = ethernet(3, "br0");
    both.driver = "bridge-driver";
    both.kind = "bridge";
    LinkRecord longName = ethernet(4, std::string(300, 'n'));
    const auto table = selectAdapters({ plain, both, longName },
        { address(2, "203.0.113.1", 24), address(3, "203.0.113.2", 24), address(4, "203.0.113.3", 24) });
    ASSERT_EQ(table.size(), 3u);
    EXPECT_EQ(table[0].description, "enp3s0");
    EXPECT_EQ(table[1].description, "br0 (bridge-driver)");
    EXPECT_EQ(table[2].description.size(), kAdapterTextMaxBytes);
    EXPECT_EQ(table[2].friendlyName.size(), kAdapterTextMaxBytes);
}

TEST(PlatformAdapterTable, KernelDumpsAreReadWithinTheirBounds)
{
    const uint8_t mac[] = { 0x02, 0x00, 0x5e, 0x10, 0x20, 0x30 };
    const uint8_t up = IF_OPER_UP;
    const auto eth0 = linkMessage(2)
                          .text(IFLA_IFNAME, "eth0")
                          .attribute(IFLA_ADDRESS, mac, sizeof mac)
                          .attribute(IFLA_OPERSTATE, &up, 1)
                          .nested(IFLA_LINKINFO, Message(0, nullptr, 0).text(IFLA_INFO_KIND, "veth"))
                          .bytes();
    const auto peer = ipv4Bytes(203, 0, 113, 1);
    const auto local = ipv4Bytes(203, 0, 113, 2);
    const auto pointToPoint = addressMessage(2)
                                  .attribute(IFA_ADDRESS, peer.data(), 4)
                                  .attribute(IFA_LOCAL, local.data(), 4)
                                  .bytes();
    const auto plainAddress = addressMessage(3).attribute(IFA_ADDRESS, peer.data(), 4).bytes();
    const uint8_t v6[16] = { 0xfd };
    const auto ipv6Address = addressMessage(2, AF_INET6).attribute(IFA_ADDRESS, v6, 16).bytes();
    nlmsgerr refusal {};
    refusal.error = -EPERM;
    const auto error = Message(NLMSG_ERROR, &refusal, sizeof refusal).bytes();
    auto overlong = eth0;
    overlong[0] = uint8_t(overlong.size() + 4); // claims more than there is
    auto undersized = eth0;
    std::memset(undersized.data(), 0, 4);
    undersized[0] = 8;
    // An attribute that claims more than its message: what came before it still counts.
    const uint16_t bigLength = 200;
    auto runaway = linkMessage(6).text(IFLA_IFNAME, "eth6").text(IFLA_QDISC, "x").bytes();
    std::memcpy(runaway.data() + runaway.size() - 8, &bigLength, 2);
    const auto bareName = linkMessage(7).attribute(IFLA_IFNAME, "eth7", 4).bytes();
    const auto shortBody = Message(RTM_NEWLINK, "\0\0\0\0", 4).bytes();

    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        int status;
        std::vector<std::string> links;
        std::vector<std::string> addresses;
    };
    const Case cases[] = {
        { "a link, then the end mark", concat({ eth0, done() }), kRouteDumpDone, { "eth0" }, {} },
        { "messages without the end mark", concat({ eth0, plainAddress }), kRouteDumpMore, { "eth0" },
            { "203.0.113.1" } },
        { "the local address of a point-to-point link", pointToPoint, kRouteDumpMore, {}, { "203.0.113.2" } },
        { "IPv6 addresses are not ours", ipv6Address, kRouteDumpMore, {}, {} },
        { "the kernel refuses", concat({ eth0, error }), -EPERM, { "eth0" }, {} },
        { "a message longer than the data", overlong, -EBADMSG, {}, {} },
        { "a message shorter than its header", undersized, -EBADMSG, {}, {} },
        { "an attribute running past its message", runaway, kRouteDumpMore, { "eth6" }, {} },
        { "a name without its NUL", bareName, kRouteDumpMore, { "eth7" }, {} },
        { "a body too short for a link", shortBody, kRouteDumpMore, {}, {} },
        { "a few stray bytes after a message", concat({ eth0, { 1, 2, 3 } }), kRouteDumpMore, { "eth0" },
            {} },
    };
    for (const auto& c : cases) {
        RouteRecords records;
        EXPECT_EQ(parseRouteMessages(c.bytes.data(), c.bytes.size(), records), c.status) << c.what;
        std::vector<std::string> names;
        for (const auto& l : records.links)
            names.push_back(l.name);
        std::vector<std::string> texts;
        for (const auto& a : records.addresses)
            texts.push_back(ipv4ToText(a.address));
        EXPECT_EQ(names, c.links) << c.what;
        EXPECT_EQ(texts, c.addresses) << c.what;
    }

    RouteRecords records;
    parseRouteMessages(eth0.data(), eth0.size(), records);
    ASSERT_EQ(records.links.size(), 1u);
    const LinkRecord& link = records.links[0];
    EXPECT_EQ(link.ifIndex, 2u);
    EXPECT_EQ(link.hardwareType, ARPHRD_ETHER);
    EXPECT_EQ(link.hardwareAddress, std::vector<uint8_t>(mac, mac + 6));
    EXPECT_EQ(link.operState, IF_OPER_UP);
    EXPECT_EQ(link.kind, "veth");
    EXPECT_TRUE(isUsableLink(link));
}

TEST(PlatformAdapterTable, ThisMachinesTableNeverListsLoopback)
{
    RouteRecords records;
    ASSERT_EQ(dumpRouteTable(RTM_GETLINK, records), 0);
    const auto lo = std::find_if(records.links.begin(), records.links.end(),
        [](const LinkRecord& l) { return l.hardwareType == ARPHRD_LOOPBACK; });
    ASSERT_NE(lo, records.links.end());
    EXPECT_FALSE(isUsableLink(*lo));

    std::vector<AdapterEntry> table;
    ASSERT_EQ(enumerateAdapters(table), 0);
    for (const auto& entry : table) {
        EXPECT_NE(entry.ifIndex, lo->ifIndex);
        EXPECT_NE(entry.address, makeIpv4(127, 0, 0, 1));
        EXPECT_EQ(adapterLine(entry), ipv4ToText(entry.address) + " (" + entry.friendlyName + ")");
    }
}

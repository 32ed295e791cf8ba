#include "core/setupfiles/setup_network.h"

#include "core/setupfiles/lwi_text.h"
#include "core/setupfiles/rec_image.h"

namespace kovra {

namespace {
// Block 0 is the body of record 0: its fields sit 4 bytes earlier than in the record.
constexpr size_t kBlock0Address = 5 + 1 + 0;
constexpr size_t kBlock0HostBits = 5 + 1 + 6;
constexpr size_t kBlock0Gateway = 5 + 1 + 12;
constexpr int kAddressBits = 32;
constexpr const char* kDhcpAddress = "0.0.0.0"; // what a DHCP unit reports as its IP
constexpr const char* kInterfaceGroup = "<configgroup name = \"Interface\" instance = \"wlan0\">";
constexpr const char* kGroupClose = "</configgroup>";

void putAddress(std::string& image, size_t at, Ipv4 address)
{
    for (int i = 0; i < 4; ++i)
        image[at + size_t(i)] = char(ipv4Byte(address, i));
}
} // namespace

SetupNetwork unitNetwork(const UnitRecord& unit)
{
    SetupNetwork network;
    network.dhcp = unit.dhcp;
    parseIpv4(unit.ipText, network.address);
    network.mask = unit.subnetMask;
    network.gateway = unit.gateway;
    return network;
}

bool keepUnitNetwork(SetupFileKind kind, std::string& bytes, const SetupNetwork& network)
{
    switch (kind) {
    case SetupFileKind::Lwi: {
        LwiPairs pairs;
        if (!parseLwiText(bytes, pairs))
            return false;
        setLwiNetwork(pairs,
            { network.dhcp ? kDhcpAddress : ipv4ToText(network.address), ipv4ToText(network.mask),
                ipv4ToText(network.gateway) });
        bytes = lwiText(pairs);
        return true;
    }
    case SetupFileKind::Rec: {
        std::vector<MemoryBlock> blocks;
        if (parseRecImage(bytes, blocks) != RecProblem::None)
            return false;
        putAddress(bytes, kBlock0Address, network.dhcp ? 0 : network.address);
        bytes[kBlock0HostBits] = network.dhcp ? 0 : char(kAddressBits - prefixFromMask(network.mask));
        putAddress(bytes, kBlock0Gateway, network.dhcp ? 0 : network.gateway);
        return true;
    }
    case SetupFileKind::Xml: {
        const size_t group = bytes.find(kInterfaceGroup);
        if (group == std::string::npos)
            return true;
        const size_t close = bytes.find(kGroupClose, group);
        if (close == std::string::npos)
            return false;
        // From the start of the group's line to the end of its closing line.
        const size_t lineStart = bytes.rfind('\n', group);
        const size_t from = lineStart == std::string::npos ? 0 : lineStart + 1;
        size_t to = close + std::string(kGroupClose).size();
        while (to < bytes.size() && (bytes[to] == '\r' || bytes[to] == '\n'))
            ++to;
        bytes.erase(from, to - from);
        return true;
    }
    }
    return false;
}

bool assignAddress(SetupFileKind kind, std::string& bytes, Ipv4 address)
{
    switch (kind) {
    case SetupFileKind::Lwi: {
        LwiPairs pairs;
        if (!parseLwiText(bytes, pairs) || !setLwiValue(pairs, kLwiAddressKey, ipv4ToText(address)))
            return false;
        bytes = lwiText(pairs);
        return true;
    }
    case SetupFileKind::Rec: {
        std::vector<MemoryBlock> blocks;
        if (parseRecImage(bytes, blocks) != RecProblem::None)
            return false;
        putAddress(bytes, kBlock0Address, address);
        return true;
    }
    case SetupFileKind::Xml:
        break;
    }
    return false;
}

} // namespace kovra

#include "core/platform/adapter_table.h"

#include "core/platform/link_details.h"
#include "core/platform/route_netlink.h"

#include <algorithm>
#include <linux/if.h>
#include <linux/if_arp.h>
#include <linux/if_link.h>
#include <linux/rtnetlink.h>

namespace kovra {

namespace {

constexpr uint32_t kUpAndRunning = IFF_UP | IFF_RUNNING;

std::string limited(std::string text)
{
    if (text.size() > kAdapterTextMaxBytes)
        text.resize(kAdapterTextMaxBytes);
    return text;
}

std::string describe(const LinkRecord& link)
{
    const std::string& detail = link.driver.empty() ? link.kind : link.driver;
    return limited(detail.empty() ? link.name : link.name + " (" + detail + ")");
}

} // namespace

bool isUsableLink(const LinkRecord& link)
{
    const auto& hw = link.hardwareAddress;
    const bool hasHardwareAddress = std::any_of(hw.begin(), hw.end(), [](uint8_t b) { return b != 0; });
    const bool up = link.operState == IF_OPER_UP
        || (link.operState == IF_OPER_UNKNOWN && (link.flags & kUpAndRunning) == kUpAndRunning);
    return link.hardwareType != ARPHRD_LOOPBACK && hasHardwareAddress && up
        && link.speedBitsPerSecond != kExcludedLinkSpeed && !link.name.empty();
}

std::vector<AdapterEntry> selectAdapters(
    const std::vector<LinkRecord>& links, const std::vector<AddressRecord>& addresses)
{
    const Ipv4 loopbackAddress = makeIpv4(127, 0, 0, 1);
    std::vector<AdapterEntry> table;
    for (const auto& a : addresses) {
        if (table.size() >= kMaxAdapters)
            break;
        if (a.address == loopbackAddress)
            continue;
        const auto link = std::find_if(
            links.begin(), links.end(), [&](const LinkRecord& l) { return l.ifIndex == a.ifIndex; });
        if (link == links.end() || !isUsableLink(*link))
            continue;
        table.push_back(AdapterEntry {
            a.ifIndex, describe(*link), limited(link->name), a.address, maskFromPrefix(a.prefixLength) });
    }
    return table;
}

int enumerateAdapters(std::vector<AdapterEntry>& out)
{
    out.clear();
    RouteRecords links;
    if (dumpRouteTable(RTM_GETLINK, links) != 0)
        return kAdapterListUnreadable;
    for (auto& link : links.links)
        readLinkDetails(link);
    RouteRecords addresses;
    if (dumpRouteTable(RTM_GETADDR, addresses) != 0)
        return 0;
    out = selectAdapters(links.links, addresses.addresses);
    return 0;
}

std::string adapterLine(const AdapterEntry& entry)
{
    return ipv4ToText(entry.address) + " (" + entry.friendlyName + ")";
}

} // namespace kovra

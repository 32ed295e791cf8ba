#include "core/platform/neighbour_records.h"

#include "core/platform/netlink_records.h"
#include "core/platform/route_netlink.h"

#include <cstring>
#include <linux/neighbour.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>

namespace kovra {

namespace {

void parseNeighbour(const uint8_t* body, size_t length, std::vector<NeighbourRecord>& records)
{
    if (length < sizeof(ndmsg))
        return;
    ndmsg info;
    std::memcpy(&info, body, sizeof info);
    if (info.ndm_family != AF_INET)
        return;
    NeighbourRecord record;
    record.ifIndex = uint32_t(info.ndm_ifindex);
    record.state = info.ndm_state;
    bool haveAddress = false;
    forEachRouteAttribute(body, length, sizeof info, [&](uint16_t type, const uint8_t* payload, size_t size) {
        if (type == NDA_DST && size == sizeof(Ipv4)) {
            std::memcpy(&record.address, payload, sizeof record.address);
            haveAddress = true;
        } else if (type == NDA_LLADDR) {
            record.hardwareAddress.assign(payload, payload + size);
        }
    });
    if (haveAddress)
        records.push_back(std::move(record));
}

void parseNeighbourMessage(
    uint16_t type, const uint8_t* body, size_t length, std::vector<NeighbourRecord>& records)
{
    if (type == RTM_NEWNEIGH)
        parseNeighbour(body, length, records);
}

} // namespace

int parseNeighbourMessages(const uint8_t* data, size_t length, std::vector<NeighbourRecord>& records)
{
    return walkRouteMessages(data, length, [&](uint16_t type, const uint8_t* body, size_t bodyLength) {
        parseNeighbourMessage(type, body, bodyLength, records);
    });
}

int dumpNeighbours(std::vector<NeighbourRecord>& records)
{
    return runRouteDump(
        RTM_GETNEIGH, AF_INET, sizeof(ndmsg), [&](uint16_t type, const uint8_t* body, size_t length) {
            parseNeighbourMessage(type, body, length, records);
        });
}

} // namespace kovra

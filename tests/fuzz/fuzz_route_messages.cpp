// Kernel route dumps (links and IPv4 addresses) as the adapter table reads them.
#include "core/platform/adapter_table.h"
#include "core/platform/netlink_records.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kovra::RouteRecords records;
    kovra::parseRouteMessages(data, size, records);
    const auto table = kovra::selectAdapters(records.links, records.addresses);
    for (const auto& entry : table)
        (void)kovra::adapterLine(entry);
    return 0;
}

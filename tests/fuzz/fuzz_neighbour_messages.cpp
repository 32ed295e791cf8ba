// Kernel neighbour-table dumps as the ARP check reads them: nothing read may come from
// beyond the data, so no record's hardware address can be longer than the data itself.
#include "core/platform/neighbour_records.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<kovra::NeighbourRecord> records;
    kovra::parseNeighbourMessages(data, size, records);
    for (const auto& record : records)
        if (record.hardwareAddress.size() > size)
            std::abort();
    return 0;
}

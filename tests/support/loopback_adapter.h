#pragma once

#include "core/platform/adapter_table.h"

namespace kovra::test_support {

// One adapter on loopback (127.0.0.1/8), so windows and flows start without touching the
// machine's interfaces and reach units simulated on 127.0.0.x.
inline int loopbackAdapter(std::vector<AdapterEntry>& out)
{
    AdapterEntry entry;
    entry.ifIndex = 1;
    entry.friendlyName = "bench0";
    entry.description = "loopback for tests";
    entry.address = makeIpv4(127, 0, 0, 1);
    entry.mask = makeIpv4(255, 0, 0, 0);
    out.push_back(entry);
    return 0;
}

} // namespace kovra::test_support

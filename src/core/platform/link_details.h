#pragma once

#include "core/platform/netlink_records.h"

namespace kovra {

// Fills link.speedBitsPerSecond and link.driver from the driver itself (ethtool queries,
// answered in the caller's network namespace without privileges). They stay -1 and empty
// when the driver does not say, as loopback and most virtual links do not.
// /sys/class/net is not used: inside a private network namespace it still shows the
// interfaces of the namespace it was mounted in.
void readLinkDetails(LinkRecord& link);

} // namespace kovra

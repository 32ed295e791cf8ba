#pragma once

#include "core/app/main_window_view.h"

#include <vector>

namespace kovra {

// Marks every row whose IP address another row holds with a different hardware address: two
// units answering with one address (an address conflict, which takes both off the network for
// the peers that reach the wrong one). Returns the indexes of the rows whose mark changed.
std::vector<int> markAddressConflicts(std::vector<DeviceRow>& rows);

} // namespace kovra

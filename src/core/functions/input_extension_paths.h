#pragma once

#include "core/settings/dialog_path.h"

#include <memory>

namespace kovra {

// The dialog variants of the input-extension button (all titled "入力延長"), each made from a
// snapshot of the unit it sets.

// Kinds 5 and 7: ConnectionsDialog (145), four connections written with WriteConnections.
std::unique_ptr<DialogPath> makeConnectionsPath(const UnitSlot& unit);

} // namespace kovra

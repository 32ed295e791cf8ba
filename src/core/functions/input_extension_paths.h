#pragma once

#include "core/settings/dialog_path.h"

#include <memory>

namespace kovra {

// The dialog variants of the input-extension button (all titled "入力延長"), each made from a
// snapshot of the unit it sets.

// Kinds 5 and 7: ConnectionsDialog (145), four connections written with WriteConnections.
std::unique_ptr<DialogPath> makeConnectionsPath(const UnitSlot& unit);

// Kinds 3 and 6: TcpExtensionDialog (131), connection 1 written with WriteConnection, the
// timing by direct commands; with wifiMask (the "-WIFIMASK" switch) kind 3 units of models 2
// and 5 from sketch version 119 (or at 99) also extend DIs one by one (accessor B).
std::unique_ptr<DialogPath> makeTcpExtensionPath(const UnitSlot& unit, bool wifiMask);

// Kinds 0, 1 and 4: TcpExtensionDialog (131) on the connections of the stored records 0, 3
// and 7, read before it opens and written back in that order; the timing by direct commands.
std::unique_ptr<DialogPath> makeExtensionRecordsPath(const UnitSlot& unit);

// Kind 2: TcpExtensionDialog (131) on connection 1 of the Wi-Fi module's tunnels, written by a
// tunnel import ("設定の書き込みに失敗しました。" when it fails).
std::unique_ptr<DialogPath> makeModuleTunnelPath(const UnitSlot& unit);

} // namespace kovra

#pragma once

#include "core/settings/dialog_path.h"

#include <memory>

namespace kovra {

// The dialog variants of the other-settings button (all titled "その他の設定"), each made
// from a snapshot of the unit it sets.

// Kind 6: UdpKeepAliveDialog (147); the mode value read and written by direct commands,
// then the SOCK/keep-alive message.
std::unique_ptr<DialogPath> makeUdpKeepAlivePath(const UnitSlot& unit);
// Kind 3 with sketch version 99 or above 110: KeepAliveWifiDialog (141), WriteKeepAlive.
std::unique_ptr<DialogPath> makeKeepAliveWifiPath(const UnitSlot& unit);
// The older units' binary keep-alive: KeepAliveTimeDialog (140) over accessor C.
std::unique_ptr<DialogPath> makeKeepAliveTimePath(const UnitSlot& unit);
// Kinds 4, 5 and 7: DoModesDialog (143); WriteDoModes for 5 and 7, binary writes for 4.
std::unique_ptr<DialogPath> makeDoModesPath(const UnitSlot& unit);
// Models 8, 9 and 11: AnalogSettingsDialog (132), read and written by direct commands.
std::unique_ptr<DialogPath> makeAnalogSettingsPath(const UnitSlot& unit);
// The other models with analog inputs: ThermoSettingsDialog (136), by direct commands.
std::unique_ptr<DialogPath> makeThermoSettingsPath(const UnitSlot& unit);

} // namespace kovra

#pragma once

#include "core/settings/dialog_path.h"

#include <memory>

namespace kovra {

// The dialog variants of the mail alert button (all titled "メールアラート設定"), each made
// from a snapshot of the unit it sets.

// Kinds 5 and 7: EntryMailDialog (151), one mail entry per DI, WriteEntryMail; its test
// button sends one entry's test message to the unit.
std::unique_ptr<DialogPath> makeEntryMailPath(const UnitSlot& unit);

} // namespace kovra

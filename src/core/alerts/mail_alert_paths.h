#pragma once

#include "core/settings/dialog_path.h"

#include <memory>

namespace kovra {

// The dialog variants of the mail alert button (all titled "メールアラート設定"), each made
// from a snapshot of the unit it sets.

// Kinds 5 and 7: EntryMailDialog (151), one mail entry per DI, WriteEntryMail; its test
// button sends one entry's test message to the unit.
std::unique_ptr<DialogPath> makeEntryMailPath(const UnitSlot& unit);

// The binary kinds (0, 1 and 4) whose model has the classic mail alert: ClassicMailDialog
// (155), one account with DI rows and analog rows; DI masks and analog bands by command,
// the account in the stored records.
std::unique_ptr<DialogPath> makeClassicMailPath(const UnitSlot& unit);

} // namespace kovra

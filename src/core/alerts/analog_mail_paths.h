#pragma once

#include "core/settings/dialog_path.h"

#include <memory>

namespace kovra {

// The mail alert dialogs of the QX units (kind 6), which take their account by the mail
// message on the settings port and their alert conditions by direct commands: the
// five-channel dialog on the analog models with thermocouple inputs (10 and 12), the
// two-channel dialog on the others. Nothing for a unit of another kind.
std::unique_ptr<DialogPath> makeAnalogMailPath(const UnitSlot& unit);

// Which of them a unit gets, without making it.
enum class AnalogMailVariant { None, TwoChannel, FiveChannel };
AnalogMailVariant analogMailVariant(const UnitRecord& unit);

} // namespace kovra

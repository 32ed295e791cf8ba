#pragma once

#include "core/settings/dialog_path.h"

#include <memory>

namespace kovra {

// Kind 3: SingleMailDialog (152), one mail account in the LF settings message
// (WriteSingleMail); its test button sends the test form of the same message to the unit.
std::unique_ptr<DialogPath> makeSingleMailPath(const UnitSlot& unit);

} // namespace kovra

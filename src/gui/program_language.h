#pragma once

#include "core/platform/text_catalogue.h"

#include <string>

namespace kovra {

// Sets the program's language for the core's texts (their catalogue under `localeDir`) and for
// the window's own captions (the catalogue embedded in the program). Call on the GUI thread
// before the windows are built; calling it again switches back and forth (tests do).
void applyProgramLanguage(Language language, const std::string& localeDir);

} // namespace kovra

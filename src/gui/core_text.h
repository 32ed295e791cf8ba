#pragma once

#include <QString>
#include <string>

namespace kovra {

// A text that comes from the core (messages, questions, list entries, the status line) in the
// program's language: the core's catalogue answers for it, so each text is translated once,
// for the GUI and kovractl alike.
QString coreText(const char* text);
QString coreText(const std::string& text);

} // namespace kovra

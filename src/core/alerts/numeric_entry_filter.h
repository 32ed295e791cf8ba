#pragma once

#include <string>

namespace kovra {

// Shown when a numeric edit box of the alert and analog dialogs received other characters.
extern const char* const kNonNumericEntryMessage;

struct NumericEntry {
    std::string accepted; // the longest leading run of "0123456789-."
    bool rejected = false; // something followed the run: show the message, reset the box
    double value = 0.0; // the run read as a number (atof: empty or "-" reads as 0)
};

// Filters the text of a numeric edit box on every change.
NumericEntry filterNumericEntry(const std::string& text);

} // namespace kovra

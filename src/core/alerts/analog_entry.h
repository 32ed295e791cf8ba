#pragma once

#include "core/alerts/analog_range_type.h"

#include <cstdint>
#include <string>

namespace kovra {

// Which limit a typed analog value is held to before it becomes a count.
enum class AnalogEntryLimit {
    None, // stored as a signed count as typed
    Threshold, // clampThreshold, signed count
    Hysteresis, // clampHysteresis, unsigned count
};

// What one change of a numeric edit box gives: the count to store and what the box must
// show afterwards.
struct AnalogEntryOutcome {
    uint16_t raw = 0;
    bool nonNumeric = false; // show kNonNumericEntryMessage
    bool replaceText = false; // set the box to `text`
    std::string text;
};

// Runs the numeric-entry filter on text, limits the value and converts it to a count of
// the range type. The box is reset to the accepted leading run when characters were
// rejected, and rewritten with "%f" of the limited value when the limit changed it.
AnalogEntryOutcome enterAnalogValue(const std::string& text, AnalogRangeType type, AnalogEntryLimit limit);

} // namespace kovra

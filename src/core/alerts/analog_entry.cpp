#include "core/alerts/analog_entry.h"

#include "core/alerts/analog_scaling.h"
#include "core/alerts/numeric_entry_filter.h"

namespace kovra {

AnalogEntryOutcome enterAnalogValue(const std::string& text, AnalogRangeType type, AnalogEntryLimit limit)
{
    AnalogEntryOutcome outcome;
    const NumericEntry entry = filterNumericEntry(text);
    if (entry.rejected) {
        outcome.nonNumeric = true;
        outcome.replaceText = true;
        outcome.text = entry.accepted;
    }
    double value = entry.value;
    switch (limit) {
    case AnalogEntryLimit::Threshold:
        value = clampThreshold(value, type);
        break;
    case AnalogEntryLimit::Hysteresis:
        value = clampHysteresis(value, type);
        break;
    case AnalogEntryLimit::None:
        break;
    }
    if (value != entry.value) {
        outcome.replaceText = true;
        outcome.text = formatEntry(value);
    }
    outcome.raw = valueToRaw(value, type, limit == AnalogEntryLimit::Hysteresis);
    return outcome;
}

} // namespace kovra

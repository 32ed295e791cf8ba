#pragma once

#include "core/alerts/analog_range_type.h"

#include <cstdint>
#include <optional>
#include <string>

namespace kovra {

// Units keep every analog quantity as a 16-bit count: signed for readings and thresholds,
// unsigned for hysteresis widths. Positive counts scale against 32767, zero and negative
// ones against 32768, so 0x7FFF is exactly +full scale and 0x8000 exactly -full scale.
// Counts are passed in an int; only its low 16 bits are used.
constexpr int kCountMax = 32767;
constexpr int kCountMin = -32768;
constexpr int kUnsignedCountMax = 65535;

// Engineering value of a count: volts (types 0..3), milliamperes (4, 5), degrees (6).
double rawToValue(int raw, AnalogRangeType type, bool unsignedFlag);

// Count of an engineering value, rounded half away from zero and held to the count range.
// Negative values become 0 for the current types and for widths (unsignedFlag). A NaN
// reads as 0.
uint16_t valueToRaw(double value, AnalogRangeType type, bool unsignedFlag);

// Signed count of a mail alert threshold: the value is first held to -4000..+7000.
uint16_t valueToRawAlert(double value, AnalogRangeType type);

// Percent of full scale of a signed count, "%+4.3f" ("+50.002").
std::string rawToPercent(int raw);

// Signed count of a percent text (the number at its start, strtod's rules); nothing when
// the number is not finite (too large, "inf", "nan").
std::optional<int16_t> percentToRaw(const std::string& text);

// The limits of a typed threshold and width: the upper limit first, then the lower.
double clampThreshold(double value, AnalogRangeType type);
double clampHysteresis(double value, AnalogRangeType type);

// A value as the labels show it: " 1.9999 V", " 50.000 mV" for type 0 (in millivolts);
// without the unit the value stays in volts.
std::string formatValue(double value, AnalogRangeType type, bool withUnit);

// A value as an edit box holds it: "%f" ("10.000000").
std::string formatEntry(double value);

} // namespace kovra

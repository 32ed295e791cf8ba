#include "core/alerts/analog_scaling.h"

#include "core/alerts/number_text.h"

#include <cmath>

namespace kovra {

namespace {

constexpr double kPositiveDivisor = 32767.0;
constexpr double kNegativeDivisor = 32768.0;
constexpr double kTemperatureCountsPerDegree = 10.0;
constexpr double kAlertValueMax = 7000.0;
constexpr double kAlertValueMin = -4000.0;
constexpr double kPercent = 100.0;
constexpr int kSignBit = 0x8000;
constexpr int kCountSpan = 0x10000;
constexpr int kCountMask = 0xFFFF;

// Full scale F of the voltage and current types (type 0 and 6 are computed apart).
double fullScale(AnalogRangeType type)
{
    switch (effectiveRangeType(type)) {
    case kRangeVoltage1V:
        return 1.0;
    case kRangeVoltage10V:
        return 10.0;
    case kRangeCurrent250Ohm:
    case kRangeCurrent50Ohm:
        return 20.0;
    default:
        return 30.0;
    }
}

struct Limits {
    double thresholdMax;
    double thresholdMin;
    double widthMax;
};

Limits limits(AnalogRangeType type)
{
    switch (effectiveRangeType(type)) {
    case kRangeVoltage100mV:
        return { 0.1, -0.1, 0.2 };
    case kRangeVoltage1V:
        return { 1.0, -1.0, 2.0 };
    case kRangeVoltage10V:
        return { 10.0, -10.0, 20.0 };
    case kRangeCurrent250Ohm:
    case kRangeCurrent50Ohm:
        return { 20.0, 0.0, 20.0 };
    case kRangeTemperature:
        // The signed count range: 3276.7 on the upper side, not 3276.8.
        return { 3276.7, -3276.8, 6553.5 };
    default:
        return { 30.0, -30.0, 60.0 };
    }
}

// Count before rounding: the value over full scale times the divisor.
double scaledCount(double value, AnalogRangeType type, double divisor)
{
    switch (effectiveRangeType(type)) {
    case kRangeVoltage100mV:
        return value * 10.0 * divisor;
    case kRangeTemperature:
        return value * kTemperatureCountsPerDegree;
    default:
        return value / fullScale(type) * divisor;
    }
}

} // namespace

double rawToValue(int raw, AnalogRangeType type, bool unsignedFlag)
{
    int count = raw & kCountMask;
    if (!unsignedFlag && count >= kSignBit)
        count -= kCountSpan;
    const double divisor = count > 0 ? kPositiveDivisor : kNegativeDivisor;
    const double r = count;
    switch (effectiveRangeType(type)) {
    case kRangeVoltage100mV:
        return r / 10.0 / divisor;
    case kRangeTemperature:
        return r / kTemperatureCountsPerDegree;
    default:
        return r * fullScale(type) / divisor;
    }
}

uint16_t valueToRaw(double value, AnalogRangeType type, bool unsignedFlag)
{
    // A NaN would make the integer conversion below undefined.
    if (std::isnan(value))
        value = 0.0;
    if ((isCurrentRange(type) || unsignedFlag) && value < 0.0)
        value = 0.0;
    // Adding or subtracting 0.5 before truncation rounds half away from zero.
    double raw = value > 0.0 ? std::trunc(scaledCount(value, type, kPositiveDivisor) + 0.5)
                             : std::trunc(scaledCount(value, type, kNegativeDivisor) - 0.5);
    // Held in floating point, so that huge values never reach an integer conversion.
    const double high = unsignedFlag ? kUnsignedCountMax : kCountMax;
    const double low = unsignedFlag ? 0.0 : kCountMin;
    if (raw > high)
        raw = high;
    if (raw < low)
        raw = low;
    return uint16_t(int(raw) & kCountMask);
}

uint16_t valueToRawAlert(double value, AnalogRangeType type)
{
    if (value > kAlertValueMax)
        value = kAlertValueMax;
    if (value < kAlertValueMin)
        value = kAlertValueMin;
    return valueToRaw(value, type, false);
}

std::string rawToPercent(int raw)
{
    const int count = raw & kCountMask;
    const double percent = (count & kSignBit) ? (count - kCountSpan) * kPercent / kNegativeDivisor
                                              : count * kPercent / kPositiveDivisor;
    return formatFixed(percent, 4, 3, true);
}

std::optional<int16_t> percentToRaw(const std::string& text)
{
    const double value = readLeadingNumber(text);
    if (!std::isfinite(value))
        return std::nullopt;
    double raw;
    if (value >= 0.0) {
        raw = std::trunc(value * kPositiveDivisor / kPercent + 0.5);
        if (raw > kCountMax)
            raw = kCountMax;
    } else {
        raw = std::trunc(value * kNegativeDivisor / kPercent - 0.5);
        if (raw < kCountMin)
            raw = kCountMin;
    }
    return int16_t(raw);
}

double clampThreshold(double value, AnalogRangeType type)
{
    const Limits l = limits(type);
    if (value > l.thresholdMax)
        value = l.thresholdMax;
    if (value < l.thresholdMin)
        value = l.thresholdMin;
    return value;
}

double clampHysteresis(double value, AnalogRangeType type)
{
    const Limits l = limits(type);
    if (value > l.widthMax)
        value = l.widthMax;
    if (value < 0.0)
        value = 0.0;
    return value;
}

std::string formatValue(double value, AnalogRangeType type, bool withUnit)
{
    constexpr int kWidth = 7;
    switch (effectiveRangeType(type)) {
    case kRangeVoltage100mV:
        return withUnit ? formatFixed(value * 1000.0, kWidth, 3) + " mV" : formatFixed(value, kWidth, 3);
    case kRangeVoltage1V:
        return formatFixed(value, kWidth, 5) + (withUnit ? " V" : "");
    case kRangeCurrent250Ohm:
    case kRangeCurrent50Ohm:
        return formatFixed(value, kWidth, 3) + (withUnit ? " mA" : "");
    case kRangeTemperature:
        return formatFixed(value, kWidth, 2) + (withUnit ? " ℃" : "");
    default:
        return formatFixed(value, kWidth, 4) + (withUnit ? " V" : "");
    }
}

std::string formatEntry(double value)
{
    return formatFixed(value, 0, 6);
}

} // namespace kovra

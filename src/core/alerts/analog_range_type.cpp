#include "core/alerts/analog_range_type.h"

namespace kovra {

namespace {

const char* const kRangeNames[kAnalogRangeTypeCount] = {
    "電圧[±0.1V]",
    "電圧[±1V]",
    "電圧[±10V]",
    "電圧[±30V]",
    "電流[0-20mA]",
    "電流[0-20mA]",
    "温度[℃]",
};

// Types 4 and 5 are the same 0-20 mA input measured across two different shunts.
const char* const kRangeListTexts[kAnalogRangeTypeCount] = {
    "100mV",
    "1V",
    "10V",
    "30V",
    "0-20mA(250Ω)",
    "0-20mA(50Ω)",
    "℃",
};

} // namespace

AnalogRangeType effectiveRangeType(AnalogRangeType type)
{
    return type < AnalogRangeType(kAnalogRangeTypeCount) ? type : kRangeVoltage30V;
}

bool isCurrentRange(AnalogRangeType type)
{
    const AnalogRangeType t = effectiveRangeType(type);
    return t == kRangeCurrent250Ohm || t == kRangeCurrent50Ohm;
}

std::string analogRangeName(AnalogRangeType type)
{
    return kRangeNames[effectiveRangeType(type)];
}

std::string analogRangeListText(AnalogRangeType type)
{
    return kRangeListTexts[effectiveRangeType(type)];
}

std::string analogEntryUnit(AnalogRangeType type)
{
    const AnalogRangeType t = effectiveRangeType(type);
    if (t == kRangeTemperature)
        return "℃";
    return isCurrentRange(t) ? "mA" : "V";
}

} // namespace kovra

#pragma once

#include <cstdint>
#include <string>

namespace kovra {

// The input range of an analog channel as the unit stores it. Values 0..6 are defined;
// 3 and every value above 6 share the ±30 V arithmetic, names and formats.
using AnalogRangeType = uint32_t;

constexpr AnalogRangeType kRangeVoltage100mV = 0;
constexpr AnalogRangeType kRangeVoltage1V = 1;
constexpr AnalogRangeType kRangeVoltage10V = 2;
constexpr AnalogRangeType kRangeVoltage30V = 3;
constexpr AnalogRangeType kRangeCurrent250Ohm = 4;
constexpr AnalogRangeType kRangeCurrent50Ohm = 5;
constexpr AnalogRangeType kRangeTemperature = 6;
constexpr int kAnalogRangeTypeCount = 7;

// The type whose arithmetic a stored type value gets: itself for 0..6, else the ±30 V type.
AnalogRangeType effectiveRangeType(AnalogRangeType type);

bool isCurrentRange(AnalogRangeType type);

// The range's name ("電圧[±10V]"), as in the DO alert caption.
std::string analogRangeName(AnalogRangeType type);

// The range's entry in a range list ("10V", "0-20mA(250Ω)").
std::string analogRangeListText(AnalogRangeType type);

// The unit beside an edit box that holds a typed value: "V", "mA" or "℃".
std::string analogEntryUnit(AnalogRangeType type);

} // namespace kovra

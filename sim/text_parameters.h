#pragma once

#include "unit_config.h"

#include <string>
#include <utility>
#include <vector>

namespace sim {

// A text-protocol unit's parameters in the order it lists them; credentials are kept in clear.
using ParameterList = std::vector<std::pair<std::string, std::string>>;

// The version in hundredths that a reported sketch version stands for (1 means 1.00).
int sketchHundredths(int reported);
// Units of kind 7, and of kind 5 from version 1.03, keep their per-entry mail credentials
// scrambled on the wire ("E%dUSER"/"E%dPASS") and understand "GETPARAM".
bool scramblesCredentials(int kind, int reportedSketch);

// The kind's defaults for a unit of this model, with the fleet file's parameters applied.
ParameterList defaultParameters(const UnitConfig& config);

// The units' credential shifts (the PC side has the same two).
constexpr int kUserShift = 23;
constexpr int kPassShift = 58;
constexpr size_t kPadLength = 5;

// Moves each printable byte ("!".."~") by shift around those 94; the text ends at the first
// other byte, at most 64 bytes.
std::string shiftCredential(const std::string& text, int shift);
// pad + text shifted + pad, with random pads.
std::string padScrambled(const std::string& clear, int shift);
// The clear text of a padded scrambled value; empty when it is too short for its pads.
std::string unpadUnscrambled(const std::string& value, int shift);

} // namespace sim

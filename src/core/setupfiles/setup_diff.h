#pragma once

#include "core/setupfiles/setup_file_kind.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kovra {

// What writing a setup file would change in the unit: keys (.lwi), byte ranges of blocks
// (.rec) or items by group (.xml).
struct SetupChange {
    enum class Kind { Added, Removed, Changed };
    Kind kind = Kind::Changed;
    std::string where; // "PORT1"; "block 3 0x10-0x1F"; "Interface wlan0 / IP Address"
    std::string unitValue; // empty for Added
    std::string fileValue; // empty for Removed
};

// Compares the file with the unit's live setup, both of the given kind (the .xml file as it
// would be sent, without the groups the write cuts out). Added: only in the file; Removed:
// only in the unit (a write leaves it as it is); Changed: both, different.
std::vector<SetupChange> diffSetup(SetupFileKind kind, const std::string& file, const std::string& unit);

const char* changeKindName(SetupChange::Kind kind); // "added", "removed", "changed"

// One line per change ("~ PORT1: 10001 -> 10002", "+ KEY: v", "- KEY: v"); at most maxLines,
// then a line that says how many more there are. "no changes" when there are none.
std::string diffText(const std::vector<SetupChange>& changes, size_t maxLines = SIZE_MAX);

} // namespace kovra

#pragma once

#include "core/app/main_window_view.h"
#include "core/units/unit_table.h"

#include <optional>

namespace kovra {

class KindReaders;

// The model-query result handed to the row builder besides a ModelId.
constexpr int kModelNotQueried = -1; // not on the adapter's subnet, or the query failed
constexpr int kModelPortDiffers = -2; // on the subnet, but its port is not the search port

// The row builder's worker half, run on the worker that found the unit: the reads a row
// needs, then the row's texts. Nothing when the unit gets no row.
std::optional<DeviceRow> buildUnitRow(UnitSlot& slot, int modelResult, bool showVersions, KindReaders& readers);

// The reads a row needs: the Wi-Fi module's interface (kind 2) or the wired unit's
// network records (kinds 0, 1, 4); other kinds need none. False: no row.
bool readRowNetwork(UnitSlot& slot, KindReaders& readers);

// Normalises the model (which may change the kind) and gives the row's three texts.
DeviceRow unitRowText(UnitSlot& slot, bool showVersions);

// The port edit's number: decimal digits up to the first other character; empty gives 0.
int parsePortText(const std::string& text);

} // namespace kovra

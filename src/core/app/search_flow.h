#pragma once

#include "core/app/flow_context.h"
#include "core/platform/ipv4.h"
#include "core/units/unit_table.h"

namespace kovra {

class KindReaders;

// Units read side by side by default: one per slot of the table, as the model queries
// always were (a newer unit's model query alone waits 1.5 s).
constexpr int kSearchWorkers = kMaxUnits;

// The search button's flow, on a worker thread: the broadcast search into a table of its
// own; each unit, as its answer is accepted, is handed by value to a worker that
// classifies it, queries its model when it is on the adapter's subnet at the search port,
// makes the reads its row needs and posts it to the window with its row (or with none
// when it cannot be listed). The rows reach the window one at a time, in the order the
// workers finish; `searchHandedOut` tells it how many units there were.
class SearchFlow {
public:
    struct Setup {
        int searchPort = 0;
        Ipv4 adapterAddress = 0;
        Ipv4 adapterMask = 0;
        bool showVersions = false;
        int workers = kSearchWorkers; // 1: one unit after another (the benchmark's reference)
    };

    SearchFlow(FlowContext context, KindReaders& readers, Setup setup);
    void run();

private:
    void listUnit(UnitSlot unit);

    FlowContext m_context;
    KindReaders& m_readers;
    Setup m_setup;
};

} // namespace kovra

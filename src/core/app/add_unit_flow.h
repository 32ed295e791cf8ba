#pragma once

#include "core/app/flow_context.h"
#include "core/platform/ipv4.h"
#include "core/units/unit_table.h"

#include <memory>
#include <string>

namespace kovra {

class KindReaders;

// The add button's flow, on a worker thread: the unicast query of one address, its
// classification like a searched unit, its model query when it is on the subnet at the
// search port, the reads its row needs, then its row. It works on a copy of the window's
// table (the checks of a full table and of an address already listed) and hands the unit
// back to the window, which alone changes the table. Every failure shows "追加できません".
class AddUnitFlow {
public:
    struct Setup {
        std::string addressText;
        int searchPort = 0;
        Ipv4 adapterAddress = 0;
        Ipv4 adapterMask = 0;
        bool showVersions = false;
    };

    AddUnitFlow(FlowContext context, std::unique_ptr<UnitTable> snapshot, KindReaders& readers, Setup setup);
    void run();

private:
    // False when the unit cannot be added; else the last slot of the snapshot holds it.
    bool addUnit();

    FlowContext m_context;
    std::unique_ptr<UnitTable> m_table;
    KindReaders& m_readers;
    Setup m_setup;
};

} // namespace kovra

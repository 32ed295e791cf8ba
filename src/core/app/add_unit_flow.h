#pragma once

#include "core/app/flow_context.h"
#include "core/platform/ipv4.h"

#include <string>

namespace kovra {

class KindReaders;
class UnitTable;

// The add button's flow, on a worker thread: the unicast query of one address, its
// classification like a searched unit, its model query when it is on the subnet at the
// search port, the reads its row needs, then its row. Every failure shows "追加できません"
// and leaves the table as it was.
class AddUnitFlow {
public:
    struct Setup {
        std::string addressText;
        int searchPort = 0;
        Ipv4 adapterAddress = 0;
        Ipv4 adapterMask = 0;
        bool showVersions = false;
    };

    AddUnitFlow(FlowContext context, UnitTable& table, KindReaders& readers, Setup setup);
    void run();

private:
    // False when the unit cannot be added; its slot is gone again.
    bool addUnit();

    FlowContext m_context;
    UnitTable& m_table;
    KindReaders& m_readers;
    Setup m_setup;
};

} // namespace kovra

#pragma once

#include "core/platform/ipv4.h"

#include <string>

namespace kovra {

class MainWindowModel;

// The add button's flow, on a worker thread: the unicast query of one address, its
// classification like a searched unit, its model query when it is on the subnet at the
// search port, the reads its row needs, then its row. Every failure shows "追加できません"
// and leaves the table as it was.
class AddUnitFlow {
public:
    AddUnitFlow(MainWindowModel& model, std::string addressText, int searchPort, Ipv4 adapterAddress,
        Ipv4 adapterMask);
    void run();

private:
    // False when the unit cannot be added; its slot is gone again.
    bool addUnit();

    MainWindowModel& m_model;
    std::string m_addressText;
    int m_searchPort;
    Ipv4 m_adapterAddress;
    Ipv4 m_adapterMask;
};

} // namespace kovra

#pragma once

#include "core/platform/ipv4.h"

namespace kovra {

class MainWindowModel;

// The search button's flow, on a worker thread: the broadcast search, the classification,
// then the list fill, in table order, with one model-query worker per unit on the
// adapter's subnet at the search port. Each worker takes its slot through `pendingRow`
// before the next one starts; rows reach the window through the dispatcher, one at a time.
class SearchFlow {
public:
    SearchFlow(MainWindowModel& model, int searchPort, Ipv4 adapterAddress, Ipv4 adapterMask);
    void run();

private:
    void startModelQuery(int slot);
    void queryModelWorker();
    void postRow(int slot, int modelResult);

    MainWindowModel& m_model;
    int m_searchPort;
    Ipv4 m_adapterAddress;
    Ipv4 m_adapterMask;
};

} // namespace kovra

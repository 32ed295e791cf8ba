#pragma once

#include "core/app/flow_context.h"
#include "core/platform/ipv4.h"

#include <atomic>
#include <memory>

namespace kovra {

class FlowRunner;
class KindReaders;
class UnitTable;

// The search button's flow, on a worker thread: the broadcast search, the classification,
// then the list fill, in table order, with one model-query worker per unit on the
// adapter's subnet at the search port. Each worker takes its slot through `pendingRow`
// before the next one starts; rows reach the window through the dispatcher, one at a time.
class SearchFlow {
public:
    struct Setup {
        int searchPort = 0;
        Ipv4 adapterAddress = 0;
        Ipv4 adapterMask = 0;
        bool showVersions = false;
    };

    SearchFlow(FlowContext context, UnitTable& table, KindReaders& readers, FlowRunner& workers, Setup setup);
    void run();

private:
    void startModelQuery(int slot);
    void queryModelWorker();
    void postRow(int slot, int modelResult);

    FlowContext m_context;
    UnitTable& m_table;
    KindReaders& m_readers;
    FlowRunner& m_workers;
    Setup m_setup;
    // The slot handed to the model-query worker being started; -1 once it holds it.
    std::shared_ptr<std::atomic<int>> m_pendingRow = std::make_shared<std::atomic<int>>(-1);
};

} // namespace kovra

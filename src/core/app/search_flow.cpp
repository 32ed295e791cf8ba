#include "core/app/search_flow.h"

#include "core/app/flow_runner.h"
#include "core/app/main_window_model.h"
#include "core/app/system_texts.h"
#include "core/app/unit_row_builder.h"
#include "core/net/discovery.h"
#include "core/net/model_query.h"
#include "core/net/unit_classifier.h"

#include <chrono>
#include <thread>

namespace kovra {

SearchFlow::SearchFlow(
    FlowContext context, UnitTable& table, KindReaders& readers, FlowRunner& workers, Setup setup)
    : m_context(context)
    , m_table(table)
    , m_readers(readers)
    , m_workers(workers)
    , m_setup(setup)
{
}

void SearchFlow::run()
{
    const int found = searchUnits(m_table);
    if (found < 0)
        m_context.ui.showMessage(texts::kCommunicationError);
    if (found > 0)
        classifyUnits(m_table, m_setup.adapterAddress, m_setup.adapterMask, m_readers);

    const int count = m_table.unitCount();
    MainWindowModel* model = &m_context.model;
    m_context.dispatcher.post([model, count] { model->beginFill(count); });

    for (int slot = 0; slot < count; ++slot) {
        const UnitRecord& unit = m_table.record(slot);
        if (unit.sameSubnet && unit.unitPort() == m_setup.searchPort)
            startModelQuery(slot);
        else
            postRow(slot, unit.sameSubnet ? kModelPortDiffers : kModelNotQueried);
    }
    m_context.dispatcher.post([model, count] { model->searchHandedOut(count); });
}

void SearchFlow::startModelQuery(int slot)
{
    *m_pendingRow = slot;
    m_workers.start([flow = *this]() mutable { flow.queryModelWorker(); });
    // The next worker starts only once this one holds its slot.
    while (m_pendingRow->load() != -1)
        std::this_thread::sleep_for(std::chrono::microseconds(200));
}

void SearchFlow::queryModelWorker()
{
    const int slot = m_pendingRow->load();
    UnitRecord& unit = m_table.record(slot);
    const std::string ipText = unit.ipText;
    const uint16_t port = unit.unitPort();
    *m_pendingRow = -1;

    int modelIndex = -1;
    int unitSwitch = -1;
    const int result = queryModel(ipText, port, modelIndex, unitSwitch);
    unit.modelIndex = result == 0 ? modelIndex : -1;
    unit.unitSwitch = result == 0 ? unitSwitch : -1;
    postRow(slot, result == 0 ? modelIndex : kModelNotQueried);
}

void SearchFlow::postRow(int slot, int modelResult)
{
    auto row = buildUnitRow(m_table.slot(slot), modelResult, m_setup.showVersions, m_readers);
    MainWindowModel* model = &m_context.model;
    m_context.dispatcher.post([model, row] { model->unitRowReady(row); });
}

} // namespace kovra

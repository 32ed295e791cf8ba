#include "core/app/search_flow.h"

#include "core/app/bounded_workers.h"
#include "core/app/main_window_model.h"
#include "core/app/system_texts.h"
#include "core/app/unit_row_builder.h"
#include "core/net/discovery.h"
#include "core/net/model_query.h"
#include "core/net/unit_classifier.h"

#include <memory>

namespace kovra {

SearchFlow::SearchFlow(FlowContext context, KindReaders& readers, Setup setup)
    : m_context(context)
    , m_readers(readers)
    , m_setup(setup)
{
}

void SearchFlow::run()
{
    MainWindowModel* model = &m_context.model;
    m_context.dispatcher.post([model] { model->beginFill(); });

    auto table = std::make_unique<UnitTable>(); // large: off the stack
    int handedOut = 0;
    {
        BoundedWorkers workers(m_setup.workers);
        const int found = searchUnits(*table, kBroadcastDestination, [&](const UnitSlot& unit) {
            ++handedOut;
            workers.post([this, unit] { listUnit(unit); });
        });
        if (found < 0)
            m_context.ui.showMessage(texts::kCommunicationError);
    }
    m_context.dispatcher.post([model, handedOut] { model->searchHandedOut(handedOut); });
}

void SearchFlow::listUnit(UnitSlot unit)
{
    std::optional<DeviceRow> row;
    if (classifySearchedUnit(unit, m_setup.adapterAddress, m_setup.adapterMask, m_readers)) {
        UnitRecord& record = unit.record;
        int modelResult = record.sameSubnet ? kModelPortDiffers : kModelNotQueried;
        if (record.sameSubnet && record.unitPort() == m_setup.searchPort) {
            int modelIndex = -1;
            int unitSwitch = -1;
            const bool known = queryModel(record.ipText, record.unitPort(), modelIndex, unitSwitch) == 0;
            record.modelIndex = known ? modelIndex : -1;
            record.unitSwitch = known ? unitSwitch : -1;
            modelResult = known ? modelIndex : kModelNotQueried;
        }
        row = buildUnitRow(unit, modelResult, m_setup.showVersions, m_readers);
    }
    MainWindowModel* model = &m_context.model;
    m_context.dispatcher.post([model, unit = std::move(unit), row] { model->unitRowReady(unit, row); });
}

} // namespace kovra

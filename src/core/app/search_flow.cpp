#include "core/app/search_flow.h"

#include "core/app/main_window_model.h"
#include "core/app/system_texts.h"
#include "core/app/unit_row_builder.h"
#include "core/net/discovery.h"
#include "core/net/model_query.h"
#include "core/net/unit_classifier.h"

#include <chrono>
#include <thread>

namespace kovra {

SearchFlow::SearchFlow(MainWindowModel& model, int searchPort, Ipv4 adapterAddress, Ipv4 adapterMask)
    : m_model(model)
    , m_searchPort(searchPort)
    , m_adapterAddress(adapterAddress)
    , m_adapterMask(adapterMask)
{
}

void SearchFlow::run()
{
    UnitTable& table = m_model.m_table;
    const int found = searchUnits(table);
    if (found < 0)
        m_model.m_ui.showMessage(texts::kCommunicationError);
    if (found > 0)
        classifyUnits(table, m_adapterAddress, m_adapterMask, m_model.kindReaders());

    const int count = table.unitCount();
    MainWindowModel* model = &m_model;
    model->m_dispatcher.post([model, count] {
        model->m_view.clearDeviceRows();
        model->m_rows.clear();
        model->m_rowsAdded = 0;
        model->m_rowsDone = 0;
        model->m_fillCount = count;
    });

    for (int slot = 0; slot < count; ++slot) {
        const UnitRecord& unit = table.record(slot);
        if (unit.sameSubnet && unit.unitPort() == m_searchPort)
            startModelQuery(slot);
        else
            postRow(slot, unit.sameSubnet ? kModelPortDiffers : kModelNotQueried);
    }

    model->m_dispatcher.post([model, count] {
        if (count > 0) {
            model->enableAddressGroup(false);
        } else {
            model->m_view.setStatusText(model->m_versionText);
            model->enableMainControls(true);
            model->m_searching = false;
        }
    });
}

void SearchFlow::startModelQuery(int slot)
{
    m_model.m_pendingRow = slot;
    m_model.m_runner.start([flow = *this]() mutable { flow.queryModelWorker(); });
    // The next worker starts only once this one holds its slot.
    while (m_model.m_pendingRow.load() != -1)
        std::this_thread::sleep_for(std::chrono::microseconds(200));
}

void SearchFlow::queryModelWorker()
{
    const int slot = m_model.m_pendingRow.load();
    UnitRecord& unit = m_model.m_table.record(slot);
    const std::string ipText = unit.ipText;
    const uint16_t port = unit.unitPort();
    m_model.m_pendingRow = -1;

    int modelIndex = -1;
    int unitSwitch = -1;
    const int result = queryModel(ipText, port, modelIndex, unitSwitch);
    unit.modelIndex = result == 0 ? modelIndex : -1;
    unit.unitSwitch = result == 0 ? unitSwitch : -1;
    postRow(slot, result == 0 ? modelIndex : kModelNotQueried);
}

void SearchFlow::postRow(int slot, int modelResult)
{
    auto row = buildUnitRow(m_model.m_table.slot(slot), modelResult, m_model.m_options.showVersions,
        m_model.kindReaders());
    MainWindowModel* model = &m_model;
    model->m_dispatcher.post([model, row] { model->onUnitRowReady(row); });
}

} // namespace kovra

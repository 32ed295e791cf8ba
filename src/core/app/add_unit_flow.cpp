#include "core/app/add_unit_flow.h"

#include "core/app/main_window_model.h"
#include "core/app/system_texts.h"
#include "core/app/unit_row_builder.h"
#include "core/net/discovery.h"
#include "core/net/model_query.h"
#include "core/net/unit_classifier.h"

namespace kovra {

AddUnitFlow::AddUnitFlow(
    FlowContext context, std::unique_ptr<UnitTable> snapshot, KindReaders& readers, Setup setup)
    : m_context(context)
    , m_table(std::move(snapshot))
    , m_readers(readers)
    , m_setup(std::move(setup))
{
}

void AddUnitFlow::run()
{
    std::optional<ListedUnit> added;
    if (addUnit()) {
        UnitSlot& unit = m_table->slot(m_table->unitCount() - 1);
        const DeviceRow row = unitRowText(unit, m_setup.showVersions);
        added = ListedUnit { unit, row };
    } else {
        m_context.ui.showMessage(texts::kCannotAdd);
    }
    MainWindowModel* model = &m_context.model;
    m_context.dispatcher.post([model, added = std::move(added)] { model->unitAdded(added); });
}

bool AddUnitFlow::addUnit()
{
    Ipv4 address = 0;
    if (!parseIpv4(m_setup.addressText, address) || queryUnit(*m_table, address) != 1)
        return false;
    UnitSlot& added = m_table->slot(m_table->unitCount() - 1);
    if (!classifyAddedUnit(added, m_setup.adapterAddress, m_setup.adapterMask, m_readers))
        return false;
    UnitRecord& unit = added.record;
    if (unit.sameSubnet && unit.unitPort() == m_setup.searchPort
        && queryModel(unit.ipText, unit.unitPort(), unit.modelIndex, unit.unitSwitch) != 0)
        return false;
    // The add reads what a row needs also for a unit on another subnet.
    return readRowNetwork(added, m_readers);
}

} // namespace kovra

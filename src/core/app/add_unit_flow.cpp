#include "core/app/add_unit_flow.h"

#include "core/app/main_window_model.h"
#include "core/app/system_texts.h"
#include "core/app/unit_row_builder.h"
#include "core/net/discovery.h"
#include "core/net/model_query.h"
#include "core/net/unit_classifier.h"

namespace kovra {

AddUnitFlow::AddUnitFlow(FlowContext context, UnitTable& table, KindReaders& readers, Setup setup)
    : m_context(context)
    , m_table(table)
    , m_readers(readers)
    , m_setup(std::move(setup))
{
}

void AddUnitFlow::run()
{
    std::optional<DeviceRow> row;
    if (addUnit())
        row = unitRowText(m_table.slot(m_table.unitCount() - 1), m_setup.showVersions);
    else
        m_context.ui.showMessage(texts::kCannotAdd);
    MainWindowModel* model = &m_context.model;
    m_context.dispatcher.post([model, row] { model->unitAdded(row); });
}

bool AddUnitFlow::addUnit()
{
    UnitTable& table = m_table;
    Ipv4 address = 0;
    if (!parseIpv4(m_setup.addressText, address) || queryUnit(table, address) != 1)
        return false;
    const int slot = table.unitCount() - 1;
    KindReaders& readers = m_readers;
    if (!classifyAddedUnit(table, slot, m_setup.adapterAddress, m_setup.adapterMask, readers))
        return false;

    UnitSlot& added = table.slot(slot);
    UnitRecord& unit = added.record;
    bool ok = true;
    if (unit.sameSubnet && unit.unitPort() == m_setup.searchPort)
        ok = queryModel(unit.ipText, unit.unitPort(), unit.modelIndex, unit.unitSwitch) == 0;
    // The add reads what a row needs also for a unit on another subnet.
    if (ok)
        ok = readRowNetwork(added, readers);
    if (!ok) {
        // A unit that cannot be listed must not stay in the table either: a later add of the
        // same address would be refused as already listed.
        table.removeSlot(slot);
        return false;
    }
    return true;
}

} // namespace kovra

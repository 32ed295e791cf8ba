#include "core/app/add_unit_flow.h"

#include "core/app/main_window_model.h"
#include "core/app/system_texts.h"
#include "core/app/unit_row_builder.h"
#include "core/net/discovery.h"
#include "core/net/model_query.h"
#include "core/net/unit_classifier.h"

namespace kovra {

AddUnitFlow::AddUnitFlow(MainWindowModel& model, std::string addressText, int searchPort, Ipv4 adapterAddress,
    Ipv4 adapterMask)
    : m_model(model)
    , m_addressText(std::move(addressText))
    , m_searchPort(searchPort)
    , m_adapterAddress(adapterAddress)
    , m_adapterMask(adapterMask)
{
}

void AddUnitFlow::run()
{
    std::optional<DeviceRow> row;
    if (addUnit()) {
        UnitTable& table = m_model.m_table;
        row = unitRowText(table.slot(table.unitCount() - 1), m_model.m_options.showVersions);
    } else {
        m_model.m_ui.showMessage(texts::kCannotAdd);
    }
    MainWindowModel* model = &m_model;
    model->m_dispatcher.post([model, row] {
        model->m_fillCount = model->m_rowsDone + 1;
        model->onUnitRowReady(row);
        model->m_adding = false;
    });
}

bool AddUnitFlow::addUnit()
{
    UnitTable& table = m_model.m_table;
    Ipv4 address = 0;
    if (!parseIpv4(m_addressText, address) || queryUnit(table, address) != 1)
        return false;
    const int slot = table.unitCount() - 1;
    KindReaders& readers = m_model.kindReaders();
    if (!classifyAddedUnit(table, slot, m_adapterAddress, m_adapterMask, readers))
        return false;

    UnitSlot& added = table.slot(slot);
    UnitRecord& unit = added.record;
    bool ok = true;
    if (unit.sameSubnet && unit.unitPort() == m_searchPort)
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

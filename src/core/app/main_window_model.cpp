#include "core/app/main_window_model.h"

#include "core/app/add_unit_flow.h"
#include "core/app/address_conflicts.h"
#include "core/app/setting_command_choice.h"
#include "core/app/system_texts.h"
#include "core/app/unit_address_writers.h"
#include "core/app/unit_kind_readers.h"
#include "core/app/unit_row_builder.h"
#include "core/app/unlisted_units_text.h"
#include "core/net/unit_classifier.h"
#include "core/platform/bind_address.h"
#include "core/wifi/module_import.h"

namespace kovra {

MainWindowModel::MainWindowModel(MainWindowView& view, WindowDispatcher& dispatcher, UserInterface& ui,
    ProgramOptions options, AdapterSource adapters)
    : m_view(view)
    , m_dispatcher(dispatcher)
    , m_ui(ui)
    , m_options(options)
    , m_versionText(kovra::versionText(programVersion()))
    , m_adapterSource(std::move(adapters))
{
}

MainWindowModel::~MainWindowModel()
{
    m_runner.waitAll();
    // An import may run in the flows' cancel scope, which goes with the runner.
    waitForImport();
}

MainWindowModel::StartResult MainWindowModel::onInitDialog()
{
    m_adapters.clear();
    if (m_adapterSource(m_adapters) == kAdapterListUnreadable)
        return StartResult::AdapterListUnreadable;
    if (m_adapters.empty()) {
        m_ui.showMessage(texts::kNoNetworkDevice);
        m_view.closeWindow(-1);
        return StartResult::NoAdapter;
    }
    std::vector<std::string> lines;
    for (const auto& adapter : m_adapters)
        lines.push_back(adapterLine(adapter));
    m_view.setAdapterLines(lines, 0);
    onAdapterSelected(0);

    enableAddressGroup(false);
    m_rowsDone = 0;
    m_view.setStatusText(m_versionText);
    m_view.setProgressVisible(false);
    m_view.setProgressValue(0);
    return StartResult::Ready;
}

void MainWindowModel::onAdapterSelected(int index)
{
    if (index < 0 || index >= int(m_adapters.size()))
        return;
    m_selectedAdapter = index;
    setBindAddress(m_adapters[size_t(index)].address);
}

void MainWindowModel::enableMainControls(bool enabled)
{
    m_view.setMainControlsEnabled(enabled);
    enableAddressGroup(false);
}

void MainWindowModel::enableAddressGroup(bool enabled)
{
    AddressGroupState group = enabled ? m_addressGroup : disabledAddressGroup();
    if (enabled)
        group.dhcpEnabled = group.addressEnabled = group.maskEnabled = group.gatewayEnabled
            = group.pingEnabled = group.setEnabled = true;
    setAddressGroup(group);
}

void MainWindowModel::setAddressGroup(const AddressGroupState& group)
{
    m_addressGroup = group;
    m_view.setAddressGroup(group);
}

bool MainWindowModel::selectedAdapterNetwork(Ipv4& address, Ipv4& mask) const
{
    if (m_selectedAdapter < 0)
        return false;
    address = m_adapters[size_t(m_selectedAdapter)].address;
    mask = m_adapters[size_t(m_selectedAdapter)].mask;
    return true;
}

KindReaders& MainWindowModel::kindReaders()
{
    static UnitKindReaders readers;
    return m_readers ? *m_readers : readers;
}

AddressWriters& MainWindowModel::addressWriters()
{
    static UnitAddressWriters writers;
    return m_writers ? *m_writers : writers;
}

void MainWindowModel::onSetAddress(const AddressEntry& entry, SetAddressFlow::Done done)
{
    const int slot = selectedSlot();
    if (slot < 0)
        return;
    startFlow(std::make_shared<SetAddressFlow>(
        flowContext(), m_table.slot(slot), entry, addressWriters(), std::move(done)));
}

void MainWindowModel::onPing(const std::string& addressText, PingFlow::Done done)
{
    const int slot = selectedSlot();
    const Ipv4 unitAddress = slot >= 0 ? m_table.record(slot).peerAddress : 0;
    startFlow(std::make_shared<PingFlow>(m_ui, addressText, unitAddress, std::move(done)));
}

void MainWindowModel::onSearch(const std::string& portText)
{
    m_view.clearDeviceRows();
    m_rows.clear();
    m_selectedIpText.clear();
    m_view.setStatusText(texts::kSearching);
    enableMainControls(false);
    m_searching = true;

    SearchFlow::Setup setup;
    setup.searchPort = parsePortText(portText);
    setup.showVersions = m_options.showVersions;
    setup.workers = m_searchWorkers;
    selectedAdapterNetwork(setup.adapterAddress, setup.adapterMask);
    startFlow(std::make_shared<SearchFlow>(flowContext(), kindReaders(), setup));
}

void MainWindowModel::onAddByAddress(const std::string& addressText, const std::string& portText)
{
    if (addressText.empty())
        return;
    // The add blocks the list while it changes the table.
    enableMainControls(false);
    m_adding = true;
    AddUnitFlow::Setup setup;
    setup.addressText = addressText;
    setup.searchPort = parsePortText(portText);
    setup.showVersions = m_options.showVersions;
    selectedAdapterNetwork(setup.adapterAddress, setup.adapterMask);
    startFlow(std::make_shared<AddUnitFlow>(
        flowContext(), std::make_unique<UnitTable>(m_table), kindReaders(), std::move(setup)));
}

void MainWindowModel::onSelectionChanged(const std::string& ipText)
{
    m_selectedIpText = ipText;
    const int slot = selectedSlot();
    AddressGroupState group = m_addressGroup;
    applySelection(group, slot >= 0 ? &m_table.slot(slot) : nullptr);
    setAddressGroup(group);
}

int MainWindowModel::selectedSlot() const
{
    return m_table.findByIpText(m_selectedIpText);
}

void MainWindowModel::onDhcpClicked(bool checked)
{
    const int slot = selectedSlot();
    AddressGroupState group = m_addressGroup;
    applyDhcpCheckBox(group, checked, slot >= 0 && m_table.record(slot).sameSubnet);
    setAddressGroup(group);
}

void MainWindowModel::removeSlot(int slot)
{
    if (slot < 0 || slot >= m_table.unitCount())
        return;
    const std::string ipText = m_table.record(slot).ipText;
    m_table.removeSlot(slot);
    for (auto it = m_rows.begin(); it != m_rows.end(); ++it) {
        if (it->ip == ipText) {
            m_rows.erase(it);
            // The next row goes in after the rows still listed, not past the list's end.
            if (m_rowsAdded > 0)
                --m_rowsAdded;
            break;
        }
    }
    m_view.removeSelectedDeviceRow();
    m_selectedIpText.clear();
    // A unit that held an address with another is gone: the other's mark goes too.
    for (int index : markAddressConflicts(m_rows))
        m_view.updateDeviceRow(index, m_rows[size_t(index)]);
}

void MainWindowModel::onSettingCommand(SettingCommand command, SettingCommandFlow::Done done)
{
    const int slot = selectedSlot();
    if (slot < 0)
        return;
    enableMainControls(false);
    m_settingCommandRunning = true;
    startFlow(std::make_shared<SettingCommandFlow>(flowContext(), command, m_table.slot(slot),
        m_options.wifiMask, m_chooser ? m_chooser : chooseSettingPath, m_dryRun, std::move(done)));
}

void MainWindowModel::onBulkSave(BulkSaveFlow::Done done)
{
    const int slot = selectedSlot();
    if (slot < 0)
        return;
    std::string modelText;
    for (const DeviceRow& row : m_rows) {
        if (row.ip == m_table.record(slot).ipText)
            modelText = row.model;
    }
    enableMainControls(false);
    m_settingCommandRunning = true;
    startFlow(std::make_shared<BulkSaveFlow>(
        flowContext(), m_table.slot(slot), modelText, m_setupPorts, std::move(done)));
}

void MainWindowModel::onBulkWrite(BulkWriteFlow::Done done)
{
    const int slot = selectedSlot();
    if (slot < 0)
        return;
    enableMainControls(false);
    m_settingCommandRunning = true;
    startFlow(
        std::make_shared<BulkWriteFlow>(flowContext(), m_table.slot(slot), m_setupPorts, std::move(done)));
}

void MainWindowModel::setupFileFlowEnded(bool importRunning)
{
    if (importRunning) {
        m_settingCommandRunning = false; // the progress display gives the controls back
        return;
    }
    settingCommandEnded();
}

void MainWindowModel::beginFill()
{
    m_view.clearDeviceRows();
    m_rows.clear();
    m_table.reset();
    m_unlisted.clear();
    m_rowsAdded = 0;
    m_rowsDone = 0;
    m_fillCount = -1;
}

void MainWindowModel::searchHandedOut(int units)
{
    m_fillCount = units;
    endFillWhenComplete();
}

void MainWindowModel::unitAdded(const std::optional<ListedUnit>& added)
{
    m_fillCount = m_rowsDone + 1;
    if (added)
        takeUnit(added->unit, added->row);
    else
        ++m_rowsDone;
    endFillWhenComplete();
    m_adding = false;
}

void MainWindowModel::unitRestarted(const std::string& ipText, const std::array<uint8_t, 6>& mac)
{
    const int slot = m_table.findByIpText(ipText);
    if (slot >= 0 && slot == selectedSlot() && m_table.record(slot).mac == mac)
        removeSlot(slot);
}

void MainWindowModel::unitRefreshed(const UnitSlot& unit)
{
    const int slot = m_table.findByIpText(unit.record.ipText);
    if (slot < 0 || m_table.record(slot).mac != unit.record.mac)
        return;
    m_table.slot(slot) = unit;
    DeviceRow row = unitRowText(m_table.slot(slot), m_options.showVersions);
    for (size_t i = 0; i < m_rows.size(); ++i) {
        // Another unit may answer with the same address: only this unit's row changes.
        if (m_rows[i].ip == row.ip && m_rows[i].mac == row.mac) {
            row.addressConflict = m_rows[i].addressConflict;
            m_rows[i] = row;
            m_view.updateDeviceRow(int(i), row);
        }
    }
}

void MainWindowModel::settingCommandEnded()
{
    m_settingCommandRunning = false;
    enableMainControls(true);
    onSelectionChanged(m_selectedIpText);
}

void MainWindowModel::unitRowReady(const UnitSlot& unit, const std::optional<DeviceRow>& row)
{
    takeUnit(unit, row);
    if (!row)
        m_unlisted.push_back(unit.record.ipText);
    endFillWhenComplete();
}

void MainWindowModel::takeUnit(const UnitSlot& unit, const std::optional<DeviceRow>& row)
{
    ++m_rowsDone;
    if (!row || !m_table.append(unit))
        return;
    m_rows.insert(m_rows.begin() + m_rowsAdded, *row);
    const std::vector<int> marked = markAddressConflicts(m_rows);
    m_view.insertDeviceRow(m_rowsAdded, m_rows[size_t(m_rowsAdded)]);
    for (int index : marked) {
        if (index != m_rowsAdded)
            m_view.updateDeviceRow(index, m_rows[size_t(index)]);
    }
    ++m_rowsAdded;
}

void MainWindowModel::endFillWhenComplete()
{
    if (m_fillCount < 0 || m_rowsDone < m_fillCount)
        return;
    m_view.setStatusText(m_unlisted.empty() ? m_versionText : unlistedUnitsText(m_unlisted));
    enableMainControls(true);
    m_searching = false;
}

void MainWindowModel::startImportProgress(int seconds)
{
    m_progress.start(seconds);
    m_view.setProgressValue(0);
    m_view.setProgressVisible(true);
    enableMainControls(false);
    m_view.setProgressTimerRunning(true);
}

void MainWindowModel::stopImportProgress()
{
    m_view.setProgressTimerRunning(false);
    m_view.setProgressVisible(false);
}

void MainWindowModel::startImport(const std::function<int()>& start, int seconds)
{
    startImportProgress(seconds);
    int result = 0;
    {
        EnterCancelScope enter(&m_runner.scope());
        result = start();
    }
    if (result != 0)
        endImportProgress(false);
}

void MainWindowModel::onProgressTimer()
{
    switch (importStatus.load()) {
    case kImportRunning:
        m_view.setProgressValue(m_progress.tick());
        break;
    case kImportDone:
        m_view.setProgressValue(100);
        endImportProgress(true);
        break;
    default:
        endImportProgress(false);
        break;
    }
}

void MainWindowModel::endImportProgress(bool done)
{
    stopImportProgress();
    m_ui.showMessage(done ? texts::kSettingDoneRestart : texts::kSettingFailed);
    enableMainControls(true);
}

} // namespace kovra

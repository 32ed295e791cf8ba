#pragma once

#include "core/app/address_group.h"
#include "core/app/bulk_write_flow.h"
#include "core/app/flow_runner.h"
#include "core/app/import_progress.h"
#include "core/app/main_window_view.h"
#include "core/app/ping_flow.h"
#include "core/app/program_options.h"
#include "core/app/search_flow.h"
#include "core/app/set_address_flow.h"
#include "core/app/setting_command_flow.h"
#include "core/app/user_interface.h"
#include "core/app/window_dispatcher.h"
#include "core/platform/adapter_table.h"
#include "core/units/unit_table.h"

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kovra {

class KindReaders;
class AddressWriters;

// The port edit's starting value: the TCP port units leave the factory with.
constexpr int kDefaultUnitPort = 10001;

// A unit an add flow read, with its row.
struct ListedUnit {
    UnitSlot unit;
    DeviceRow row;
};

// The main window's state and the flows behind its buttons, without any widgets.
// Every public call is made on the window's thread; flows run on worker threads and come
// back through the dispatcher.
class MainWindowModel {
public:
    using AdapterSource = std::function<int(std::vector<AdapterEntry>&)>;

    MainWindowModel(MainWindowView& view, WindowDispatcher& dispatcher, UserInterface& ui,
        ProgramOptions options, AdapterSource adapters = enumerateAdapters);
    ~MainWindowModel();

    enum class StartResult {
        Ready,
        NoAdapter, // the message has been shown and the window closed with -1
        AdapterListUnreadable, // the program ends at once with exit status 1
    };
    // Start-up: adapters, lists, address group, status line.
    StartResult onInitDialog();

    const ProgramOptions& options() const { return m_options; }
    const std::string& versionText() const { return m_versionText; }

    // Adapter choice (list 1131).
    const std::vector<AdapterEntry>& adapters() const { return m_adapters; }
    void onAdapterSelected(int index);
    int selectedAdapter() const { return m_selectedAdapter; }

    void enableMainControls(bool enabled);
    void enableAddressGroup(bool enabled);
    const AddressGroupState& addressGroup() const { return m_addressGroup; }

    // Search button 1001 with the text of the port edit 1005. Returns at once; the search
    // runs on a worker thread and `searching()` holds until the last row is in.
    void onSearch(const std::string& portText);
    bool searching() const { return m_searching; }
    // Units that answered the last search but could not be listed (their reads failed), by
    // address: the status line names them, kovractl warns of them.
    const std::vector<std::string>& unlistedUnits() const { return m_unlisted; }
    // The number of search workers (kSearchWorkers; 1 reads one unit after another).
    void setSearchWorkers(int workers) { m_searchWorkers = workers; }

    // Add button 1002 with the texts of edit 1205 and the port edit 1005; runs on a worker
    // thread and `adding()` holds until it has ended.
    void onAddByAddress(const std::string& addressText, const std::string& portText);
    bool adding() const { return m_adding; }

    // A row became selected; `ipText` is its column-1 text (empty: no selection).
    void onSelectionChanged(const std::string& ipText);
    int selectedSlot() const;
    // Click on check box 1037.
    void onDhcpClicked(bool checked);

    // 設定 button 1029 with what the address group holds: the selected unit's address write
    // runs on a worker thread (the buttons stay enabled); `done`, if given, is called there
    // with the outcome when the flow ends. Without a selected unit nothing happens.
    void onSetAddress(const AddressEntry& entry, SetAddressFlow::Done done = {});
    // PING button 1028 with the text of box 1003, on a worker thread; `done` as above.
    void onPing(const std::string& addressText, PingFlow::Done done = {});
    // The ARP check and the address paths (tests give their own).
    void setAddressWriters(AddressWriters* writers) { m_writers = writers; }

    // Buttons 1000 (mail alert), 1008 (input extension) and 1009 (other settings) on the
    // selected unit, on a worker thread; `done`, if given, is called there with the outcome.
    // The main controls are off until it ends (it writes the unit's slot back). Without a
    // selected unit nothing happens.
    void onSettingCommand(SettingCommand command, SettingCommandFlow::Done done = {});
    bool settingCommandRunning() const { return m_settingCommandRunning; }
    // kovractl --dry-run: setting commands describe their writes here instead of sending them.
    void setDryRun(SettingCommandFlow::DryRun dryRun) { m_dryRun = std::move(dryRun); }
    // The choice of dialog per unit (tests give their own).
    void setSettingChooser(SettingChooser chooser) { m_chooser = std::move(chooser); }

    // Buttons 1010 (bulk save) and 1011 (bulk write) on the selected unit, on a worker thread;
    // `done`, if given, is called there with the outcome. The main controls are off until the
    // flow ends (after an .xml write: until the progress display ends).
    void onBulkSave(BulkSaveFlow::Done done = {});
    void onBulkWrite(BulkWriteFlow::Done done = {});
    // Where the Wi-Fi modules' web configuration listens (tests give their own port).
    void setSetupPorts(SetupPorts ports) { m_setupPorts = ports; }

    // What flows report back, on the window's thread (from the tasks they post).
    // A search's fill of the list and the table begins; how many units it has comes later.
    void beginFill();
    // The row builder's window half: counts the unit, takes it into the table with its row
    // when it has one (else notes it as unlisted) and restores the controls after the last
    // one of the fill.
    void unitRowReady(const UnitSlot& unit, const std::optional<DeviceRow>& row);
    // The search has handed out every unit of its fill (`units` of them).
    void searchHandedOut(int units);
    // The add by address has ended, with the added unit and its row or nothing.
    void unitAdded(const std::optional<ListedUnit>& added);
    // A unit took a new address and restarts: its slot and row go, if it is still the
    // selected one (a search or another selection since then owns the list).
    void unitRestarted(const std::string& ipText, const std::array<uint8_t, 6>& mac);
    // A setting command refreshed or wrote a unit: its slot takes the copy and its row the
    // model text, if the unit is still listed under that address and hardware address.
    void unitRefreshed(const UnitSlot& unit);
    // A setting command has ended: the controls come back, the address group as selected.
    void settingCommandEnded();

    // A bulk save or write has ended; the controls come back unless an import it started
    // keeps the progress display running.
    void setupFileFlowEnded(bool importRunning);

    // The XML import started in the background: progress bar and timer 100.
    void startImportProgress(int seconds);
    // The import did not start after all: the progress display ends, the controls come back.
    void stopImportProgress();
    // Shows the progress of an import expected to take `seconds`, then runs `start` (in the
    // flows' cancel scope, so that closing the window ends the transfer); a start that fails
    // (busy, unreadable file, bad value: its result is not 0) ends the display at once with
    // "設定に失敗しました。" and the controls come back.
    void startImport(const std::function<int()>& start, int seconds);
    void onProgressTimer();
    const ImportProgress& progress() const { return m_progress; }

    // The device list as shown, in row order.
    const std::vector<DeviceRow>& rows() const { return m_rows; }
    int rowsAdded() const { return m_rowsAdded; }
    int rowsDone() const { return m_rowsDone; }

    UnitTable& table() { return m_table; }
    const UnitTable& table() const { return m_table; }
    void removeSlot(int slot);

    // The reads of later unit kinds (Wi-Fi module port, unit parameters).
    void setKindReaders(KindReaders* readers) { m_readers = readers; }

    // Waits for every running flow (window closing, tests).
    void waitForFlows() { m_runner.waitAll(); }
    // The window is closing: the network waits of every flow end at once (they fail as
    // interrupted); waitForFlows() then returns within moments.
    void cancelFlows() { m_runner.cancel(); }

private:
    FlowContext flowContext() { return { m_ui, m_dispatcher, *this }; }
    template <typename Flow> void startFlow(std::shared_ptr<Flow> flow)
    {
        m_runner.start([flow] { flow->run(); });
    }
    KindReaders& kindReaders();
    AddressWriters& addressWriters();
    bool selectedAdapterNetwork(Ipv4& address, Ipv4& mask) const;

    void setAddressGroup(const AddressGroupState& group);
    // The progress display ends: the message of the outcome, the controls back.
    void endImportProgress(bool done);
    // Counts one unit of the fill and lists it when it has a row.
    void takeUnit(const UnitSlot& unit, const std::optional<DeviceRow>& row);
    // The last unit of the fill is in: the status line and the controls come back.
    void endFillWhenComplete();

    MainWindowView& m_view;
    WindowDispatcher& m_dispatcher;
    UserInterface& m_ui;
    ProgramOptions m_options;
    std::string m_versionText;
    AdapterSource m_adapterSource;
    std::vector<AdapterEntry> m_adapters;
    int m_selectedAdapter = -1;
    AddressGroupState m_addressGroup;
    UnitTable m_table;
    std::vector<DeviceRow> m_rows;
    std::string m_selectedIpText;
    int m_rowsAdded = 0;
    int m_rowsDone = 0;
    // Units of the running fill (-1: not known yet); the last one re-enables the controls.
    int m_fillCount = 0;
    std::vector<std::string> m_unlisted;
    int m_searchWorkers = kSearchWorkers;
    bool m_searching = false;
    bool m_adding = false;
    bool m_settingCommandRunning = false;
    ImportProgress m_progress;
    KindReaders* m_readers = nullptr;
    AddressWriters* m_writers = nullptr;
    SettingCommandFlow::DryRun m_dryRun;
    SettingChooser m_chooser;
    SetupPorts m_setupPorts;
    FlowRunner m_runner; // last: flows end before the state they use goes away
};

} // namespace kovra

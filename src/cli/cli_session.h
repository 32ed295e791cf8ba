#pragma once

#include "cli/cli_options.h"
#include "cli/cli_user_interface.h"
#include "core/app/event_queue.h"
#include "core/app/headless_view.h"
#include "core/app/main_window_model.h"
#include "core/app/setting_command_flow.h"
#include "core/settings/setting_outcome.h"

#include <iosfwd>
#include <memory>
#include <optional>

namespace kovra::cli {

// The window model run without a window: the commands drive it as the buttons would and
// pump its events on the calling thread until the flow has ended.
class CliSession {
public:
    CliSession(const CliOptions& options, std::istream& in, std::ostream& out, std::ostream& err,
        MainWindowModel::AdapterSource adapters = enumerateAdapters);

    // Start-up and the --adapter choice; an exit status.
    int initialize();

    // The search button; an exit status (1 when the search failed). Units that answered but
    // could not be listed are named on the error stream (with --json as one JSON object).
    int search();
    // The add button with an address; an exit status (1 when the unit could not be added).
    int add(const std::string& address);
    // UNIT as an IPv4 address (added by address) or a hardware address (searched for), in a
    // form the command line has checked. The unit's slot, or -1 with the reason on the error
    // stream.
    int resolveUnit(const std::string& unit);
    // A setting button on the selected unit, its events pumped until the flow has ended.
    // The flow's outcome, or nothing when it did not end in time.
    std::optional<SettingOutcome> settingCommand(SettingCommand command);

    // Runs the window's events that flows have posted so far.
    void pumpEvents() { m_events.runPending(); }

    MainWindowModel& model() { return *m_model; }
    const HeadlessView& view() const { return m_view; }
    CliUserInterface& ui() { return m_ui; }
    const CliOptions& options() const { return m_options; }
    std::ostream& out() { return m_out; }
    std::ostream& err() { return m_err; }

private:
    bool waitUntil(const std::function<bool()>& done);
    void warnOfUnlistedUnits();

    CliOptions m_options;
    std::ostream& m_out;
    std::ostream& m_err;
    CliUserInterface m_ui;
    HeadlessView m_view;
    EventQueue m_events;
    std::unique_ptr<MainWindowModel> m_model;
};

} // namespace kovra::cli

#pragma once

#include "core/app/event_queue.h"
#include "core/app/headless_view.h"
#include "core/app/main_window_model.h"
#include "core/app/scripted_user_interface.h"
#include "support/simulated_fleet.h"

#include <chrono>
#include <future>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace kovra::test_support {

// One adapter on loopback whose /24 makes 127.0.1.x "another subnet".
inline int loopbackSubnetAdapter(std::vector<AdapterEntry>& out)
{
    AdapterEntry entry;
    entry.ifIndex = 1;
    entry.friendlyName = "lo";
    entry.address = makeIpv4(127, 0, 0, 1);
    entry.mask = makeIpv4(255, 255, 255, 0);
    out.push_back(entry);
    return 0;
}

// The window model without a window over a simulated fleet on loopback, driven as the
// buttons would: the flow tests' common ground.
class FlowHarness {
public:
    explicit FlowHarness(ProgramOptions options = {})
        : m_model(view, events, ui, options, loopbackSubnetAdapter)
    {
    }
    ~FlowHarness()
    {
        m_model.waitForFlows();
        fleet.stop();
    }

    // Starts the fleet and the model; empty on success, else why not.
    std::string start(const char* fleetJson)
    {
        std::string error = fleet.start(fleetJson);
        if (error.empty() && m_model.onInitDialog() != MainWindowModel::StartResult::Ready)
            error = "the model did not start";
        return error;
    }

    MainWindowModel& model() { return m_model; }

    // Lists the unit by the add button (a restarting unit is asked again until it answers).
    bool add(const std::string& address, const std::string& port = "10001")
    {
        for (int attempt = 0; attempt < 20; ++attempt) {
            if (m_model.table().findByIpText(address) >= 0)
                return true;
            m_model.onAddByAddress(address, port);
            events.runUntil([&] { return !m_model.adding(); }, std::chrono::seconds(20));
            m_model.waitForFlows();
            events.runPending();
            if (m_model.table().findByIpText(address) < 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return m_model.table().findByIpText(address) >= 0;
    }

    // Selects the row of the address, as a click on the list does.
    void select(const std::string& ip)
    {
        m_model.onSelectionChanged(ip);
        for (size_t i = 0; i < view.rows.size(); ++i)
            if (view.rows[i].ip == ip)
                view.selectedRow = int(i);
    }

    // Presses a function button on the selected unit and waits for the flow's outcome.
    SettingOutcome settingCommand(SettingCommand command)
    {
        std::promise<SettingOutcome> outcome;
        m_model.onSettingCommand(command, [&](SettingOutcome o) { outcome.set_value(o); });
        m_model.waitForFlows();
        events.runPending();
        return outcome.get_future().get();
    }

    // The logged requests named `name` of the unit at `address`, as their bytes.
    std::vector<std::string> logged(const std::string& name, const std::string& address)
    {
        std::vector<std::string> found;
        for (const auto& entry : fleet.requests())
            if (entry.value("request", "") == name && entry.value("unit", "") == address)
                found.push_back(bytesOfHex(entry.value("hex", "")));
        return found;
    }

    // Every logged request of the unit, by name, oldest first.
    std::vector<std::string> requestNames(const std::string& address)
    {
        std::vector<std::string> names;
        for (const auto& entry : fleet.requests())
            if (entry.value("unit", "") == address)
                names.push_back(entry.value("request", ""));
        return names;
    }

    static std::string bytesOfHex(const std::string& hex)
    {
        std::string out;
        std::istringstream in(hex);
        std::string byte;
        while (in >> byte)
            out += char(std::stoi(byte, nullptr, 16));
        return out;
    }

    SimulatedFleet fleet;
    HeadlessView view;
    EventQueue events;
    ScriptedUserInterface ui;

private:
    MainWindowModel m_model;
};

} // namespace kovra::test_support

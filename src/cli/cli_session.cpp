#include "cli/cli_session.h"

#include "core/platform/ipv4.h"
#include "core/units/unit_record.h"

#include <chrono>
#include <nlohmann/json.hpp>
#include <ostream>
#include <unistd.h>

namespace kovra::cli {

// Longest a single flow may take before the CLI gives up on it: a search of a full table
// with every unit slow stays far below this.
constexpr std::chrono::minutes kFlowLimit { 10 };

CliSession::CliSession(const CliOptions& options, std::istream& in, std::ostream& out, std::ostream& err,
    MainWindowModel::AdapterSource adapters)
    : m_options(options)
    , m_out(out)
    , m_err(err)
    , m_ui(in, out, err, options.yes, isatty(STDIN_FILENO) && isatty(STDERR_FILENO))
    , m_model(std::make_unique<MainWindowModel>(m_view, m_events, m_ui,
          ProgramOptions { options.viewVersions, options.wifiMask }, std::move(adapters)))
{
}

int CliSession::initialize()
{
    switch (m_model->onInitDialog()) {
    case MainWindowModel::StartResult::Ready:
        break;
    case MainWindowModel::StartResult::NoAdapter:
        return kExitFailed;
    case MainWindowModel::StartResult::AdapterListUnreadable:
        m_err << "the network adapters cannot be read" << std::endl;
        return kExitFailed;
    }
    if (m_options.adapter.empty())
        return kExitOk;
    Ipv4 wanted = 0;
    parseIpv4(m_options.adapter, wanted); // the command line has checked its form
    const auto& adapters = m_model->adapters();
    for (size_t i = 0; i < adapters.size(); ++i) {
        if (adapters[i].address == wanted) {
            m_model->onAdapterSelected(int(i));
            return kExitOk;
        }
    }
    m_err << "no usable network adapter has the address " << m_options.adapter << std::endl;
    return kExitFailed;
}

bool CliSession::waitUntil(const std::function<bool()>& done)
{
    return m_events.runUntil(done, kFlowLimit);
}

int CliSession::search()
{
    const int messagesBefore = m_ui.messageCount();
    m_model->onSearch(m_options.port);
    if (!waitUntil([this] { return !m_model->searching(); }))
        return kExitFailed;
    m_model->waitForFlows();
    m_events.runPending();
    warnOfUnlistedUnits();
    return m_ui.messageCount() == messagesBefore ? kExitOk : kExitFailed;
}

void CliSession::warnOfUnlistedUnits()
{
    const auto& unlisted = m_model->unlistedUnits();
    if (unlisted.empty())
        return;
    if (m_options.json) {
        m_err << nlohmann::json { { "warning", "units answered the search but could not be listed" },
            { "unlisted", unlisted.size() }, { "addresses", unlisted } }
                     .dump()
              << std::endl;
        return;
    }
    m_err << "warning: " << unlisted.size() << " unit(s) answered the search but could not be listed:";
    for (const auto& address : unlisted)
        m_err << ' ' << address;
    m_err << std::endl;
}

int CliSession::add(const std::string& address)
{
    const int messagesBefore = m_ui.messageCount();
    m_model->onAddByAddress(address, m_options.port);
    if (!waitUntil([this] { return !m_model->adding(); }))
        return kExitFailed;
    m_events.runPending();
    return m_ui.messageCount() == messagesBefore ? kExitOk : kExitFailed;
}

int CliSession::resolveUnit(const std::string& unit)
{
    Ipv4 address = 0;
    if (parseIpv4(unit, address)) {
        if (add(unit) != kExitOk)
            return -1;
        return m_model->table().findByIpText(ipv4ToText(address));
    }
    // Otherwise a hardware address: the command line has checked its form.
    std::array<uint8_t, 6> mac {};
    parseMacText(unit, mac);
    if (search() != kExitOk)
        return -1;
    const UnitTable& table = m_model->table();
    for (const auto& row : m_model->rows()) {
        const int slot = table.findByIpText(row.ip);
        if (slot >= 0 && table.record(slot).mac == mac)
            return slot;
    }
    m_err << "no unit with the hardware address " << macText(mac) << " answered" << std::endl;
    return -1;
}

std::optional<SettingOutcome> CliSession::settingCommand(SettingCommand command)
{
    std::optional<SettingOutcome> outcome;
    // The outcome is handed to this thread, which pumps the flow's events until it arrives.
    m_model->onSettingCommand(command,
        [this, &outcome](SettingOutcome ended) { m_events.post([&outcome, ended] { outcome = ended; }); });
    waitUntil([&outcome] { return outcome.has_value(); });
    m_model->waitForFlows();
    m_events.runPending();
    return outcome;
}

} // namespace kovra::cli

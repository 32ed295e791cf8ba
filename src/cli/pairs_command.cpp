#include "cli/cli_session.h"
#include "cli/command.h"
#include "cli/text_table.h"
#include "core/pairs/fleet_connections.h"
#include "core/pairs/pair_map.h"
#include "core/platform/cp932_text.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <ostream>

namespace kovra::cli {

namespace {

// Exit status when at least one configured link is faulty.
constexpr int kExitFaultyLink = 3;

std::string portsText(const UnitConnections& unit)
{
    std::string text;
    for (const auto& listening : unit.listening)
        text += (text.empty() ? "" : ",") + std::to_string(listening.port);
    return text.empty() ? "-" : text;
}

std::string destinationText(const Destination& destination)
{
    return cp932ToUtf8(destination.host) + ":" + std::to_string(destination.port);
}

nlohmann::json portsJson(const UnitConnections& unit)
{
    auto ports = nlohmann::json::array();
    for (const auto& listening : unit.listening)
        ports.push_back({ { "connection", listening.connection }, { "port", listening.port } });
    return ports;
}

nlohmann::json linkJson(const PairLink& link, const std::vector<UnitConnections>& units)
{
    const UnitConnections& unit = units[size_t(link.unit)];
    nlohmann::json peer = nullptr;
    if (link.peer) {
        const UnitConnections& found = units[size_t(*link.peer)];
        peer = { { "ip", found.address }, { "model", found.model }, { "ports", portsJson(found) } };
    }
    auto mapping = nlohmann::json::array();
    for (const auto& [di, peerDo] : link.mapping)
        mapping.push_back({ { "di", di + 1 }, { "do", peerDo + 1 } });
    auto faults = nlohmann::json::array();
    for (LinkFault fault : link.faults)
        faults.push_back(linkFaultName(fault));
    auto clashed = nlohmann::json::array();
    for (int peerDo : link.clashedOutputs)
        clashed.push_back(peerDo + 1);
    return { { "unit", unit.address }, { "model", unit.model }, { "connection", link.destination.connection },
        { "host", cp932ToUtf8(link.destination.host) }, { "port", link.destination.port }, { "peer", peer },
        { "mapping", mapping }, { "verdict", verdictText(link) }, { "faults", faults },
        { "clashedOutputs", clashed } };
}

// `pairs`: the search, then every configured input-extension link of the fleet with its verdict.
class PairsCommand : public Command {
public:
    std::string name() const override { return "pairs"; }
    std::string summary() const override
    {
        return "search, then list every input-extension link with its peer and what does not match";
    }

    int run(CliSession& session) override
    {
        const int status = session.search();
        if (status != kExitOk)
            return status;
        const auto fleet = readFleetConnections(tableSlots(session.model().table()), unitConnectionReaders());
        for (const auto& address : fleet.unread)
            session.err() << address << ": its stored records did not arrive; connection 1 only" << std::endl;
        const auto& units = fleet.units;
        const auto links = buildPairMap(units);
        if (session.options().json)
            printJson(session.out(), links, units);
        else
            printTable(session.out(), links, units);
        const bool faulty
            = std::any_of(links.begin(), links.end(), [](const PairLink& link) { return !link.ok(); });
        return faulty ? kExitFaultyLink : kExitOk;
    }

private:
    static void printJson(
        std::ostream& out, const std::vector<PairLink>& links, const std::vector<UnitConnections>& units)
    {
        auto list = nlohmann::json::array();
        for (const auto& link : links)
            list.push_back(linkJson(link, units));
        out << list.dump(2) << std::endl;
    }

    static void printTable(
        std::ostream& out, const std::vector<PairLink>& links, const std::vector<UnitConnections>& units)
    {
        std::vector<std::vector<std::string>> cells;
        for (const auto& link : links) {
            const UnitConnections& unit = units[size_t(link.unit)];
            std::string peerModel = "-";
            std::string peerPorts = "-";
            if (link.peer) {
                peerModel = units[size_t(*link.peer)].model;
                peerPorts = portsText(units[size_t(*link.peer)]);
            }
            cells.push_back({ unit.address, std::to_string(link.destination.connection),
                destinationText(link.destination), peerModel, peerPorts, mappingText(link.mapping),
                verdictText(link) });
        }
        printTextTable(
            out, { "unit", "conn", "peer", "peer model", "peer ports", "mapping", "verdict" }, cells);
    }
};

} // namespace

std::unique_ptr<Command> makePairsCommand()
{
    return std::make_unique<PairsCommand>();
}

} // namespace kovra::cli

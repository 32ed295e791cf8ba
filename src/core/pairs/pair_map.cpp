#include "core/pairs/pair_map.h"

#include "core/platform/ipv4.h"

#include <algorithm>
#include <map>

namespace kovra {

namespace {

std::optional<int> unitAt(const std::vector<UnitConnections>& units, const std::string& host)
{
    Ipv4 wanted = 0;
    if (!parseIpv4(host, wanted))
        return std::nullopt; // a host name is not resolved: the units are found by address
    for (size_t i = 0; i < units.size(); ++i) {
        Ipv4 address = 0;
        if (parseIpv4(units[i].address, address) && address == wanted)
            return int(i);
    }
    return std::nullopt;
}

int listenersOn(const UnitConnections& unit, int port)
{
    return int(std::count_if(unit.listening.begin(), unit.listening.end(),
        [port](const ListeningPort& listening) { return listening.port == port; }));
}

std::optional<int> ownPortOf(const UnitConnections& unit, int connection)
{
    for (const auto& listening : unit.listening)
        if (listening.connection == connection)
            return listening.port;
    return std::nullopt;
}

bool transportsMatch(const UnitConnections& a, const UnitConnections& b)
{
    return a.transport == b.transport && b.transport != LinkTransport::ModbusTcp;
}

std::vector<InputToOutput> carriedInputs(const UnitConnections& unit)
{
    std::vector<InputToOutput> mapping;
    for (int di = 0; di < unit.diCount; ++di)
        if (unit.diToPeerDo[size_t(di)] != UnitConnections::kNone)
            mapping.push_back({ di, unit.diToPeerDo[size_t(di)] });
    return mapping;
}

// A mirroring unit's inputs that the peer has an output for.
void keepPeerOutputs(std::vector<InputToOutput>& mapping, const UnitConnections& peer)
{
    mapping.erase(std::remove_if(mapping.begin(), mapping.end(),
                      [&peer](const InputToOutput& input) { return input.peerDo >= peer.doCount; }),
        mapping.end());
}

bool hasFault(const PairLink& link, LinkFault fault)
{
    return std::find(link.faults.begin(), link.faults.end(), fault) != link.faults.end();
}

void addFault(PairLink& link, LinkFault fault)
{
    if (!hasFault(link, fault))
        link.faults.push_back(fault);
}

void addClash(PairLink& link, int peerDo)
{
    addFault(link, LinkFault::MappingClash);
    if (std::find(link.clashedOutputs.begin(), link.clashedOutputs.end(), peerDo)
        == link.clashedOutputs.end())
        link.clashedOutputs.push_back(peerDo);
}

// A link that reaches a listening peer: its ports, its transport and the peer outputs it feeds.
void checkReachedLink(PairLink& link, const UnitConnections& unit, const UnitConnections& peer)
{
    const auto ownPort = ownPortOf(unit, link.destination.connection);
    if ((ownPort && listenersOn(unit, *ownPort) > 1) || listenersOn(peer, link.destination.port) > 1)
        addFault(link, LinkFault::DuplicatePorts);
    if (!transportsMatch(unit, peer)) {
        addFault(link, LinkFault::ModeMismatch);
        return;
    }
    for (const auto& [di, peerDo] : link.mapping)
        if (peerDo >= peer.doCount)
            addClash(link, peerDo);
}

// Whether the link carries inputs to its peer at all.
bool delivers(const PairLink& link)
{
    return link.peer && !hasFault(link, LinkFault::PeerNotListening)
        && !hasFault(link, LinkFault::ModeMismatch);
}

// Per peer and DO, the links that feed it and with which DI.
using Feeds = std::map<std::pair<int, int>, std::vector<std::pair<size_t, int>>>;

Feeds feedsOf(const std::vector<PairLink>& links)
{
    Feeds feeds;
    for (size_t i = 0; i < links.size(); ++i)
        if (delivers(links[i]))
            for (const auto& [di, peerDo] : links[i].mapping)
                feeds[{ *links[i].peer, peerDo }].push_back({ i, di });
    return feeds;
}

} // namespace

const char* linkFaultName(LinkFault fault)
{
    switch (fault) {
    case LinkFault::PeerMissing:
        return "peer missing";
    case LinkFault::PeerNotListening:
        return "peer not listening on that port";
    case LinkFault::ModeMismatch:
        return "mode mismatch";
    case LinkFault::MappingClash:
        return "mapping clash";
    case LinkFault::DuplicatePorts:
        return "duplicate listening ports";
    }
    return "";
}

std::vector<PairLink> buildPairMap(const std::vector<UnitConnections>& units)
{
    std::vector<PairLink> links;
    for (size_t u = 0; u < units.size(); ++u) {
        const UnitConnections& unit = units[u];
        for (const Destination& destination : unit.destinations) {
            PairLink link;
            link.unit = int(u);
            link.destination = destination;
            link.mapping = carriedInputs(unit);
            link.peer = unitAt(units, destination.host);
            if (link.peer && !unit.choosesPeerDo)
                keepPeerOutputs(link.mapping, units[size_t(*link.peer)]);
            if (!link.peer)
                link.faults.push_back(LinkFault::PeerMissing);
            else if (listenersOn(units[size_t(*link.peer)], destination.port) == 0)
                link.faults.push_back(LinkFault::PeerNotListening);
            else
                checkReachedLink(link, unit, units[size_t(*link.peer)]);
            links.push_back(std::move(link));
        }
    }

    // Outputs fed by more than one input, over one link or several.
    const Feeds feeds = feedsOf(links);
    for (const auto& [output, feeders] : feeds)
        if (feeders.size() > 1)
            for (const auto& feeder : feeders)
                addClash(links[feeder.first], output.second);

    // Outputs whose unit reflects a chosen DI that no link into it sends there.
    for (PairLink& link : links) {
        if (!delivers(link))
            continue;
        const UnitConnections& peer = units[size_t(*link.peer)];
        if (!peer.choosesDoSource)
            continue;
        for (int peerDo = 0; peerDo < peer.doCount; ++peerDo) {
            const int wanted = peer.doFromPeerDi[size_t(peerDo)];
            if (wanted == UnitConnections::kNone)
                continue;
            const auto found = feeds.find({ *link.peer, peerDo });
            const bool fed = found != feeds.end()
                && std::any_of(found->second.begin(), found->second.end(),
                    [wanted](const std::pair<size_t, int>& feeder) { return feeder.second == wanted; });
            if (!fed)
                addClash(link, peerDo);
        }
    }

    for (PairLink& link : links) {
        std::sort(link.faults.begin(), link.faults.end());
        std::sort(link.clashedOutputs.begin(), link.clashedOutputs.end());
    }
    return links;
}

std::string mappingText(const std::vector<InputToOutput>& mapping)
{
    if (mapping.empty())
        return "-";
    std::string text;
    for (const auto& [di, peerDo] : mapping) {
        if (!text.empty())
            text += ' ';
        text += "DI" + std::to_string(di + 1) + "→DO" + std::to_string(peerDo + 1);
    }
    return text;
}

std::string verdictText(const PairLink& link)
{
    if (link.ok())
        return "ok";
    std::string text;
    for (LinkFault fault : link.faults) {
        if (!text.empty())
            text += ", ";
        text += linkFaultName(fault);
        if (fault == LinkFault::MappingClash) {
            std::string outputs;
            for (int peerDo : link.clashedOutputs)
                outputs += (outputs.empty() ? "" : " ") + ("DO" + std::to_string(peerDo + 1));
            text += " (" + outputs + ")";
        }
    }
    return text;
}

} // namespace kovra

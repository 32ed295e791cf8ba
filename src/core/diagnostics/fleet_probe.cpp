#include "core/diagnostics/fleet_probe.h"

#include "core/app/bounded_workers.h"
#include "core/net/discovery.h"
#include "core/net/discovery_messages.h"
#include "core/net/model_query.h"
#include "core/net/unit_classifier.h"
#include "core/platform/socket.h"
#include "core/platform/socket_error.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>

namespace kovra {

namespace {

// Room for answers longer than the search reads, so that their real length is reported.
constexpr size_t kAnswerCapacity = 64;
// A flood of answers cannot grow the report without end.
constexpr size_t kMaxAnswers = 1024;

using RawAnswer = std::vector<uint8_t>;

bool adapterStillUsable(const FleetProbeSetup& setup)
{
    std::vector<AdapterEntry> current;
    if (!setup.adapters || setup.adapters(current) != 0)
        return false;
    return std::any_of(current.begin(), current.end(), [&setup](const AdapterEntry& entry) {
        return entry.address == setup.adapter->address && entry.friendlyName == setup.adapter->friendlyName;
    });
}

int sendSearchRequests(const Socket& socket, Ipv4 destination)
{
    int result
        = sendDatagram(socket, destination, kDiscoveryPort, kSearchRequestA.data(), kSearchRequestA.size());
    if (result != 0)
        return result;
    std::this_thread::sleep_for(std::chrono::milliseconds(kSearchRequestGapMs));
    return sendDatagram(socket, destination, kDiscoveryPort, kSearchRequestB.data(), kSearchRequestB.size());
}

// Every datagram until the search's waits run out, as the search waits.
void collectAnswers(const Socket& socket, FleetDiagnosis& report, std::vector<RawAnswer>& raw)
{
    int waitMs = kSearchFirstWaitMs;
    for (;;) {
        const int waited = waitReadable(socket, waitMs);
        if (waited != 0) {
            // The search ends quietly when its wait runs out; any other end is a failure.
            report.waitResult = waited == kSocketTimedOut ? 0 : waited;
            return;
        }
        waitMs = kSearchNextWaitMs;
        uint8_t buffer[kAnswerCapacity];
        size_t received = 0;
        Ipv4 from = 0;
        uint16_t fromPort = 0;
        const int result = receiveDatagram(socket, buffer, sizeof buffer, received, &from, &fromPort);
        if ((result != 0 && result != kSocketMessageSize) || report.answers.size() >= kMaxAnswers)
            continue;
        report.answers.push_back(describeAnswer(buffer, received, from, fromPort));
        raw.emplace_back(buffer, buffer + received);
    }
}

// One listed unit through the search's later steps: classification, then the model query.
// Units wait on themselves, not on the PC, so the caller runs them side by side.
UnitFinding followUnit(UnitSlot unit, const FleetProbeSetup& setup, KindReaders& readers)
{
    const UnitRecord& record = unit.record;
    UnitFinding finding;
    finding.address = record.peerAddress;
    finding.mac = record.mac;
    finding.typePair = record.typePair();
    finding.sameSubnet = onAdapterSubnet(record.peerAddress, setup.adapter->address, setup.adapter->mask);
    if (!finding.sameSubnet) {
        finding.step = ReachStep::OtherSubnet;
        return finding;
    }
    finding.recordsRead = classifySearchedUnit(unit, setup.adapter->address, setup.adapter->mask, readers);
    if (!finding.recordsRead)
        return finding;
    finding.port = record.unitPort();
    finding.step = reachStep(true, finding.port, setup.searchPort);
    int modelIndex = -1;
    int unitSwitch = -1;
    finding.modelQueried = true;
    finding.modelQueryResult = queryModel(record.ipText, finding.port, modelIndex, unitSwitch);
    finding.modelQuery = classifyModelQuery(finding.modelQueryResult);
    return finding;
}

// The search's later steps for the listed answers, every unit on a worker of its own as the
// search reads them: a fleet of silent units takes one time-out, not one per unit.
void followListedUnits(const FleetProbeSetup& setup, KindReaders& readers, FleetDiagnosis& report,
    const std::vector<RawAnswer>& raw)
{
    auto table = std::make_unique<UnitTable>(); // large: off the stack
    for (size_t i = 0; i < raw.size(); ++i) {
        if (report.verdicts[i] != AnswerVerdict::Listed || table->full())
            continue;
        const ReceivedAnswer& answer = report.answers[i];
        if (parseSearchAnswer(raw[i].data(), raw[i].size(), answer.source, answer.sourcePort,
                table->record(table->unitCount())))
            table->accept();
    }
    std::vector<UnitFinding> units(size_t(table->unitCount()));
    {
        BoundedWorkers workers(kMaxUnits); // a worker per unit, as the search has
        for (int i = 0; i < table->unitCount(); ++i)
            workers.post([&units, &setup, &readers, i, unit = table->slot(i)] {
                units[size_t(i)] = followUnit(unit, setup, readers);
            });
    }
    report.units = std::move(units);
}

} // namespace

FleetDiagnosis probeFleet(const FleetProbeSetup& setup, KindReaders& readers)
{
    FleetDiagnosis report;
    report.searchPort = setup.searchPort;
    report.destination = setup.destination;
    if (!setup.adapter)
        return report;
    report.adapter.chosen = true;
    report.adapter.name = adapterLine(*setup.adapter);
    report.adapter.address = setup.adapter->address;
    report.adapter.mask = setup.adapter->mask;
    report.adapter.usable = adapterStillUsable(setup);

    Socket socket;
    report.socketBound = createUdpSocket(socket) == 0;
    if (!report.socketBound)
        return report;
    report.sendResult = allowBroadcast(socket);
    if (report.sendResult == 0)
        report.sendResult = sendSearchRequests(socket, setup.destination);
    if (report.sendResult != 0)
        return report;
    std::vector<RawAnswer> raw;
    collectAnswers(socket, report, raw);
    socket.close();
    report.verdicts = judgeAnswers(report.answers);
    report.conflicts = findAddressConflicts(report.answers, report.verdicts);
    followListedUnits(setup, readers, report, raw);
    return report;
}

} // namespace kovra

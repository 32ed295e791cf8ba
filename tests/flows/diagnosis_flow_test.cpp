// The diagnosis against simulated units on loopback: every answer's verdict, the conflict,
// the unlisted units' steps and the model queries' failures come from real datagrams.
#include "core/app/flow_runner.h"
#include "core/app/unit_kind_readers.h"
#include "core/diagnostics/diagnosis_flow.h"
#include "support/loopback_adapter.h"
#include "support/simulated_fleet.h"

#include <gtest/gtest.h>
#include <map>

namespace kovra {
namespace {

FleetDiagnosis diagnose(Ipv4 destination)
{
    FleetProbeSetup setup;
    std::vector<AdapterEntry> adapters;
    test_support::loopbackAdapter(adapters);
    setup.adapter = adapters.front();
    setup.adapters = test_support::loopbackAdapter;
    setup.searchPort = 10001;
    setup.destination = destination;
    UnitKindReaders readers;
    FleetDiagnosis report;
    FlowRunner runner;
    auto flow = std::make_shared<DiagnosisFlow>(
        setup, readers, [&report](const FleetDiagnosis& found) { report = found; });
    runner.start([flow] { flow->run(); });
    runner.waitAll();
    return report;
}

TEST(DiagnosisFlow, NamesEveryReasonAUnitIsMissing)
{
    test_support::SimulatedFleet fleet;
    ASSERT_EQ(fleet.start(R"({ "units": [
        { "address": "127.0.0.91", "model": 0 },
        { "address": "127.0.0.92", "typePair": "ZZ" },
        { "address": "127.0.0.93", "fault": { "mode": "short", "channels": ["udp"], "requests": ["searchA"] } },
        { "address": "127.0.0.94", "conflictMac": "02:4B:56:AA:BB:CC" },
        { "address": "127.0.0.95", "port": 10002 },
        { "address": "127.0.0.96", "fault": { "mode": "refuse" } },
        { "address": "127.0.0.97", "searchAnswer": "both" } ] })"),
        "");
    const FleetDiagnosis report = diagnose(makeIpv4(127, 255, 255, 255));
    EXPECT_TRUE(report.adapter.usable);
    EXPECT_TRUE(report.socketBound);
    EXPECT_EQ(report.sendResult, 0);

    std::multimap<std::string, AnswerVerdict> verdicts;
    for (size_t i = 0; i < report.answers.size(); ++i)
        verdicts.emplace(ipv4ToText(report.answers[i].source), report.verdicts[i]);
    const std::multimap<std::string, AnswerVerdict> want { { "127.0.0.91", AnswerVerdict::Listed },
        { "127.0.0.92", AnswerVerdict::UnlistedTypePair }, { "127.0.0.93", AnswerVerdict::TooShort },
        { "127.0.0.94", AnswerVerdict::Listed }, { "127.0.0.94", AnswerVerdict::Listed },
        { "127.0.0.95", AnswerVerdict::Listed }, { "127.0.0.96", AnswerVerdict::Listed },
        { "127.0.0.97", AnswerVerdict::Listed }, { "127.0.0.97", AnswerVerdict::Duplicate } };
    EXPECT_EQ(verdicts, want);

    ASSERT_EQ(report.conflicts.size(), 1u);
    EXPECT_EQ(report.conflicts[0].address, makeIpv4(127, 0, 0, 94));
    EXPECT_EQ(report.conflicts[0].macs.size(), 2u);

    std::map<std::string, UnitFinding> units;
    for (const UnitFinding& unit : report.units)
        units.emplace(ipv4ToText(unit.address), unit);
    EXPECT_EQ(units.at("127.0.0.91").step, ReachStep::Listed);
    EXPECT_EQ(units.at("127.0.0.91").modelQuery, ModelQueryFailure::None);
    EXPECT_EQ(units.at("127.0.0.95").step, ReachStep::OtherPort);
    EXPECT_EQ(units.at("127.0.0.95").port, 10002);
    EXPECT_EQ(units.at("127.0.0.96").modelQuery, ModelQueryFailure::Refused);
}

} // namespace
} // namespace kovra

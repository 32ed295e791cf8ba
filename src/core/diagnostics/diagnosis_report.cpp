#include "core/diagnostics/diagnosis_report.h"

#include "core/net/discovery_messages.h"
#include "core/units/unit_record.h"

#include <sstream>

namespace kovra {

namespace {

std::string macOrDash(const ReceivedAnswer& answer, AnswerVerdict verdict)
{
    return verdict == AnswerVerdict::TooShort ? std::string("-") : macText(answer.mac);
}

std::string printable(const std::string& typePair)
{
    std::string out;
    for (char c : typePair)
        out += (c >= 0x20 && c < 0x7F) ? c : '?';
    return out.empty() ? "-" : out;
}

std::string sendText(const FleetDiagnosis& report)
{
    const std::string where = ipv4ToText(report.destination) + ":" + std::to_string(kDiscoveryPort);
    if (report.sendResult == 0)
        return "sent to " + where;
    return "not sent to " + where + " (socket error " + std::to_string(report.sendResult) + ")";
}

std::string modelQueryText(const UnitFinding& unit)
{
    if (!unit.modelQueried)
        return "not queried";
    if (unit.modelQuery == ModelQueryFailure::None)
        return "ok";
    return modelQueryFailureText(unit.modelQuery);
}

void writeAnswers(std::ostream& out, const FleetDiagnosis& report)
{
    out << "Answers: " << report.answers.size() << "\n";
    for (size_t i = 0; i < report.answers.size(); ++i) {
        const ReceivedAnswer& answer = report.answers[i];
        out << "  " << ipv4ToText(answer.source) << ":" << answer.sourcePort << "  " << answer.length
            << " bytes  " << macOrDash(answer, report.verdicts[i]) << "  " << printable(answer.typePair)
            << "  " << verdictText(report.verdicts[i]) << "\n";
    }
}

void writeConflicts(std::ostream& out, const FleetDiagnosis& report)
{
    out << "Address conflicts: " << report.conflicts.size() << "\n";
    for (const AddressConflict& conflict : report.conflicts) {
        out << "  " << ipv4ToText(conflict.address) << " answered from";
        for (size_t i = 0; i < conflict.macs.size(); ++i)
            out << (i == 0 ? " " : ", ") << macText(conflict.macs[i]);
        out << "\n";
    }
}

void writeUnlisted(std::ostream& out, const FleetDiagnosis& report)
{
    std::ostringstream lines;
    int count = 0;
    for (const UnitFinding& unit : report.units) {
        const std::string ip = ipv4ToText(unit.address);
        const std::string who
            = "  " + ip + " (" + macText(unit.mac) + ", " + printable(unit.typePair) + "): ";
        if (!unit.recordsRead) {
            lines << who << "its records could not be read\n";
            ++count;
        } else if (unit.step != ReachStep::Listed) {
            lines << who << reachStepText(unit.step);
            if (unit.step == ReachStep::OtherPort)
                lines << " " << unit.port;
            lines << ": " << reachAdvice(unit.step, ip, unit.port) << "\n";
            ++count;
        }
    }
    out << "Units the search does not list: " << count << "\n" << lines.str();
}

void writeModelQueries(std::ostream& out, const FleetDiagnosis& report)
{
    std::ostringstream lines;
    int count = 0;
    for (const UnitFinding& unit : report.units) {
        if (!unit.modelQueried || unit.modelQuery == ModelQueryFailure::None)
            continue;
        lines << "  " << ipv4ToText(unit.address) << ":" << unit.port << " (" << macText(unit.mac)
              << "): " << modelQueryFailureText(unit.modelQuery) << " (result " << unit.modelQueryResult
              << ")\n";
        ++count;
    }
    out << "Model queries failed: " << count << "\n" << lines.str();
}

} // namespace

std::string diagnosisText(const FleetDiagnosis& report)
{
    std::ostringstream out;
    if (!report.adapter.chosen) {
        out << "Adapter: none chosen; nothing was sent\n";
        return out.str();
    }
    out << "Adapter: " << report.adapter.name << ", " << ipv4ToText(report.adapter.address) << " mask "
        << ipv4ToText(report.adapter.mask) << ", "
        << (report.adapter.usable ? "up" : "not usable (down, or its address is gone)") << "\n";
    out << "Discovery socket: " << (report.socketBound ? "bound" : "could not be created or bound") << "\n";
    if (!report.socketBound)
        return out.str();
    out << "Search requests: " << sendText(report) << "\n";
    if (report.sendResult != 0)
        return out.str();
    out << "Search port: " << report.searchPort << "\n";
    writeAnswers(out, report);
    if (report.waitResult != 0)
        out << "Waiting for answers failed (socket error " << report.waitResult
            << "): the search fails too\n";
    writeConflicts(out, report);
    writeUnlisted(out, report);
    writeModelQueries(out, report);
    return out.str();
}

nlohmann::json diagnosisJson(const FleetDiagnosis& report)
{
    nlohmann::json out;
    out["adapter"] = { { "chosen", report.adapter.chosen }, { "name", report.adapter.name },
        { "address", ipv4ToText(report.adapter.address) }, { "mask", ipv4ToText(report.adapter.mask) },
        { "usable", report.adapter.usable } };
    out["socketBound"] = report.socketBound;
    out["searchRequests"] = { { "destination", ipv4ToText(report.destination) },
        { "sent", report.socketBound && report.sendResult == 0 }, { "error", report.sendResult } };
    out["searchPort"] = report.searchPort;
    out["waitError"] = report.waitResult;
    out["answers"] = nlohmann::json::array();
    for (size_t i = 0; i < report.answers.size(); ++i) {
        const ReceivedAnswer& answer = report.answers[i];
        out["answers"].push_back(
            { { "source", ipv4ToText(answer.source) }, { "sourcePort", answer.sourcePort },
                { "length", answer.length }, { "mac", macOrDash(answer, report.verdicts[i]) },
                { "typePair", printable(answer.typePair) }, { "verdict", verdictText(report.verdicts[i]) } });
    }
    out["conflicts"] = nlohmann::json::array();
    for (const AddressConflict& conflict : report.conflicts) {
        nlohmann::json macs = nlohmann::json::array();
        for (const auto& mac : conflict.macs)
            macs.push_back(macText(mac));
        out["conflicts"].push_back({ { "address", ipv4ToText(conflict.address) }, { "macs", macs } });
    }
    out["units"] = nlohmann::json::array();
    for (const UnitFinding& unit : report.units) {
        const std::string ip = ipv4ToText(unit.address);
        out["units"].push_back(
            { { "address", ip }, { "mac", macText(unit.mac) }, { "typePair", printable(unit.typePair) },
                { "sameSubnet", unit.sameSubnet }, { "recordsRead", unit.recordsRead }, { "port", unit.port },
                { "reach", reachStepText(unit.step) }, { "advice", reachAdvice(unit.step, ip, unit.port) },
                { "modelQuery", modelQueryText(unit) }, { "modelQueryResult", unit.modelQueryResult } });
    }
    return out;
}

} // namespace kovra

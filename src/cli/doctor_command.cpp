#include "cli/cli_session.h"
#include "cli/command.h"
#include "core/app/flow_runner.h"
#include "core/app/unit_kind_readers.h"
#include "core/diagnostics/diagnosis_flow.h"
#include "core/diagnostics/diagnosis_report.h"
#include "core/diagnostics/diagnosis_setup.h"

#include <memory>
#include <ostream>

namespace kovra::cli {

namespace {

// `doctor`: why units are missing from the search, as the diagnosis window reports it.
class DoctorCommand : public Command {
public:
    std::string name() const override { return "doctor"; }
    std::string summary() const override
    {
        return "diagnose a search: the adapter, the discovery socket, every answer and why it is not "
               "listed, address conflicts, units on another subnet or port, failed model queries "
               "(exit 1: the search could not be sent or its wait failed)";
    }

    int run(CliSession& session) override
    {
        const FleetProbeSetup setup = diagnosisSetup(session.model(), session.options().port);
        UnitKindReaders readers;
        FleetDiagnosis report;
        {
            FlowRunner runner;
            auto flow = std::make_shared<DiagnosisFlow>(
                setup, readers, [&report](const FleetDiagnosis& found) { report = found; });
            runner.start([flow] { flow->run(); });
            runner.waitAll();
        }
        if (session.options().json)
            session.out() << diagnosisJson(report).dump(2) << std::endl;
        else
            session.out() << diagnosisText(report) << std::flush;
        const bool searched
            = report.adapter.chosen && report.socketBound && report.sendResult == 0 && report.waitResult == 0;
        return searched ? kExitOk : kExitFailed;
    }
};

} // namespace

std::unique_ptr<Command> makeDoctorCommand()
{
    return std::make_unique<DoctorCommand>();
}

} // namespace kovra::cli

#include "cli/argument_checks.h"
#include "cli/cli_session.h"
#include "cli/command.h"

#include <atomic>

namespace kovra::cli {

namespace {

// `ping IP [--unit UNIT]`: the PING button with IP in the address box; with --unit, that
// unit is selected first, so a reply from its own address is no conflict. The message is
// the one the window shows; exit 0 for a reply, 1 for none.
class PingCommand : public Command {
public:
    std::string name() const override { return "ping"; }
    std::string summary() const override { return "the PING check of IP (exit 0: a reply, 1: none)"; }

    void declare(CLI::App& command) override
    {
        command.add_option("IP", m_address, "the address to check")
            ->required()
            ->type_name("")
            ->check(ipv4Check());
        command
            .add_option(
                "--unit", m_unit, "select this unit first: a reply from its own address is no conflict")
            ->type_name("UNIT")
            ->check(unitCheck());
    }

    int run(CliSession& session) override
    {
        if (!m_unit.empty()) {
            const int slot = session.resolveUnit(m_unit);
            if (slot < 0)
                return kExitFailed;
            session.model().onSelectionChanged(session.model().table().record(slot).ipText);
        }
        std::atomic<PingOutcome> outcome { PingOutcome::Nothing };
        session.model().onPing(m_address, [&outcome](PingOutcome o) { outcome = o; });
        session.model().waitForFlows();
        return outcome == PingOutcome::Reply ? kExitOk : kExitFailed;
    }

private:
    std::string m_address;
    std::string m_unit;
};

} // namespace

std::unique_ptr<Command> makePingCommand()
{
    return std::make_unique<PingCommand>();
}

} // namespace kovra::cli

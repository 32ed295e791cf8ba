#include "cli/cli_session.h"
#include "cli/command.h"

#include <atomic>
#include <ostream>

namespace kovra::cli {

namespace {

// Picks "--unit UNIT" out of a command's arguments; false with a message when it is off.
bool takeUnitOption(std::vector<std::string>& arguments, std::string& unit, std::ostream& err)
{
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] != "--unit")
            continue;
        if (i + 1 >= arguments.size()) {
            err << "kovractl: --unit needs a value" << std::endl;
            return false;
        }
        unit = arguments[i + 1];
        arguments.erase(arguments.begin() + long(i), arguments.begin() + long(i) + 2);
        return true;
    }
    return true;
}

// `ping IP [--unit UNIT]`: the PING button with IP in the address box; with --unit, that
// unit is selected first, so a reply from its own address is no conflict. The message is
// the one the window shows; exit 0 for a reply, 1 for none.
class PingCommand : public Command {
public:
    std::string name() const override { return "ping"; }
    size_t minArguments() const override { return 1; }
    size_t maxArguments() const override { return 3; }

    int run(CliSession& session, const std::vector<std::string>& words) override
    {
        std::vector<std::string> arguments = words;
        std::string unit;
        Ipv4 address = 0;
        if (!takeUnitOption(arguments, unit, session.err()) || arguments.size() != 1
            || !parseIpv4(arguments[0], address)) {
            session.err() << "kovractl: ping takes an IPv4 address and optionally --unit UNIT" << std::endl;
            return kExitUsage;
        }
        if (!unit.empty()) {
            const int slot = session.resolveUnit(unit);
            if (slot < 0)
                return kExitFailed;
            session.model().onSelectionChanged(session.model().table().record(slot).ipText);
        }
        std::atomic<PingOutcome> outcome { PingOutcome::Nothing };
        session.model().onPing(arguments[0], [&outcome](PingOutcome o) { outcome = o; });
        session.model().waitForFlows();
        return outcome == PingOutcome::Reply ? kExitOk : kExitFailed;
    }
};

} // namespace

std::unique_ptr<Command> makePingCommand()
{
    return std::make_unique<PingCommand>();
}

} // namespace kovra::cli

#include "cli/cli_session.h"
#include "cli/command.h"

#include <atomic>
#include <ostream>

namespace kovra::cli {

namespace {

// `set-address UNIT (--dhcp | --ip A [--mask M] [--gateway G])`: the unit is listed and
// selected as `show` does, the address group is filled as its selection fills it, the
// options replace what they name, and 設定 is pressed. The question is answered by --yes
// or on the terminal. Exit 0 when the unit took the address.
class SetAddressCommand : public Command {
public:
    std::string name() const override { return "set-address"; }
    size_t minArguments() const override { return 2; }
    size_t maxArguments() const override { return 7; }

    int run(CliSession& session, const std::vector<std::string>& arguments) override
    {
        bool dhcp = false;
        std::string ip;
        std::string mask;
        std::string gateway;
        if (!parseArguments(arguments, dhcp, ip, mask, gateway)) {
            session.err()
                << "kovractl: set-address takes UNIT and --dhcp, or --ip A with optional --mask M and "
                   "--gateway G (dotted IPv4 addresses)"
                << std::endl;
            return kExitUsage;
        }
        const int slot = session.resolveUnit(arguments[0]);
        if (slot < 0)
            return kExitFailed;
        MainWindowModel& model = session.model();
        model.onSelectionChanged(model.table().record(slot).ipText);
        const AddressGroupState& group = model.addressGroup();
        if (!group.setEnabled) {
            session.err() << "kovractl: the address of this unit cannot be set here" << std::endl;
            return kExitFailed;
        }
        // What the window's boxes would hold: the selection's values, then the operator's.
        AddressEntry entry;
        entry.dhcp = dhcp;
        entry.address = dhcp ? group.address : ip;
        entry.mask = mask.empty() ? group.mask : mask;
        entry.gateway = gateway.empty() ? group.gateway : gateway;

        std::atomic<AddressWriteOutcome> outcome { AddressWriteOutcome::Nothing };
        model.onSetAddress(entry, [&outcome](AddressWriteOutcome o) { outcome = o; });
        model.waitForFlows();
        return outcome == AddressWriteOutcome::Written ? kExitOk : kExitFailed;
    }

private:
    static bool parseArguments(const std::vector<std::string>& arguments, bool& dhcp, std::string& ip,
        std::string& mask, std::string& gateway)
    {
        for (size_t i = 1; i < arguments.size(); ++i) {
            const std::string& word = arguments[i];
            std::string* value = word == "--ip" ? &ip
                : word == "--mask"              ? &mask
                : word == "--gateway"           ? &gateway
                                                : nullptr;
            if (word == "--dhcp") {
                dhcp = true;
            } else if (value && i + 1 < arguments.size() && value->empty()) {
                *value = arguments[++i];
                Ipv4 parsed = 0;
                if (!parseIpv4(*value, parsed))
                    return false;
            } else {
                return false;
            }
        }
        // Either DHCP or a new address, never both.
        return dhcp != !ip.empty() && (!dhcp || (mask.empty() && gateway.empty()));
    }
};

} // namespace

std::unique_ptr<Command> makeSetAddressCommand()
{
    return std::make_unique<SetAddressCommand>();
}

} // namespace kovra::cli

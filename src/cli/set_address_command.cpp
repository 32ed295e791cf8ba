#include "cli/argument_checks.h"
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
    std::string summary() const override
    {
        return "give the unit an address or DHCP; asks first unless --yes";
    }

    void declare(CLI::App& command) override
    {
        addUnitArgument(command, m_unit);
        CLI::Option_group* how = command.add_option_group("address", "DHCP, or a fixed address");
        how->add_flag("--dhcp", m_dhcp, "switch the unit to DHCP");
        CLI::Option* ip
            = how->add_option("--ip", m_ip, "the new address")->type_name("A")->check(ipv4Check());
        how->require_option(1);
        command.add_option("--mask", m_mask, "the new subnet mask (default: the unit's current one)")
            ->type_name("M")
            ->check(ipv4Check())
            ->needs(ip);
        command
            .add_option("--gateway", m_gateway, "the new default gateway (default: the unit's current one)")
            ->type_name("G")
            ->check(ipv4Check())
            ->needs(ip);
    }

    int run(CliSession& session) override
    {
        const int slot = session.resolveUnit(m_unit);
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
        entry.dhcp = m_dhcp;
        entry.address = m_dhcp ? group.address : m_ip;
        entry.mask = m_mask.empty() ? group.mask : m_mask;
        entry.gateway = m_gateway.empty() ? group.gateway : m_gateway;

        std::atomic<AddressWriteOutcome> outcome { AddressWriteOutcome::Nothing };
        model.onSetAddress(entry, [&outcome](AddressWriteOutcome o) { outcome = o; });
        model.waitForFlows();
        return outcome == AddressWriteOutcome::Written ? kExitOk : kExitFailed;
    }

private:
    std::string m_unit;
    bool m_dhcp = false;
    std::string m_ip;
    std::string m_mask;
    std::string m_gateway;
};

} // namespace

std::unique_ptr<Command> makeSetAddressCommand()
{
    return std::make_unique<SetAddressCommand>();
}

} // namespace kovra::cli

#include "core/functions/extension_timing.h"
#include "core/functions/input_extension_paths.h"
#include "core/functions/tcp_extension_form.h"
#include "core/wifi/module_reads.h"

namespace kovra {

namespace {

constexpr int kConnectsOut = 1; // the tunnel mode's low four bits: the module connects out

// Kind 2 units keep connection 1 in their module's tunnels: the accept port (the unit's
// command port) and the outgoing Tunnel Connect 1, read before the dialog opens and written
// back by one tunnel import, after which the module reboots. The timing goes first, by direct
// commands through the tunnel, as on the other kinds.
class ModuleTunnelPath : public DialogPath {
public:
    explicit ModuleTunnelPath(const UnitSlot& unit)
        : m_record(unit.record)
        , m_form(unit.record.kind, unit.record.modelIndex, 0)
    {
    }

    DialogForm& form() override { return m_form; }

    int load() override
    {
        TunnelConnect target;
        if (const int result = readTunnelConnect(m_record.ipText, target))
            return result;
        ExtensionConnections connections;
        connections.ownPorts[0] = m_record.unitPort();
        connections.waits[0] = true;
        connections.requests[0] = target.enabled;
        connections.hosts[0] = target.host;
        connections.hostPorts[0] = target.port;
        m_form.loadConnections(connections);
        return loadExtensionTiming(m_record, m_form);
    }

    WritePlan plan() override
    {
        WritePlan plan;
        const DirectStep timing = extensionTimingWrite(m_form);
        if (!timing.requests.empty())
            plan.push_back(timing);
        const ExtensionConnections& accepted = m_form.connections();
        TunnelStep tunnel;
        tunnel.tunnel.acceptPort = uint16_t(accepted.ownPorts[0]);
        tunnel.tunnel.tunnelMode = accepted.requests[0] ? kConnectsOut : 0;
        parseIpv4(accepted.hosts[0], tunnel.tunnel.remoteHost);
        tunnel.tunnel.remotePort = uint16_t(accepted.hostPorts[0]);
        plan.push_back(tunnel);
        return plan;
    }

    void store(UnitSlot& unit) override
    {
        unit.record.setUnitPort(uint16_t(m_form.connections().ownPorts[0]));
    }

    SettingOutcome writeFailure(size_t) const override { return SettingOutcome::WriteFailed; }

private:
    const UnitRecord m_record;
    TcpExtensionForm m_form;
};

} // namespace

std::unique_ptr<DialogPath> makeModuleTunnelPath(const UnitSlot& unit)
{
    return std::make_unique<ModuleTunnelPath>(unit);
}

} // namespace kovra

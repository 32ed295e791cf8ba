#include "core/functions/connections_form.h"
#include "core/functions/input_extension_paths.h"
#include "core/settings/settings_writers.h"

namespace kovra {

namespace {

// Kinds 5 and 7 report their connections with the settings and take them back in one
// message. Their command port is connection 1's own port, so a new one moves it.
class ConnectionsPath : public DialogPath {
public:
    explicit ConnectionsPath(const UnitSlot& unit)
        : m_openedPort(unit.settings.ports[0])
        , m_form(unit.record.kind, unit.record.modelIndex, unit.settings)
    {
    }

    DialogForm& form() override { return m_form; }

    WritePlan plan() override
    {
        return { MessageStep {
            connectionsMessage(m_form.values(), m_form.layout(), m_form.diCount(), m_form.doCount()) } };
    }

    void store(UnitSlot& unit) override
    {
        const UnitSettings& written = m_form.values();
        UnitSettings& settings = unit.settings;
        settings.ports = written.ports;
        settings.remoteHosts = written.remoteHosts;
        settings.remotePorts = written.remotePorts;
        settings.sockMode = written.sockMode;
        settings.notice = written.notice;
        settings.discon = written.discon;
        settings.rqReset = written.rqReset;
        settings.detect = written.detect;
        settings.diExtension = written.diExtension;
        settings.doExtension = written.doExtension;
        if (written.ports[0] != m_openedPort)
            takeConnectionPort(unit.record, settings);
    }

private:
    const int m_openedPort;
    ConnectionsForm m_form;
};

} // namespace

std::unique_ptr<DialogPath> makeConnectionsPath(const UnitSlot& unit)
{
    return std::make_unique<ConnectionsPath>(unit);
}

} // namespace kovra

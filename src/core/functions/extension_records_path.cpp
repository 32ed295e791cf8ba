#include "core/functions/extension_setup_image.h"
#include "core/functions/extension_timing.h"
#include "core/functions/input_extension_paths.h"
#include "core/functions/tcp_extension_form.h"
#include "core/net/net_results.h"

namespace kovra {

namespace {

ExtensionConnections connectionsOf(const ExtensionSetupImage& image, int modelId)
{
    ExtensionConnections connections;
    for (int i = 0; i < ExtensionConnections::kOwnPorts; ++i) {
        connections.ownPorts[size_t(i)] = image.ownPorts[size_t(i)];
        connections.waits[size_t(i)] = roleWaits(image.roles[size_t(i)]);
    }
    for (int i = 0; i < ExtensionConnections::kDestinations; ++i) {
        connections.requests[size_t(i)] = roleRequests(image.roles[size_t(i)], modelId);
        connections.hosts[size_t(i)] = ipv4ToText(image.destinations[size_t(i)]);
        connections.hostPorts[size_t(i)] = image.destinationPorts[size_t(i)];
    }
    return connections;
}

// The accepted connections over the image as read. Rows the kind does not have keep what
// the unit holds; role bytes keep their bits 5-4.
ExtensionSetupImage imageOf(
    const ExtensionConnections& connections, const ExtensionSetupImage& read, int rows, int modelId)
{
    ExtensionSetupImage image = read;
    for (int i = 0; i <= rows; ++i) {
        const bool request = i < ExtensionConnections::kDestinations && connections.requests[size_t(i)];
        image.ownPorts[size_t(i)] = uint16_t(connections.ownPorts[size_t(i)]);
        image.roles[size_t(i)]
            = rebuildRole(read.roles[size_t(i)], connections.waits[size_t(i)], request, modelId);
        if (i >= ExtensionConnections::kDestinations)
            continue;
        Ipv4 address = 0;
        parseIpv4(connections.hosts[size_t(i)], address);
        image.destinations[size_t(i)] = address;
        image.destinationPorts[size_t(i)] = uint16_t(connections.hostPorts[size_t(i)]);
    }
    return image;
}

// The binary kinds (0, 1, 4) keep their connections in the stored records 0, 3 and 7: read
// afresh before the dialog opens, changed in the image's bytes only and written back in that
// order; the unit restarts on record 7 and listens on connection 1's port from then on. The
// timing goes first, by direct commands, as on the text kinds.
class ExtensionRecordsPath : public DialogPath {
public:
    explicit ExtensionRecordsPath(const UnitSlot& unit)
        : m_record(unit.record)
        , m_form(unit.record.kind, unit.record.modelIndex, 0)
    {
        m_read = readExtensionSetupImage(m_record);
        m_form.loadConnections(connectionsOf(m_read, m_record.modelIndex));
    }

    DialogForm& form() override { return m_form; }

    int load() override
    {
        if (!queryExtensionRecords(m_record))
            return kAnswerRefused;
        m_read = readExtensionSetupImage(m_record);
        m_form.loadConnections(connectionsOf(m_read, m_record.modelIndex));
        return loadExtensionTiming(m_record, m_form);
    }

    WritePlan plan() override
    {
        WritePlan plan;
        const DirectStep timing = extensionTimingWrite(m_form);
        if (!timing.requests.empty())
            plan.push_back(timing);
        m_written = m_record;
        writeExtensionSetupImage(
            m_written, imageOf(m_form.connections(), m_read, m_form.extraRows(), m_record.modelIndex));
        RecordsStep records;
        for (int n : kExtensionRecordNumbers)
            records.records.push_back(storedSetupRecord(m_written, n));
        plan.push_back(records);
        return plan;
    }

    void store(UnitSlot& unit) override
    {
        unit.record.configBlock0 = m_written.configBlock0;
        unit.record.configBlock(3) = m_written.configBlock(3);
        unit.record.configBlock(7) = m_written.configBlock(7);
    }

private:
    UnitRecord m_record;
    UnitRecord m_written;
    ExtensionSetupImage m_read;
    TcpExtensionForm m_form;
};

} // namespace

std::unique_ptr<DialogPath> makeExtensionRecordsPath(const UnitSlot& unit)
{
    return std::make_unique<ExtensionRecordsPath>(unit);
}

} // namespace kovra

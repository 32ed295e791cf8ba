#include "core/pairs/unit_connections.h"

#include "core/functions/connections_form.h"
#include "core/functions/extension_setup_image.h"
#include "core/units/model_table.h"
#include "core/units/unit_row_text.h"

#include <algorithm>
#include <cctype>

namespace kovra {

namespace {

constexpr const char* kNoHost = "0.0.0.0";

int clampedCount(int count)
{
    return std::clamp(count, 0, kChannelCount);
}

// DI n drives peer DO n: the units whose mapping the product neither shows nor writes.
void mirrorInputs(UnitConnections& unit)
{
    unit.diToPeerDo.fill(UnitConnections::kNone);
    for (int n = 0; n < unit.diCount; ++n)
        unit.diToPeerDo[size_t(n)] = n;
}

int mappingValue(int stored)
{
    return stored >= 0 && stored < kChannelCount ? stored : UnitConnections::kNone;
}

void addListening(UnitConnections& unit, int connection, int32_t port)
{
    if (port > 0 && port <= 0xFFFF)
        unit.listening.push_back({ connection, uint16_t(port) });
}

void addDestination(UnitConnections& unit, int connection, const std::string& host, int32_t port)
{
    std::string normalized = normalizedHost(host);
    if (!normalized.empty())
        unit.destinations.push_back({ connection, std::move(normalized), port });
}

LinkTransport transportOfSock(int32_t sockMode)
{
    switch (sockMode) {
    case kSockUdp:
        return LinkTransport::Udp;
    case kSockModbus:
        return LinkTransport::ModbusTcp;
    default:
        return LinkTransport::Tcp; // normal and old mode both run over TCP
    }
}

// Kinds 5 and 7: four connections, SOCK, and the mapping the dialog's layout sets.
void readFourConnections(UnitConnections& unit, const UnitSlot& slot)
{
    const UnitSettings& settings = slot.settings;
    const ConnectionsForm form(slot.record.kind, slot.record.modelIndex, settings);
    unit.diCount = form.diCount();
    unit.doCount = form.doCount();
    unit.transport = transportOfSock(settings.sockMode);
    for (int n = 0; n < ConnectionsForm::kConnectionCount; ++n)
        addListening(unit, n + 1, settings.ports[size_t(n)]);
    // In Modbus TCP mode the destinations are not used (the dialog disables them).
    if (unit.transport != LinkTransport::ModbusTcp)
        for (int n = 0; n < ConnectionsForm::kConnectionCount; ++n)
            addDestination(unit, n + 1, settings.remoteHosts[size_t(n)], settings.remotePorts[size_t(n)]);
    if (form.layout() == kLayoutNone) {
        mirrorInputs(unit);
        return;
    }
    unit.choosesPeerDo = true;
    for (int n = 0; n < kChannelCount; ++n)
        unit.diToPeerDo[size_t(n)]
            = n < unit.diCount ? mappingValue(settings.diExtension[size_t(n)]) : UnitConnections::kNone;
    unit.choosesDoSource = form.layout() == kLayoutMapping;
    if (unit.choosesDoSource)
        for (int n = 0; n < kChannelCount; ++n)
            unit.doFromPeerDi[size_t(n)]
                = n < unit.doCount ? mappingValue(settings.doExtension[size_t(n)]) : UnitConnections::kNone;
}

// Kinds 3 and 6: connection 1 only, which both waits and requests; kind 6 runs UDP when its
// SOCK says so.
void readConnectionOne(UnitConnections& unit, const UnitSlot& slot)
{
    const UnitSettings& settings = slot.settings;
    unit.diCount = clampedCount(modelDiCount(slot.record.modelIndex));
    unit.doCount = clampedCount(modelDoCount(slot.record.modelIndex));
    if (slot.record.kind == kKindQx && settings.sockMode != 0)
        unit.transport = LinkTransport::Udp;
    addListening(unit, 1, settings.ports[0]);
    addDestination(unit, 1, settings.remoteHosts[0], settings.remotePorts[0]);
    mirrorInputs(unit);
}

// Kinds 0, 1 and 4: connections 1 and 2 and, on kinds 1 and 4, the shared connection 3,4 from
// the setup image. Connection 1 always waits (its port is the command port); the others wait
// or request as their role bytes say; DI n drives peer DO n.
void readSetupImage(UnitConnections& unit, const UnitRecord& record)
{
    const ExtensionSetupImage image = readExtensionSetupImage(record);
    const int ownPorts = record.kind == kKindWired ? 2 : ExtensionSetupImage::kOwnPorts;
    unit.diCount = clampedCount(modelDiCount(record.modelIndex));
    unit.doCount = clampedCount(modelDoCount(record.modelIndex));
    for (int i = 0; i < ownPorts; ++i)
        if (i == 0 || roleWaits(image.roles[size_t(i)]))
            addListening(unit, i + 1, image.ownPorts[size_t(i)]);
    for (int i = 0; i < ExtensionSetupImage::kDestinations; ++i)
        if (roleRequests(image.roles[size_t(i)], record.modelIndex) && image.destinations[size_t(i)] != 0)
            addDestination(
                unit, i + 1, ipv4ToText(image.destinations[size_t(i)]), image.destinationPorts[size_t(i)]);
    mirrorInputs(unit);
}

} // namespace

void addModuleTunnel(UnitConnections& unit, const TunnelConnect& tunnel)
{
    if (tunnel.enabled)
        addDestination(unit, 1, tunnel.host, tunnel.port);
}

std::string normalizedHost(const std::string& host)
{
    std::string text;
    for (char c : host)
        if (!std::isspace(static_cast<unsigned char>(c)))
            text += c;
    return text == kNoHost ? std::string() : text;
}

UnitConnections unitConnections(const UnitSlot& slot)
{
    UnitConnections unit;
    unit.address = slot.record.ipText;
    unit.model = modelText(slot.record, slot.settings, false);
    unit.kind = slot.record.kind;
    unit.diToPeerDo.fill(UnitConnections::kNone);
    unit.doFromPeerDi.fill(UnitConnections::kNone);
    switch (slot.record.kind) {
    case kKindKovra4:
    case kKindThirdName:
        readFourConnections(unit, slot);
        break;
    case kKindWifi:
    case kKindQx:
        readConnectionOne(unit, slot);
        break;
    case kKindWired:
    case kKindWiredGc:
    case kKindNewerWired:
        readSetupImage(unit, slot.record);
        break;
    case kKindWifiModule:
        addListening(unit, 1, slot.record.unitPort());
        unit.diCount = clampedCount(modelDiCount(slot.record.modelIndex));
        unit.doCount = clampedCount(modelDoCount(slot.record.modelIndex));
        mirrorInputs(unit);
        break;
    default:
        break;
    }
    return unit;
}

} // namespace kovra

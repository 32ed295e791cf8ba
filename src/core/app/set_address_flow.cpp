#include "core/app/set_address_flow.h"

#include "core/app/address_texts.h"
#include "core/app/main_window_model.h"
#include "core/app/system_texts.h"
#include "core/net/discovery_messages.h"
#include "core/platform/socket_error.h"

namespace kovra {

SetAddressFlow::SetAddressFlow(
    FlowContext context, const UnitSlot& unit, AddressEntry entry, AddressWriters& writers, Done done)
    : m_context(context)
    , m_unit(unit)
    , m_entry(std::move(entry))
    , m_writers(writers)
    , m_done(std::move(done))
{
}

void SetAddressFlow::run()
{
    AddressWriteOutcome outcome = checkAndAsk();
    if (outcome == AddressWriteOutcome::Written)
        outcome = writeAddress();
    if (outcome == AddressWriteOutcome::Written)
        removeWrittenUnit();
    if (m_done)
        m_done(outcome);
}

// Written here means "go on and write".
AddressWriteOutcome SetAddressFlow::checkAndAsk()
{
    UserInterface& ui = m_context.ui;
    const UnitRecord& unit = m_unit.record;
    if (m_entry.dhcp && unit.kind == kKindWifi) {
        ui.showMessage(texts::kUnitCannotUseDhcp);
        return AddressWriteOutcome::Refused;
    }
    if (!m_entry.dhcp) {
        if (m_entry.address.empty())
            return AddressWriteOutcome::Nothing;
        // The address boxes only hold dotted quads; a text from elsewhere that is not one
        // must not reach a unit.
        if (!parseIpv4(m_entry.address, m_address)) {
            ui.showMessage(texts::kAddressNotUsable);
            return AddressWriteOutcome::Refused;
        }
        if (!unit.dhcp && ipv4ToText(m_address) != unit.ipText
            && m_writers.addressInUse(ipv4ToText(m_address))) {
            ui.showMessage(texts::kAddressNotUsable);
            return AddressWriteOutcome::Refused;
        }
    }
    if (!ui.askOkCancel(texts::kConfirmWrite))
        return AddressWriteOutcome::Cancelled;
    return AddressWriteOutcome::Written;
}

bool SetAddressFlow::staticNetwork(int& hostBits, Ipv4& gateway)
{
    Ipv4 mask = 0;
    hostBits = parseIpv4(m_entry.mask, mask) ? hostBitsFromMask(mask) : -1;
    if (hostBits < 0) {
        m_context.ui.showMessage(texts::kSubnetMaskError);
        return false;
    }
    gateway = 0;
    if (!m_entry.gateway.empty() && !parseIpv4(m_entry.gateway, gateway)) {
        m_context.ui.showMessage(texts::kAddressNotUsable);
        return false;
    }
    return true;
}

AddressWriteOutcome SetAddressFlow::writeByMessage()
{
    std::string message;
    if (m_entry.dhcp) {
        message = addressMessage(kDhcpAddressText, kDhcpAddressText, kDhcpAddressText);
    } else {
        int hostBits = 0;
        Ipv4 gateway = 0;
        if (!staticNetwork(hostBits, gateway))
            return AddressWriteOutcome::Refused;
        message = addressMessage(
            ipv4ToText(m_address), ipv4ToText(maskFromHostBits(hostBits)), ipv4ToText(gateway));
    }
    return finish(m_writers.writeTextKindAddress(m_unit, message));
}

AddressWriteOutcome SetAddressFlow::writeAddress()
{
    const UnitRecord& unit = m_unit.record;
    if (unit.kind == kKindKovra4 || unit.kind == kKindQx || unit.kind == kKindThirdName) {
        // Their settings port takes an address only from the PC's own network group.
        if (!unit.sameSubnet) {
            m_context.ui.showMessage(texts::kNotSameNetworkGroup);
            return AddressWriteOutcome::Refused;
        }
        return writeByMessage();
    }
    if (!unit.sameSubnet)
        return finish(m_writers.sendAddressSet(m_unit, m_entry.dhcp ? 0 : m_address));
    // Kind 3 never gets here with DHCP: the check refused it.
    if (unit.kind == kKindWifi)
        return writeByMessage();

    int hostBits = 0;
    Ipv4 gateway = 0;
    Ipv4 address = 0;
    if (!m_entry.dhcp) {
        if (!staticNetwork(hostBits, gateway))
            return AddressWriteOutcome::Refused;
        address = m_address;
    }
    if (unit.kind == kKindWifiModule) {
        const int result = m_writers.writeWifiModuleAddress(
            m_unit, m_entry.dhcp, address, maskFromHostBits(hostBits), gateway);
        // A module may take the record and restart before its answer is out: found at its
        // new address, it took it.
        if (result != 0 && m_writers.unitMovedTo(m_unit, address)) {
            m_context.ui.showMessage(texts::kWrittenWithoutAcknowledgement);
            return AddressWriteOutcome::Written;
        }
        return finish(result);
    }
    const auto record = buildAddressRecord(unit.configBlock0, address, hostBits, gateway);
    const int result = m_writers.writeRecord0(m_unit, record);
    // An answer that never came whole, or came with more after it, still went out after
    // the unit had the record: only its restart tells whether it took it.
    if (result == kSocketTimedOut || result == kSocketMessageSize)
        return finishUnacknowledged(address, record);
    return finish(result);
}

// A lost acknowledgement does not mean a lost write: the unit may already be restarting at
// its new address. Which of the two happened decides the message and whether its row goes.
AddressWriteOutcome SetAddressFlow::finishUnacknowledged(
    Ipv4 address, const std::array<uint8_t, kConfigBlock0Size>& record)
{
    if (m_writers.unitTookRecord(m_unit, address, record)) {
        m_context.ui.showMessage(texts::kWrittenWithoutAcknowledgement);
        return AddressWriteOutcome::Written;
    }
    m_context.ui.showMessage(texts::kNoAcknowledgementNotMoved);
    return AddressWriteOutcome::Failed;
}

AddressWriteOutcome SetAddressFlow::finish(int result)
{
    if (result != 0) {
        m_context.ui.showMessage(texts::kCommunicationError);
        return AddressWriteOutcome::Failed;
    }
    m_context.ui.showMessage(texts::kSettingDoneRestart);
    return AddressWriteOutcome::Written;
}

void SetAddressFlow::removeWrittenUnit()
{
    MainWindowModel* model = &m_context.model;
    const std::string ipText = m_unit.record.ipText;
    const auto mac = m_unit.record.mac;
    m_context.dispatcher.post([model, ipText, mac] { model->unitRestarted(ipText, mac); });
}

} // namespace kovra

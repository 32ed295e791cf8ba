#include "core/app/address_group.h"

namespace kovra {

bool AddressGroupState::operator==(const AddressGroupState& o) const
{
    return dhcpEnabled == o.dhcpEnabled && dhcpChecked == o.dhcpChecked && addressEnabled == o.addressEnabled
        && maskEnabled == o.maskEnabled && gatewayEnabled == o.gatewayEnabled && pingEnabled == o.pingEnabled
        && setEnabled == o.setEnabled && address == o.address && mask == o.mask && gateway == o.gateway;
}

AddressGroupState disabledAddressGroup()
{
    return AddressGroupState {};
}

void applySelection(AddressGroupState& group, const UnitSlot* slot)
{
    if (!slot) {
        group.address.clear();
        group.pingEnabled = false;
        group.setEnabled = false;
        return;
    }
    const UnitRecord& unit = slot->record;
    if ((unit.kind == kKindWifi || unit.kind == kKindQx) && slot->settings.addressLock == 1) {
        group = disabledAddressGroup();
        return;
    }
    if (unit.sameSubnet) {
        group.dhcpEnabled = group.addressEnabled = group.maskEnabled = group.gatewayEnabled = true;
        group.pingEnabled = group.setEnabled = true;
        group.dhcpChecked = unit.dhcp;
        group.address = ipv4ToText(unit.peerAddress);
        group.mask = ipv4ToText(unit.subnetMask);
        group.gateway = ipv4ToText(unit.gateway);
    } else {
        group = disabledAddressGroup();
        group.address = ipv4ToText(unit.peerAddress);
        group.addressEnabled = group.pingEnabled = group.setEnabled = group.dhcpEnabled = true;
        group.dhcpChecked = false;
    }
    applyDhcpCheckBox(group, group.dhcpChecked, unit.sameSubnet);
}

void applyDhcpCheckBox(AddressGroupState& group, bool checked, bool sameSubnet)
{
    group.dhcpChecked = checked;
    group.addressEnabled = group.maskEnabled = group.gatewayEnabled = group.pingEnabled = !checked;
    if (!sameSubnet && !checked)
        group.maskEnabled = group.gatewayEnabled = false;
}

} // namespace kovra

#pragma once

#include "core/units/unit_table.h"

#include <string>

namespace kovra {

// What the address group of the main window shows: the DHCP check box (1037), the three
// address controls (1003 address, 1004 mask, 1007 gateway) and the PING (1028) and
// 設定 (1029) buttons. Texts are dotted addresses, empty when the control is empty.
struct AddressGroupState {
    bool dhcpEnabled = false;
    bool dhcpChecked = false;
    bool addressEnabled = false;
    bool maskEnabled = false;
    bool gatewayEnabled = false;
    bool pingEnabled = false;
    bool setEnabled = false;
    std::string address;
    std::string mask;
    std::string gateway;

    bool operator==(const AddressGroupState& o) const;
};

// The group disabled as a whole and its three address controls emptied.
AddressGroupState disabledAddressGroup();

// A row became selected: `slot` is its unit, or null when no slot matches the row.
void applySelection(AddressGroupState& group, const UnitSlot* slot);

// The check box rule, also applied on every click of the check box: the address controls
// and PING follow "not DHCP"; a unit on another subnet can only be given an address.
void applyDhcpCheckBox(AddressGroupState& group, bool checked, bool sameSubnet);

} // namespace kovra

#pragma once

#include "core/app/flow_context.h"
#include "core/net/address_setting.h"
#include "core/units/unit_table.h"

#include <functional>
#include <string>

namespace kovra {

// What the address group holds when 設定 (1029) is pressed: check box 1037 and the dotted
// texts of 1003 (address), 1004 (mask) and 1007 (gateway); an empty gateway is 0.0.0.0.
struct AddressEntry {
    bool dhcp = false;
    std::string address;
    std::string mask;
    std::string gateway;
};

// How an address write ended, for callers that go on after it (kovractl's exit status).
enum class AddressWriteOutcome {
    Nothing, // no address given: ended without a message
    Refused, // a check refused it, with its message
    Cancelled, // the operator said Cancel
    Failed, // "通信エラー"
    Written, // the unit took it and restarts
};

// The 設定 button's flow, on a worker thread, for the unit selected when it was pressed
// (a copy: the table may change meanwhile). In order: kind 3 cannot take DHCP; an empty
// address ends; a unit with a fixed address is not given an address another host answers
// ARP for (its own current address is not checked); the operator confirms; then the unit's
// path writes: kinds 5, 6, 7 the address message (only on the adapter's network group), a
// unit on another subnet the address-set datagram, kind 2 the module's Interface record,
// kind 3 the address message, the others record 0. A mask that is not one run of one bits
// ends before anything is sent. A record 0 write whose acknowledgement does not come is
// followed by a look for the unit at its new address: found holding the written record, it
// counts as written (with a message saying so); else "通信エラー" with the reason. A module
// whose address import failed is looked for at its new address in the same way. Success
// removes the unit's slot and row on the window's thread, since it restarts under its new
// address.
class SetAddressFlow {
public:
    using Done = std::function<void(AddressWriteOutcome)>;

    SetAddressFlow(
        FlowContext context, const UnitSlot& unit, AddressEntry entry, AddressWriters& writers, Done done);
    void run();

private:
    AddressWriteOutcome checkAndAsk();
    AddressWriteOutcome writeAddress();
    AddressWriteOutcome writeByMessage();
    // Mask and gateway of a fixed address; false after the mask error has been shown.
    bool staticNetwork(int& hostBits, Ipv4& gateway);
    AddressWriteOutcome finish(int result);
    AddressWriteOutcome finishUnacknowledged(
        Ipv4 address, const std::array<uint8_t, kConfigBlock0Size>& record);
    void removeWrittenUnit();

    FlowContext m_context;
    UnitSlot m_unit;
    AddressEntry m_entry;
    AddressWriters& m_writers;
    Done m_done;
    Ipv4 m_address = 0;
};

} // namespace kovra

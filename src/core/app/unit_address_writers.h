#pragma once

#include "core/net/address_setting.h"

namespace kovra {

// The program's address paths: the neighbour-table ARP check, record 0 and the address-set
// datagram on the discovery port, the settings message on port 9998 and the Wi-Fi
// module's Interface import; the search for a unit whose record 0 write went unanswered.
class UnitAddressWriters : public AddressWriters {
public:
    bool addressInUse(const std::string& addressText) override;
    int writeRecord0(const UnitSlot& unit, const std::array<uint8_t, kConfigBlock0Size>& record) override;
    int sendAddressSet(const UnitSlot& unit, Ipv4 address) override;
    int writeTextKindAddress(const UnitSlot& unit, const std::string& message) override;
    int writeWifiModuleAddress(
        const UnitSlot& unit, bool dhcp, Ipv4 address, Ipv4 mask, Ipv4 gateway) override;
    bool unitTookRecord(
        const UnitSlot& unit, Ipv4 address, const std::array<uint8_t, kConfigBlock0Size>& record) override;
    bool unitMovedTo(const UnitSlot& unit, Ipv4 address) override;

private:
    // The unit as it answers at `address` (0: a search anywhere) within the restart look.
    bool lookForRestartedUnit(const UnitSlot& unit, Ipv4 address, UnitRecord& found);

protected:
    // How long a unit is looked for after an unanswered record 0 write (tests shorten it).
    int m_restartLookMs = 5000;
};

} // namespace kovra

#include "core/app/unit_address_writers.h"

#include "core/net/net_results.h"
#include "core/platform/neighbour_probe.h"
#include "core/settings/settings_transport.h"

namespace kovra {

bool UnitAddressWriters::addressInUse(const std::string& addressText)
{
    return kovra::addressInUse(addressText);
}

int UnitAddressWriters::writeRecord0(
    const UnitSlot& unit, const std::array<uint8_t, kConfigBlock0Size>& record)
{
    return writeAddressRecord(unit.record.peerAddress, record);
}

int UnitAddressWriters::sendAddressSet(const UnitSlot& unit, Ipv4 address)
{
    return broadcastAddressSet(unit.record.mac, address);
}

int UnitAddressWriters::writeTextKindAddress(const UnitSlot& unit, const std::string& message)
{
    return SendSettingsMessage(unit.record, message);
}

int UnitAddressWriters::writeWifiModuleAddress(const UnitSlot&, bool, Ipv4, Ipv4, Ipv4)
{
    // The Wi-Fi module's web configuration (importInterfaceSettings) is not in this build
    // yet: nothing is sent and the write fails.
    return kRequestRefused;
}

} // namespace kovra

#include "core/app/unit_address_writers.h"

#include "core/wifi/import_status.h"
#include "core/platform/neighbour_probe.h"
#include "core/settings/settings_transport.h"
#include "core/wifi/module_import.h"
#include "core/wifi/wifi_results.h"

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

int UnitAddressWriters::writeWifiModuleAddress(
    const UnitSlot& unit, bool dhcp, Ipv4 address, Ipv4 mask, Ipv4 gateway)
{
    const int result = importInterfaceSettings(unit.record.ipText, dhcp, address, mask, gateway);
    if (result != 0)
        return result;
    // The flow runs on its own worker: it waits here for the import's end instead of
    // polling importStatus with the window's timer.
    waitForImport();
    return importStatus.load() == kImportDone ? 0 : kWifiTransferFailed;
}

} // namespace kovra

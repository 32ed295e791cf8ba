#include "core/app/unit_address_writers.h"

#include "core/net/discovery.h"
#include "core/net/discovery_messages.h"
#include "core/platform/cancel_scope.h"
#include "core/platform/neighbour_probe.h"
#include "core/settings/settings_transport.h"
#include "core/wifi/import_status.h"
#include "core/wifi/module_import.h"
#include "core/wifi/wifi_results.h"

#include <chrono>
#include <memory>

namespace kovra {

namespace {

constexpr int kRestartLookPauseMs = 200;

// The unit with `mac` among those that answered; nullptr when none.
const UnitRecord* findByMac(const UnitTable& table, const std::array<uint8_t, 6>& mac)
{
    for (int i = 0; i < table.unitCount(); ++i)
        if (table.record(i).mac == mac)
            return &table.record(i);
    return nullptr;
}

} // namespace

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

bool UnitAddressWriters::lookForRestartedUnit(const UnitSlot& unit, Ipv4 address, UnitRecord& found)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(m_restartLookMs);
    auto table = std::make_unique<UnitTable>();
    do {
        table->reset();
        const int answered = address != 0 ? queryUnit(*table, address) : searchUnits(*table);
        if (answered < 0)
            return false;
        if (const UnitRecord* record = findByMac(*table, unit.record.mac)) {
            found = *record;
            return true;
        }
    } while (Clock::now() < deadline && pauseFor(kRestartLookPauseMs));
    return false;
}

bool UnitAddressWriters::unitTookRecord(
    const UnitSlot& unit, Ipv4 address, const std::array<uint8_t, kConfigBlock0Size>& record)
{
    // The same address as before, or DHCP, would also find a unit that never took the
    // write: its record 0 tells.
    UnitRecord readBack;
    return lookForRestartedUnit(unit, address, readBack) && queryRecord(readBack, 0)
        && sameAddressFields(readBack.configBlock0.data(), record.data());
}

bool UnitAddressWriters::unitMovedTo(const UnitSlot& unit, Ipv4 address)
{
    // Found where it always was, or anywhere by DHCP, it tells nothing.
    UnitRecord found;
    return address != 0 && address != unit.record.peerAddress && lookForRestartedUnit(unit, address, found);
}

} // namespace kovra

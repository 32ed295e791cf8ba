#pragma once

#include "core/platform/ipv4.h"
#include "core/units/unit_table.h"

#include <array>
#include <cstdint>
#include <string>

namespace kovra {

// Address setting: the record 0 write of wired units, the address-set datagram for units
// on another subnet, the address message of the text-protocol kinds, and the mask
// conversions they share.

// Record 0 as an address write carries it: header 00 00 00 C0 (a lone write, after which
// the unit restarts), new address at bytes 4-7, host bits of the mask at byte 10, gateway
// at bytes 16-19; DHCP writes zeros there.
constexpr std::array<uint8_t, 4> kAddressRecordHeader { 0x00, 0x00, 0x00, 0xC0 };
constexpr size_t kRecordAddressOffset = 4;
constexpr size_t kRecordHostBitsOffset = 10;
constexpr size_t kRecordGatewayOffset = 16;

// The address a text-protocol unit takes as "address by DHCP", in all three fields.
constexpr const char* kDhcpAddressText = "0.0.0.0";

// Host bits of a mask: 32 minus its leading one bits; -1 when its one bits are not one
// unbroken run from the top (255.0.255.0) or when it has none at all (0.0.0.0 leaves no
// network part, so no unit could be reached under it).
int hostBitsFromMask(Ipv4 mask);

// The address write of record 0 built on a copy of the unit's stored record.
std::array<uint8_t, kConfigBlock0Size> buildAddressRecord(
    const std::array<uint8_t, kConfigBlock0Size>& configBlock0, Ipv4 address, int hostBits, Ipv4 gateway);

// The address message of the text-protocol kinds (CRLF lines):
// "IP\r\n%s\r\nSUBM\r\n%s\r\nGWAY\r\n%s\r\nEND\r\n".
std::string addressMessage(const std::string& address, const std::string& mask, const std::string& gateway);

// Sends the address write to peer:30718 and waits for its 4-byte acknowledgement. Units
// differ in what those bytes are (header with C8h, their request's own header, ...), so any
// four bytes count, as for the setup-record writes.
// Results: 0; -1 no socket; 10060 no (complete) answer within 1000 ms; other socket errors.
int writeAddressRecord(Ipv4 peer, const std::array<uint8_t, kConfigBlock0Size>& record);

// Broadcasts the address-set datagram (00 00 00 FC, "IP-SETUP", 00 00, hardware-address
// bytes 4 and 5, address) to 255.255.255.255:30718; units do not answer it.
// Results: 0; -1 no socket; other socket errors.
int broadcastAddressSet(const std::array<uint8_t, 6>& mac, Ipv4 address);

// The ARP check and the four write paths, as the address flow calls them. The program's
// own implementation (core/app/unit_address_writers.h) uses the functions above, the
// settings transport and the Wi-Fi module's import; tests give their own.
class AddressWriters {
public:
    virtual ~AddressWriters() = default;
    // True when a host answers ARP for the address through the selected adapter.
    virtual bool addressInUse(const std::string& addressText) = 0;
    // Each returns 0 on success, a failure code otherwise.
    virtual int writeRecord0(const UnitSlot& unit, const std::array<uint8_t, kConfigBlock0Size>& record) = 0;
    virtual int sendAddressSet(const UnitSlot& unit, Ipv4 address) = 0;
    // Kinds 3, 5, 6, 7: the address message on the settings port.
    virtual int writeTextKindAddress(const UnitSlot& unit, const std::string& message) = 0;
    // Kind 2: the Interface record imported into the module; returns when the import has
    // ended (0 only when the module took it).
    virtual int writeWifiModuleAddress(const UnitSlot& unit, bool dhcp, Ipv4 address, Ipv4 mask, Ipv4 gateway)
        = 0;
    // After the record 0 write `record` whose acknowledgement never came: true when the unit
    // (its hardware address) answers at `address` (for DHCP, 0: a search anywhere) within its
    // restart time and its record 0 holds the written address fields.
    virtual bool unitTookRecord(
        const UnitSlot& unit, Ipv4 address, const std::array<uint8_t, kConfigBlock0Size>& record)
        = 0;
    // After a module's address import that failed without a clear answer: true when the unit
    // (its hardware address) answers at the new `address` within its restart time.
    virtual bool unitMovedTo(const UnitSlot& unit, Ipv4 address) = 0;
};

} // namespace kovra

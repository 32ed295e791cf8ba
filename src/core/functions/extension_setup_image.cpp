#include "core/functions/extension_setup_image.h"

#include "core/net/discovery.h"

namespace kovra {

namespace {

// Where each field sits: its record and its offset in it.
struct Place {
    int record;
    size_t offset;
};

constexpr Place kOwnPortPlaces[ExtensionSetupImage::kOwnPorts]
    = { { 0, kConfigPortOffset }, { 3, 4 }, { 7, 4 } };
constexpr Place kRolePlaces[ExtensionSetupImage::kOwnPorts] = { { 0, 26 }, { 3, 6 }, { 7, 6 } };
constexpr Place kDestinationPlaces[ExtensionSetupImage::kDestinations] = { { 0, 28 }, { 3, 8 } };
constexpr Place kDestinationPortPlaces[ExtensionSetupImage::kDestinations] = { { 0, 32 }, { 3, 12 } };

constexpr int kRequestCodeModelA = 3;
constexpr int kRequestCodeModelB = 4;
constexpr uint8_t kRequestCode = 1;
constexpr uint8_t kRequestCodeOfModels3And4 = 5;

const uint8_t* bytesAt(const UnitRecord& unit, Place place)
{
    return (place.record == 0 ? unit.configBlock0.data() : unit.configBlock(place.record).data())
        + place.offset;
}

uint8_t* bytesAt(UnitRecord& unit, Place place)
{
    return (place.record == 0 ? unit.configBlock0.data() : unit.configBlock(place.record).data())
        + place.offset;
}

uint16_t readPort(const UnitRecord& unit, Place place)
{
    const uint8_t* bytes = bytesAt(unit, place);
    return uint16_t(bytes[0] | bytes[1] << 8);
}

void writePort(UnitRecord& unit, Place place, uint16_t port)
{
    uint8_t* bytes = bytesAt(unit, place);
    bytes[0] = uint8_t(port & 0xFF);
    bytes[1] = uint8_t(port >> 8);
}

Ipv4 readAddress(const UnitRecord& unit, Place place)
{
    const uint8_t* bytes = bytesAt(unit, place);
    return makeIpv4(bytes[0], bytes[1], bytes[2], bytes[3]);
}

void writeAddress(UnitRecord& unit, Place place, Ipv4 address)
{
    uint8_t* bytes = bytesAt(unit, place);
    for (int i = 0; i < 4; ++i)
        bytes[i] = ipv4Byte(address, i);
}

} // namespace

ExtensionSetupImage readExtensionSetupImage(const UnitRecord& unit)
{
    ExtensionSetupImage image;
    for (int i = 0; i < ExtensionSetupImage::kOwnPorts; ++i) {
        image.ownPorts[size_t(i)] = readPort(unit, kOwnPortPlaces[i]);
        image.roles[size_t(i)] = *bytesAt(unit, kRolePlaces[i]);
    }
    for (int i = 0; i < ExtensionSetupImage::kDestinations; ++i) {
        image.destinations[size_t(i)] = readAddress(unit, kDestinationPlaces[i]);
        image.destinationPorts[size_t(i)] = readPort(unit, kDestinationPortPlaces[i]);
    }
    return image;
}

void writeExtensionSetupImage(UnitRecord& unit, const ExtensionSetupImage& image)
{
    for (int i = 0; i < ExtensionSetupImage::kOwnPorts; ++i) {
        writePort(unit, kOwnPortPlaces[i], image.ownPorts[size_t(i)]);
        *bytesAt(unit, kRolePlaces[i]) = image.roles[size_t(i)];
    }
    for (int i = 0; i < ExtensionSetupImage::kDestinations; ++i) {
        writeAddress(unit, kDestinationPlaces[i], image.destinations[size_t(i)]);
        writePort(unit, kDestinationPortPlaces[i], image.destinationPorts[size_t(i)]);
    }
}

bool queryExtensionRecords(UnitRecord& unit)
{
    for (int n : kExtensionRecordNumbers)
        if (!queryRecord(unit, n))
            return false;
    return true;
}

uint8_t roleRequestCode(int modelId)
{
    return modelId == kRequestCodeModelA || modelId == kRequestCodeModelB ? kRequestCodeOfModels3And4
                                                                          : kRequestCode;
}

bool roleWaits(uint8_t role)
{
    return role >= kRoleWaitBits;
}

bool roleRequests(uint8_t role, int modelId)
{
    return (role & kRoleRequestMask) == roleRequestCode(modelId);
}

uint8_t rebuildRole(uint8_t previous, bool wait, bool request, int modelId)
{
    return uint8_t(
        (wait ? kRoleWaitBits : 0) | (previous & kRoleKeptBits) | (request ? roleRequestCode(modelId) : 0));
}

} // namespace kovra

#include "core/net/unit_classifier.h"

#include "core/net/discovery.h"

namespace kovra {

namespace {

struct KindOfPair {
    const char* pair;
    int kind;
};

// Type pairs with a kind of their own; every other pair is a wired unit (kind 0).
constexpr KindOfPair kPairKinds[] = {
    { "Y1", kKindWifiModule },
    { "_L", kKindWifi },
    { "_W", kKindKovra4 },
    { "_T", kKindQx },
    { "_B", kKindThirdName },
};

constexpr const char* kFirmwarePair = "X6";

int kindOfPair(const std::string& pair)
{
    for (const auto& entry : kPairKinds)
        if (pair == entry.pair)
            return entry.kind;
    return kKindWired;
}

// Sets the kind and runs the kind's reads. False when a read failed.
bool readByKind(UnitSlot& slot, KindReaders& readers)
{
    UnitRecord& unit = slot.record;
    unit.kind = kindOfPair(unit.typePair());
    switch (unit.kind) {
    case kKindWifiModule:
        unit.configBlock0.fill(0);
        for (auto& record : unit.configBlocks3to7)
            record.fill(0);
        return readers.readWifiModulePort(slot);
    case kKindWifi:
    case kKindKovra4:
    case kKindQx:
    case kKindThirdName:
        return readers.readUnitParameters(slot);
    default:
        if (!queryRecord(unit, 0) || !queryRecord(unit, 5))
            return false;
        if (unit.typePair() == kFirmwarePair)
            queryFirmware(unit); // a failed firmware query changes nothing
        return true;
    }
}

} // namespace

bool onAdapterSubnet(Ipv4 unit, Ipv4 adapterAddress, Ipv4 adapterMask)
{
    return (adapterAddress & adapterMask) == (adapterMask & unit);
}

bool classifySearchedUnit(UnitSlot& unit, Ipv4 adapterAddress, Ipv4 adapterMask, KindReaders& readers)
{
    unit.record.sameSubnet = onAdapterSubnet(unit.record.peerAddress, adapterAddress, adapterMask);
    return !unit.record.sameSubnet || readByKind(unit, readers);
}

bool classifyAddedUnit(UnitSlot& unit, Ipv4 adapterAddress, Ipv4 adapterMask, KindReaders& readers)
{
    unit.record.sameSubnet = onAdapterSubnet(unit.record.peerAddress, adapterAddress, adapterMask);
    return readByKind(unit, readers);
}

void classifyUnits(UnitTable& table, Ipv4 adapterAddress, Ipv4 adapterMask, KindReaders& readers)
{
    for (int i = table.unitCount() - 1; i >= 0; --i)
        if (!classifySearchedUnit(table.slot(i), adapterAddress, adapterMask, readers))
            table.removeSlot(i);
}

bool classifyAddedUnit(
    UnitTable& table, int slot, Ipv4 adapterAddress, Ipv4 adapterMask, KindReaders& readers)
{
    if (slot < 0 || slot >= table.unitCount())
        return false;
    if (classifyAddedUnit(table.slot(slot), adapterAddress, adapterMask, readers))
        return true;
    table.removeSlot(slot);
    return false;
}

} // namespace kovra

#pragma once

#include "core/net/unit_classifier.h"

namespace kovra {

// The kind reads the program has: the settings reader for kinds 3, 5, 6 and 7. The Wi-Fi
// module's web configuration is not there yet, so its reads fail and kind 2 units are removed,
// as a unit whose read failed is.
class UnitKindReaders : public KindReaders {
public:
    bool readWifiModulePort(UnitSlot&) override { return false; }
    bool readUnitParameters(UnitSlot& slot) override;
    bool readWifiModuleNetwork(UnitSlot&) override { return false; }
};

} // namespace kovra

#pragma once

#include "core/net/unit_classifier.h"

namespace kovra {

// The reads the classifier and the row builder need for the later unit kinds. The Wi-Fi
// module's reads go over its web configuration; the settings reader is not there yet, so
// units of kinds 3, 5, 6 and 7 still fail their read and are left out.
class UnitKindReaders : public KindReaders {
public:
    bool readWifiModulePort(UnitSlot& slot) override;
    bool readUnitParameters(UnitSlot& slot) override;
    bool readWifiModuleNetwork(UnitSlot& slot) override;
};

} // namespace kovra

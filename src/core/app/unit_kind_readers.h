#pragma once

#include "core/net/unit_classifier.h"

namespace kovra {

// The reads the classifier and the row builder need for the later unit kinds: the Wi-Fi
// module's over its web configuration, the text-protocol units' through the settings reader.
class UnitKindReaders : public KindReaders {
public:
    bool readWifiModulePort(UnitSlot& slot) override;
    bool readUnitParameters(UnitSlot& slot) override;
    bool readWifiModuleNetwork(UnitSlot& slot) override;
};

} // namespace kovra

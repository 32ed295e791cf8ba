#pragma once

#include "unit_kind.h"

namespace sim {

// Kind 2: the units behind a Wi-Fi module configured through its web interface.
class WifiModuleKind : public UnitKind {
public:
    int kind() const override { return 2; }
    std::string complete(UnitConfig& config) const override;
    std::unique_ptr<Unit> create(const UnitConfig& config) const override;
};

} // namespace sim

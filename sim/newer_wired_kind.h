#pragma once

#include "unit_kind.h"

namespace sim {

// Kind 4: the newer wired units of the binary family, models 17 and up, which answer only the
// extended model query. The product lists models 17..24 as kind 4; 25..32 turn into kind 5 by
// their model number, and higher numbers into model 0.
class NewerWiredKind : public UnitKind {
public:
    int kind() const override { return 4; }
    std::string complete(UnitConfig& config) const override;
    std::unique_ptr<Unit> create(const UnitConfig& config) const override;
};

} // namespace sim

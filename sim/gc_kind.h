#pragma once

#include "unit_kind.h"

namespace sim {

// Kind 1: an "X6" unit whose firmware text contains "GC" (first-generation and analog models).
class GcKind : public UnitKind {
public:
    int kind() const override { return 1; }
    std::string complete(UnitConfig& config) const override;
    std::unique_ptr<Unit> create(const UnitConfig& config) const override;
};

} // namespace sim

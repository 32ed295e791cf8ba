#pragma once

#include "unit_kind.h"

namespace sim {

// Kind 0: a wired unit of the binary family with any type pair but those of other kinds
// ("X1" unless given); the first generation (models 0..6) and the analog models (8..12).
class FirstGenerationKind : public UnitKind {
public:
    int kind() const override { return 0; }
    std::string complete(UnitConfig& config) const override;
    std::unique_ptr<Unit> create(const UnitConfig& config) const override;

    // Models 0..6 and the analog models 8..12 (kind 1 units share them).
    static bool isModel(int model) { return (model >= 0 && model <= 6) || (model >= 8 && model <= 12); }
};

} // namespace sim

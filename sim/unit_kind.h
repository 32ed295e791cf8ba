#pragma once

#include <memory>
#include <string>

namespace sim {

class Unit;
struct UnitConfig;

// One unit kind of the product: how a fleet entry of that kind is completed and checked, and the
// unit that answers for it. A new kind is one class derived from this, listed in unit_kind.cpp.
class UnitKind {
public:
    virtual ~UnitKind() = default;

    virtual int kind() const = 0;
    // Fills what the fleet file left open and checks that the unit fits its kind: empty when it
    // does, else a message naming the field.
    virtual std::string complete(UnitConfig& config) const = 0;
    virtual std::unique_ptr<Unit> create(const UnitConfig& config) const = 0;

    // The kind's class, or nullptr when the kind is not simulated.
    static const UnitKind* find(int kind);
};

} // namespace sim

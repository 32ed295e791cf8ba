#pragma once

#include "unit_kind.h"

namespace sim {

// Kinds 3, 5, 6 and 7: the units set by settings messages on port 9998, one class for the four,
// each with its type pair, its models and its default firmware versions.
class TextKind : public UnitKind {
public:
    TextKind(int kind, const char* typePair, int sketchVersion, int textVersion)
        : m_kind(kind)
        , m_typePair(typePair)
        , m_sketchVersion(sketchVersion)
        , m_textVersion(textVersion)
    {
    }
    int kind() const override { return m_kind; }
    std::string complete(UnitConfig& config) const override;
    std::unique_ptr<Unit> create(const UnitConfig& config) const override;

private:
    int m_kind;
    const char* m_typePair;
    int m_sketchVersion;
    int m_textVersion;
};

} // namespace sim

#pragma once

#include "core/units/unit_record.h"
#include "core/units/unit_settings.h"

#include <array>
#include <memory>

namespace kovra {

constexpr int kMaxUnits = 256;

// A unit and its companions; they move together when a slot is removed.
struct UnitSlot {
    UnitRecord record;
    UnitSettings settings;
};

// The 256-slot unit table, filled from slot 0, `unitCount` slots in use.
// The window model's table belongs to the window's thread alone: flows work on copies of
// it or of single slots and hand back slots through the model's methods.
class UnitTable {
public:
    UnitTable();
    UnitTable(const UnitTable& other);
    UnitTable& operator=(const UnitTable&) = delete;

    int unitCount() const { return m_unitCount; }
    bool full() const { return m_unitCount >= kMaxUnits; }

    // Empties the table: every slot back to its start state (modelIndex and unitSwitch -1,
    // no firmware text, kind 0, settings zero).
    void reset();

    // Slot i, 0 <= i < kMaxUnits (slots past unitCount are scratch: a search writes the next
    // answer there before it is accepted).
    UnitSlot& slot(int i) { return (*m_slots)[size_t(i)]; }
    const UnitSlot& slot(int i) const { return (*m_slots)[size_t(i)]; }
    UnitRecord& record(int i) { return slot(i).record; }
    const UnitRecord& record(int i) const { return slot(i).record; }

    // Takes the scratch slot at unitCount into use. False when the table is full.
    bool accept();
    // Stores the unit in the next slot. False when the table is full.
    bool append(const UnitSlot& unit);

    // Removes slot i: later slots move down by one. Out-of-range i changes nothing.
    void removeSlot(int i);

    // First slot in use whose ipText equals the text; -1 when none (or the text is empty).
    int findByIpText(const std::string& ipText) const;

private:
    std::unique_ptr<std::array<UnitSlot, kMaxUnits>> m_slots; // large: kept off the stack
    int m_unitCount = 0;
};

} // namespace kovra

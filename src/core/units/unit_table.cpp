#include "core/units/unit_table.h"

#include <algorithm>

namespace kovra {

UnitTable::UnitTable()
    : m_slots(std::make_unique<std::array<UnitSlot, kMaxUnits>>())
{
}

UnitTable::UnitTable(const UnitTable& other)
    : m_slots(std::make_unique<std::array<UnitSlot, kMaxUnits>>(*other.m_slots))
    , m_unitCount(other.m_unitCount)
{
}

void UnitTable::reset()
{
    for (auto& s : *m_slots)
        s = UnitSlot {};
    m_unitCount = 0;
}

bool UnitTable::accept()
{
    if (full())
        return false;
    ++m_unitCount;
    return true;
}

bool UnitTable::append(const UnitSlot& unit)
{
    if (full())
        return false;
    (*m_slots)[size_t(m_unitCount)] = unit;
    return accept();
}

void UnitTable::removeSlot(int i)
{
    if (i < 0 || i >= m_unitCount)
        return;
    auto first = m_slots->begin() + i;
    std::move(first + 1, m_slots->begin() + m_unitCount, first);
    (*m_slots)[size_t(m_unitCount - 1)] = UnitSlot {};
    --m_unitCount;
}

int UnitTable::findByIpText(const std::string& ipText) const
{
    if (ipText.empty())
        return -1;
    for (int i = 0; i < m_unitCount; ++i)
        if ((*m_slots)[size_t(i)].record.ipText == ipText)
            return i;
    return -1;
}

} // namespace kovra

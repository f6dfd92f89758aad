#include "document/FormatRecords.h"

#include <algorithm>

namespace quirel {

void FormatRecords::Reset(const FormatRecord& record)
{
    m_fill = record;
    m_slots.clear();
}

void FormatRecords::Set(int index, const FormatRecord& record)
{
    if (index < 1 || index > kSlots) return;
    const auto slot = static_cast<std::size_t>(index);
    if (slot > m_slots.size()) {
        if (slot > m_slots.capacity()) m_slots.reserve(std::max<std::size_t>(slot, m_slots.capacity() * 2));
        m_slots.resize(slot, m_fill);
    }
    m_slots[slot - 1] = record;
}

const FormatRecord& FormatRecords::Get(int index) const
{
    if (index < 1 || static_cast<std::size_t>(index) > m_slots.size()) return m_fill;
    return m_slots[static_cast<std::size_t>(index) - 1];
}

} // namespace quirel

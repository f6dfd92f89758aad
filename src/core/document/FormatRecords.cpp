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

void FormatRecords::Splice(int first, int count, std::span<const FormatRecord> records)
{
    if (first < 1 || first > kSlots || count < 0) return;
    const auto from = static_cast<std::size_t>(first) - 1;
    const auto removed = static_cast<std::size_t>(count);
    // Slots never written hold the fill: only written ones need to move.
    if (m_slots.size() < from + removed) m_slots.resize(from + removed, m_fill);
    const std::size_t common = std::min(removed, records.size());
    const auto at = m_slots.begin() + static_cast<std::ptrdiff_t>(from);
    std::copy_n(records.begin(), common, at);
    if (records.size() > removed)
        m_slots.insert(at + static_cast<std::ptrdiff_t>(common), records.begin() + static_cast<std::ptrdiff_t>(common),
            records.end());
    else
        m_slots.erase(at + static_cast<std::ptrdiff_t>(common), at + static_cast<std::ptrdiff_t>(removed));
    if (m_slots.size() > kSlots) m_slots.resize(kSlots);
}

} // namespace quirel

#include "document/FormatRecords.h"

#include <algorithm>
#include <string_view>

namespace quirel {

FormatRecords::FormatRecords()
{
    Reset(FormatRecord {});
}

std::size_t FormatRecords::Hash(const FormatRecord& record)
{
    // FNV-1a over the digits: records differ mostly in a few of them.
    std::uint64_t hash = 14695981039346656037u;
    for (const char c : record.Text())
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211u;
    return static_cast<std::size_t>(hash ^ (hash >> 29));
}

void FormatRecords::Reset(const FormatRecord& record)
{
    m_records.assign(1, record);
    m_table.assign(16, 0);
    m_table[Hash(record) & (m_table.size() - 1)] = 1;
    m_lastNumber = 0;
    m_slots.clear();
}

void FormatRecords::Grow()
{
    m_table.assign(m_table.size() * 2, 0);
    const std::size_t mask = m_table.size() - 1;
    for (std::size_t number = 0; number < m_records.size(); ++number) {
        std::size_t at = Hash(m_records[number]) & mask;
        while (m_table[at] != 0)
            at = (at + 1) & mask;
        m_table[at] = static_cast<Number>(number + 1);
    }
}

FormatRecords::Number FormatRecords::NumberOf(const FormatRecord& record)
{
    if (m_records[m_lastNumber] == record) return m_lastNumber;
    const std::size_t mask = m_table.size() - 1;
    std::size_t at = Hash(record) & mask;
    for (; m_table[at] != 0; at = (at + 1) & mask) {
        if (m_records[m_table[at] - 1] == record) {
            m_lastNumber = m_table[at] - 1;
            return m_lastNumber;
        }
    }
    m_lastNumber = static_cast<Number>(m_records.size());
    m_records.push_back(record);
    m_table[at] = m_lastNumber + 1;
    if (m_records.size() * 2 > m_table.size()) Grow();
    return m_lastNumber;
}

void FormatRecords::Set(int index, const FormatRecord& record)
{
    if (index < 1 || index > kSlots) return;
    const auto slot = static_cast<std::size_t>(index);
    const Number number = NumberOf(record);
    if (slot > m_slots.size()) {
        if (slot > m_slots.capacity()) m_slots.reserve(std::max<std::size_t>(slot, m_slots.capacity() * 2));
        m_slots.resize(slot, 0);
    }
    m_slots[slot - 1] = number;
}

void FormatRecords::Splice(int first, int count, std::span<const FormatRecord> records)
{
    if (first < 1 || first > kSlots || count < 0) return;
    const auto from = static_cast<std::size_t>(first) - 1;
    const auto removed = static_cast<std::size_t>(count);
    // Slots never written hold the reset record: only written ones need to move.
    if (m_slots.size() < from + removed) m_slots.resize(from + removed, 0);
    std::vector<Number> numbers;
    numbers.reserve(records.size());
    for (const FormatRecord& record : records)
        numbers.push_back(NumberOf(record));
    const std::size_t common = std::min(removed, numbers.size());
    const auto at = m_slots.begin() + static_cast<std::ptrdiff_t>(from);
    std::copy_n(numbers.begin(), common, at);
    if (numbers.size() > removed)
        m_slots.insert(at + static_cast<std::ptrdiff_t>(common), numbers.begin() + static_cast<std::ptrdiff_t>(common),
            numbers.end());
    else
        m_slots.erase(at + static_cast<std::ptrdiff_t>(common), at + static_cast<std::ptrdiff_t>(removed));
    if (m_slots.size() > kSlots) m_slots.resize(kSlots);
}

bool FormatRecords::operator==(const FormatRecords& other) const
{
    if (!(m_records[0] == other.m_records[0])) return false;
    const std::size_t slots = std::max(m_slots.size(), other.m_slots.size());
    for (std::size_t i = 1; i <= slots; ++i)
        if (!(Get(static_cast<int>(i)) == other.Get(static_cast<int>(i)))) return false;
    return true;
}

} // namespace quirel

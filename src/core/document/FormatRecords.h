#pragma once

#include "document/FormatRecord.h"

#include <cstdint>
#include <span>
#include <vector>

namespace quirel {

// The format-record slots 1 to 300000; slot i formats token i. Slots that were never written
// since the last Reset hold the reset record, so a reset costs nothing however many slots exist.
//
// A document uses few distinct records, each over many tokens: a slot holds the number of its
// record among those the slots were given, four bytes instead of the record, so that an edit inside
// a long text moves little memory.
class FormatRecords {
public:
    static constexpr int kSlots = 300000;

    FormatRecords();

    // Every slot holds record.
    void Reset(const FormatRecord& record);
    // Slot index (1 to 300000) receives record; other indices are ignored.
    void Set(int index, const FormatRecord& record);
    // The record in slot index; the reset record for an index outside 1 to 300000.
    const FormatRecord& Get(int index) const
    {
        if (index < 1 || static_cast<std::size_t>(index) > m_slots.size()) return m_records[0];
        return m_records[m_slots[static_cast<std::size_t>(index) - 1]];
    }
    // Slots first to first + count - 1 give way to records, and the slots after them move along
    // (as the tokens do when an edit inside the text cuts some of them anew); slots past 300000 are dropped.
    void Splice(int first, int count, std::span<const FormatRecord> records);

    // The memory the written slots and their records take, in bytes.
    std::size_t StoredBytes() const
    {
        return m_slots.size() * sizeof(std::uint32_t) + m_records.size() * sizeof(FormatRecord);
    }
    // The same records in the same slots (the slots written since the last Reset included).
    bool operator==(const FormatRecords& other) const;

private:
    using Number = std::uint32_t;
    Number NumberOf(const FormatRecord& record);

    std::vector<FormatRecord> m_records; // by number; number 0 is the reset record
    // The numbers by record: an open table, a power of two at least twice the records in size,
    // each entry a number plus one (0 for none).
    std::vector<Number> m_table;
    static std::size_t Hash(const FormatRecord& record);
    void Grow();
    Number m_lastNumber = 0; // the number given last: neighbouring tokens mostly share their record
    std::vector<Number> m_slots; // slots 1..size(); the rest hold the reset record
};

} // namespace quirel

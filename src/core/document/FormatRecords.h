#pragma once

#include "document/FormatRecord.h"

#include <span>
#include <vector>

namespace quirel {

// The format-record slots 1 to 300000; slot i formats token i. Slots that were never written
// since the last Reset hold the reset record, so a reset costs nothing however many slots exist.
class FormatRecords {
public:
    static constexpr int kSlots = 300000;

    // Every slot holds record.
    void Reset(const FormatRecord& record);
    // Slot index (1 to 300000) receives record; other indices are ignored.
    void Set(int index, const FormatRecord& record);
    // The record in slot index; the reset record for an index outside 1 to 300000.
    const FormatRecord& Get(int index) const;
    // Slots first to first + count - 1 give way to records, and the slots after them move along
    // (as the tokens do when an edit inside the text cuts some of them anew); slots past 300000 are dropped.
    void Splice(int first, int count, std::span<const FormatRecord> records);

    // The memory the written slots take, in bytes.
    std::size_t StoredBytes() const { return m_slots.size() * sizeof(FormatRecord); }
    // The same records in the same slots (the slots written since the last Reset included).
    bool operator==(const FormatRecords&) const = default;

private:
    FormatRecord m_fill;
    std::vector<FormatRecord> m_slots; // slots 1..size(); the rest hold m_fill
};

} // namespace quirel

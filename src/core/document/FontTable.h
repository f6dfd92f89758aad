#pragma once

#include <array>
#include <string>
#include <string_view>

namespace quirel {

// Font face names in slots 0 to 255; K is the last used slot and the font index newly typed
// text receives. Names are never de-duplicated: choosing a face appends it.
class FontTable {
public:
    static constexpr int kSlots = 256;

    // Slot 0 holds face, K = 0, every other slot empty.
    void Reset(std::string_view face);
    // Appends face as slot K + 1; false (table unchanged) when slot 255 is already in use.
    bool Append(std::string_view face);
    // Replaces the table with names (slot 0 first); names beyond slot 255 are ignored, and an
    // empty list gives one empty name. K becomes the last slot stored.
    template <typename Range> void Assign(const Range& names);

    int LastIndex() const { return m_last; }
    // Name in slot index; an empty name for an index outside 0 to 255.
    const std::string& Name(int index) const;

    bool operator==(const FontTable&) const = default;

private:
    std::array<std::string, kSlots> m_names {};
    int m_last = 0;
};

template <typename Range> void FontTable::Assign(const Range& names)
{
    for (auto& name : m_names)
        name.clear();
    int index = 0;
    for (const auto& name : names) {
        if (index >= kSlots) break;
        m_names[index++] = std::string(name);
    }
    m_last = index > 0 ? index - 1 : 0;
}

} // namespace quirel

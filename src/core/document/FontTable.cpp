#include "document/FontTable.h"

namespace quirel {

void FontTable::Reset(std::string_view face)
{
    for (auto& name : m_names)
        name.clear();
    m_names[0] = std::string(face);
    m_last = 0;
}

bool FontTable::Append(std::string_view face)
{
    if (m_last >= kSlots - 1) return false;
    m_names[++m_last] = std::string(face);
    return true;
}

const std::string& FontTable::Name(int index) const
{
    static const std::string kEmpty;
    if (index < 0 || index >= kSlots) return kEmpty;
    return m_names[index];
}

} // namespace quirel

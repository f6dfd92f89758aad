#include "document/PageTable.h"

namespace quirel {

void PageTable::Clear()
{
    for (auto& slot : m_slots)
        slot = PageSlot {};
    shownPage = 1;
    pageCount = kMaxPages;
    surfacePage = 1;
}

} // namespace quirel

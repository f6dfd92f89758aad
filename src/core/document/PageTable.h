#pragma once

#include <array>
#include <memory>

namespace quirel {

// The painted picture of a page, kept by whoever paints (the core only owns it through its slot).
class PagePicture {
public:
    virtual ~PagePicture() = default;
};

// What the layout carries from one page into the next besides the token it goes on with: where
// the text before stood (a subscript or an emoticon goes back there) and whether a subscript runs on.
struct PenState {
    bool inSubscript = false;
    int lastX = 0;
    int lastY = 0;
    int spanX = 0;
    int spanY = 0;
    bool operator==(const PenState&) const = default;
};

// One page: its picture (none while the page was never painted, which shows as a white framed
// page), the first token laid out on it (0 while the page was never reached) and the pen it started
// with, and what was painted.
struct PageSlot {
    std::unique_ptr<PagePicture> picture;
    int firstToken = 0;
    PenState pen;
    int paintedWords = 0;
    int paintedChars = 0;
};

// The 150 page slots, numbered 1 to 150, with the shown page and the page count.
class PageTable {
public:
    static constexpr int kMaxPages = 150;

    PageSlot& Slot(int page) { return m_slots[Index(page)]; }
    const PageSlot& Slot(int page) const { return m_slots[Index(page)]; }

    // Forgets every picture and first token; shown page 1, page count 150 (so the next layout starts at token 1).
    void Clear();

    int shownPage = 1;
    int pageCount = 1;
    // The page the work surface holds: the last page the layout painted (the last page of the
    // document, unless an edit inside the text was laid out only as far as the pages changed).
    int surfacePage = 1;

private:
    // Pages outside 1 to 150 are clamped into the table; callers keep within it.
    static std::size_t Index(int page)
    {
        return static_cast<std::size_t>(page < 1 ? 0 : (page > kMaxPages ? kMaxPages - 1 : page - 1));
    }

    std::array<PageSlot, kMaxPages> m_slots {};
};

} // namespace quirel

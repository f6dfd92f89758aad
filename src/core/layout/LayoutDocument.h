#pragma once

#include "layout/Canvas.h"

#include <functional>
#include <string>
#include <string_view>

namespace quirel {

class Document;
struct Settings;

// State of the view that outlives one layout.
struct ViewState {
    int cursorX = 0; // where the cursor glyph was last drawn, in page pixels
    int cursorY = 0;
    int scrollOffset = 0; // 0 down to -570: how far the shown page is scrolled up
    bool importInProgress = false; // the first layout of an imported text gives every token the current format
};

// What the layout needs from around it; every member may be left empty.
struct LayoutServices {
    std::function<bool(std::string_view lowerWord)> isKnownWord; // the spelling lists
    std::function<std::string(std::string_view word)> completeWord; // the word memory
    std::function<void(std::string_view word)> rememberWord;
    std::function<void()> processPendingEvents; // at each page break, so the window stays alive
    std::function<void()> showCurrentPage; // shows the new (still empty) page at a page break
};

enum class Decorate { No, Yes }; // page frame, completion and cursor: yes for the screen and export, no for printing

struct LayoutOptions {
    Decorate decorate = Decorate::Yes;
    // Paints occurrences of this word (lower case, trimmed) black on yellow instead of marking
    // spelling; the layout of the word search. Empty: the ordinary layout.
    std::string findWord;
};

struct LayoutResult {
    int matchCount = 0; // words painted as matches of findWord
    bool pageLimit = false; // the document needed a page after the last (150); the layout stopped there
};

// Lays the document out from the first token of page PageCount to the last token, painting each
// token on the canvas and storing every finished page in its slot; the last page is stored too.
// Incremental after an appending edit: set shownPage = pageCount first. Full: Pages().Clear() first
// (shown page 1, page count 150), so the layout starts at token 1 on page 1.
// Widths are estimated as characters × points; a token never splits; a page is full once the pen
// is 800 pixels below the top margin. Stops after page 150 (pageLimit) rather than go past it.
LayoutResult LayoutDocument(Document& doc, const Settings& settings, Canvas& canvas, ViewState& view,
    const LayoutServices& services, const LayoutOptions& options);

// The window caption: "Pagina 1 de 1 TAB: 6 Margen: 40 quirel: 0".
std::string TitleStatusLine(const Document& doc, const Settings& settings);

} // namespace quirel

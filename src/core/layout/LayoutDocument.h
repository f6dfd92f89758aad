#pragma once

#include "document/Document.h"
#include "io/Ports.h"
#include "layout/Canvas.h"
#include "layout/PagePlaces.h"
#include "layout/PageView.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quirel {

struct Settings;

// State of the view that outlives one layout.
struct ViewState {
    // The wheel moves the page in steps of 15 pixels, from 0 down to -570.
    static constexpr int kScrollStep = 15;
    static constexpr int kLowestScrollOffset = -570;

    int cursorX = 0; // where the cursor glyph was last drawn, in page pixels
    int cursorY = 0;
    int cursorLineHeight = 0; // the height of the cursor's line: its tallest text, or the cursor glyph
    int scrollOffset = 0; // 0 down to -570: how far the shown page is scrolled up
    // The insertion point inside the text (at its end the cursor glyph is painted on the page): a
    // thin caret at the cursor's place and height on page insertionPage, shown while caretOn.
    bool insertionInside = false;
    int insertionPage = 1;
    bool caretOn = true;
    bool importInProgress = false; // the first layout of an imported text gives every token the current format
};

// What the layout needs from around it; every member may be left empty.
struct LayoutServices {
    std::function<bool(std::string_view lowerWord)> isKnownWord; // the spelling lists
    std::function<std::string(std::string_view word)> completeWord; // the word memory
    std::function<void(std::string_view word)> rememberWord;
};

enum class Decorate { No, Yes }; // page frame, completion and cursor: yes for the screen and export, no for printing

struct LayoutOptions {
    Decorate decorate = Decorate::Yes;
    // Paints occurrences of this word (lower case, trimmed) black on yellow instead of marking
    // spelling; the layout of the word search. Empty: the ordinary layout.
    std::string findWord;
    EventPump* pump = nullptr; // lets the window's events run at each page break, so it stays alive
    PageView* view = nullptr; // shows each new (still empty) page at its page break
    // The text changed only in these tokens since the pages were laid out: the layout starts on the
    // page of the token before them and stops at the first page after them that starts at the same
    // token with the same pen as before; that page and the ones after it keep their pictures.
    std::optional<TokenEdit> edit;
    // The insertion point stands inside the text: the end of the text shows no completion and no cursor.
    bool insertionInside = false;
};

struct LayoutResult {
    int matchCount = 0; // words painted as matches of findWord
    bool pageLimit = false; // the document needed a page after the last (150); the layout stopped there
};

// Lays the document out from the first token of page PageCount to the last token, painting each
// token on the canvas and storing every finished page in its slot; the last page is stored too.
// Incremental after an appending edit: set shownPage = pageCount first. Full: Pages().Clear() first
// (shown page 1, page count 150), so the layout starts at token 1 on page 1. After an edit inside
// the text (options.edit) it lays out only the pages that changed (see LayoutOptions). It leaves
// shownPage and surfacePage at the last page it painted.
// Widths are estimated as characters × points; a token never splits; a page is full once the pen
// is 800 pixels below the top margin. Stops after page 150 (pageLimit) rather than go past it.
// A line feed moves the pen down by the line height of the tallest text on the line ending, or of
// the font selected at the feed when that is taller (a line of one size feeds by that size).
// Decorated, the tail draws the completion of the last word in grey, then the cursor after it, and
// hands a word just finished to the word memory (see RememberFinishedWord).
LayoutResult LayoutDocument(Document& doc, const Settings& settings, Canvas& canvas, ViewState& view,
    const LayoutServices& services, const LayoutOptions& options);

// Where the tokens of page (1 to PageCount) stand, as the layout puts them, measured on canvas
// (fonts are selected on it; nothing is drawn, and the document and its pages stay as they are).
PagePlaces MeasurePage(Document& doc, const Settings& settings, Canvas& canvas, int page);

// Scrolls the view in the wheel's steps, within 0 to -570, by the least that shows the cursor's
// line (cursorY to cursorY + cursorLineHeight) whole in the 800 rows of the page on screen.
// Returns true when the offset changed.
bool ScrollCursorLineIntoView(ViewState& view);

// Where the text of the document ends: as typed, or being saved.
enum class TextEnd { Typed, Saved };
// Hands the word just finished to services.rememberWord: the word before the last token when a
// blank, sign, line end or marker ends the text; at a save, also the last token when it is a
// word. Nothing when the text ends otherwise (the memory decides what it keeps).
void RememberFinishedWord(const Document& doc, const LayoutServices& services, TextEnd end);

// The window caption: "Pagina 1 de 1 TAB: 6 Margen: 40 quirel: 0".
std::string TitleStatusLine(const Document& doc, const Settings& settings);

} // namespace quirel

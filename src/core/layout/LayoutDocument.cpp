#include "layout/LayoutDocument.h"

#include "document/CasePattern.h"
#include "document/CharClass.h"
#include "document/Cp1252.h"
#include "document/Document.h"
#include "io/Settings.h"
#include "language/SpellingLookupWord.h"

#include <algorithm>

namespace quirel {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kYellow = 0x00FFFF;

// One run of the layout: the pen, the drawing state carried from token to token, and the page state.
class Layouter {
public:
    // measure: the places of one page are collected there, and nothing is painted or stored.
    Layouter(Document& doc, const Settings& settings, Canvas& canvas, ViewState& view, const LayoutServices& services,
        const LayoutOptions& options, PagePlaces* measure = nullptr)
        : m_doc(doc)
        , m_settings(settings)
        , m_canvas(canvas)
        , m_view(view)
        , m_services(services)
        , m_options(options)
        , m_pages(doc.Pages())
        , m_margin(settings.margin)
        , m_decorate(options.decorate == Decorate::Yes)
        , m_measure(measure)
    {
    }

    LayoutResult Run();

private:
    // The page the layout starts on and the token it starts with.
    int StartPage() const;
    PenState Pen() const { return { m_inSubscript, m_lastX, m_lastY, m_spanX, m_spanY }; }
    // At a break into page next after an edit: whether next starts as it did before the edit.
    bool StartsAsBefore(int next) const;
    // Measuring: token k stands at the pen as shown (its bytes drawn, or none).
    void NotePlace(int k, std::string_view shown, bool lineEnd = false);
    void Finish();
    void StartSurface();
    void SelectCurrentFormat();
    void SelectTokenFont(const FormatFields& fields);
    void SelectFontAt(const FormatFields& fields, int size);
    void LineFeed();
    // A token was drawn at the pen in its own font: the line is at least as tall as that font.
    void NoteTextHeight()
    {
        if (m_inSubscript) return;
        if (m_recordLineHeight < 0) m_recordLineHeight = m_canvas.LineHeight();
        m_lineHeight = std::max(m_lineHeight, m_recordLineHeight);
    }
    bool PageBreakCheck(int y);
    bool PlaceToken(const FormatFields& fields, std::size_t length);
    void PaintToken(int k);
    void PaintWord(std::string_view word, const FormatFields& fields);
    void PaintMarker(unsigned char marker, const FormatFields& fields, int k);
    void PaintTail();

    Document& m_doc;
    const Settings& m_settings;
    Canvas& m_canvas;
    ViewState& m_view;
    const LayoutServices& m_services;
    const LayoutOptions& m_options;
    PageTable& m_pages;
    const int m_margin;
    const bool m_decorate;
    PagePlaces* m_measure;
    int m_page = 1; // the page being laid out
    int m_oldPageCount = 0;
    bool m_stoppedEarly = false; // the pages from here on fall as before the edit
    int m_line = 0; // of the page, from 0

    int m_x = 0;
    int m_y = 0;
    int m_lastX = 0;
    int m_lastY = 0;
    int m_spanX = 0;
    int m_spanY = 0;
    // Where the text painted on the current page ends: the cursor's place when the layout stops
    // at the page limit.
    int m_endX = 0;
    int m_endY = 0;
    bool m_inSubscript = false;
    int m_lineHeight = 0; // of the tallest text on the line so far, outside subscript spans
    int m_counter = 0;
    bool m_stopped = false;
    LayoutResult m_result;
    std::string m_lower; // reused for every word
    // The fields of the last record read: neighbouring tokens mostly share their format.
    FormatRecord m_lastRecord;
    FormatFields m_lastFields;
    bool m_haveFields = false;
    int m_recordLineHeight = -1; // the line height of the last record's font, once measured
};

void Layouter::StartSurface()
{
    m_canvas.Clear();
    if (m_decorate) m_canvas.DrawFrame();
}

void Layouter::SelectCurrentFormat()
{
    const auto& current = m_doc.Current();
    m_canvas.SelectFont(current.faceName, current.size, current.style, CharSet::Ansi);
    m_canvas.SetColors(current.textColor, current.background);
}

void Layouter::SelectTokenFont(const FormatFields& fields)
{
    SelectFontAt(fields, fields.size);
}

void Layouter::SelectFontAt(const FormatFields& fields, int size)
{
    m_canvas.SelectFont(m_doc.Fonts().Name(fields.fontIndex), size, fields.style, CharSet::Ansi);
}

void Layouter::LineFeed()
{
    m_y += std::max(m_lineHeight, m_canvas.LineHeight());
    m_x = 0;
    m_lineHeight = 0;
    ++m_line;
}

bool Layouter::StartsAsBefore(int next) const
{
    if (!m_options.edit || next > m_oldPageCount) return false;
    const TokenEdit& edit = *m_options.edit;
    const PageSlot& slot = m_pages.Slot(next);
    // Only a token after the ones cut anew is the same token as before.
    if (slot.firstToken < edit.first + edit.oldCount) return false;
    return slot.firstToken + edit.newCount - edit.oldCount == m_counter && slot.pen == Pen();
}

void Layouter::NotePlace(int k, std::string_view shown, bool lineEnd)
{
    if (!m_measure) return;
    const Token& token = m_doc.TokenSpan(k);
    PagePlaces::Place place;
    place.token = k;
    place.start = token.start;
    place.length = token.length;
    place.line = m_line;
    place.x = m_x;
    place.y = m_y;
    place.height = m_canvas.LineHeight();
    place.edge = static_cast<int>(m_measure->edges.size());
    place.lineEnd = lineEnd;
    int x = m_x;
    m_measure->edges.push_back(x);
    // The pen moves by the sum of the bytes' advances.
    const std::size_t drawn = shown.size();
    for (std::size_t i = 0; i < drawn; ++i) {
        x += m_canvas.TextAdvance(shown.substr(i, 1));
        m_measure->edges.push_back(x);
    }
    place.edgeCount = static_cast<int>(drawn) + 1;
    m_measure->places.push_back(place);
}

bool Layouter::PageBreakCheck(int y)
{
    if (y - m_margin < kPageBodyHeight) return false;
    if (m_measure) {
        m_stopped = true; // the page measured ends here
        return false;
    }
    if (m_page >= PageTable::kMaxPages) {
        m_stopped = true;
        m_result.pageLimit = true;
        return false;
    }
    if (m_options.pump) m_options.pump->ProcessPendingEvents();
    m_canvas.StorePage(m_pages.Slot(m_page));
    if (StartsAsBefore(m_page + 1)) {
        // The rest of the document falls as it did: its pages keep their pictures, their tokens
        // renumbered past the edit.
        const TokenEdit& edit = *m_options.edit;
        for (int page = m_page + 1; page <= m_oldPageCount; ++page)
            m_pages.Slot(page).firstToken += edit.newCount - edit.oldCount;
        m_stopped = true;
        m_stoppedEarly = true;
        return false;
    }
    StartSurface();
    m_view.scrollOffset = 0;
    ++m_page;
    m_pages.shownPage = m_page;
    PageSlot& slot = m_pages.Slot(m_page);
    slot.firstToken = m_counter;
    slot.pen = Pen();
    m_line = 0;
    m_x = m_margin;
    m_y = m_margin;
    m_lineHeight = 0;
    SelectCurrentFormat();
    m_view.cursorX = m_x;
    m_view.cursorY = m_y;
    m_endX = m_x;
    m_endY = m_y;
    if (m_options.view) m_options.view->ShowPage();
    return true;
}

// The page check before a token, then the wrap test for a token of length characters with the
// token's font selected. False when the layout has to stop at the page limit.
bool Layouter::PlaceToken(const FormatFields& fields, std::size_t length)
{
    PageBreakCheck(m_y);
    if (m_stopped) return false;
    SelectTokenFont(fields);
    const long width = static_cast<long>(length) * fields.size;
    if (m_x + width > kPageWidth - m_margin) {
        LineFeed();
        if (PageBreakCheck(m_y))
            SelectTokenFont(fields); // the new page selected the current format; the token keeps its own font
        else
            m_x = m_margin;
        if (m_stopped) return false;
    }
    return true;
}

void Layouter::PaintWord(std::string_view word, const FormatFields& fields)
{
    const auto pattern = CasePattern(word);
    m_lower.assign(word);
    ToLowerInPlace(m_lower);
    std::uint32_t text = fields.textColor;
    std::uint32_t background = fields.background;
    if (!m_options.findWord.empty()) {
        if (m_lower == m_options.findWord) {
            ++m_result.matchCount;
            text = kBlack;
            background = kYellow;
        }
    } else if (m_services.isKnownWord) {
        const std::string_view lookedUp = SpellingLookupWord(m_lower);
        if (!lookedUp.empty() && !m_services.isKnownWord(lookedUp)) text = kRed;
    }
    const std::string shown = RestoreCase(m_lower, pattern);
    if (!PlaceToken(fields, shown.size())) return;
    NotePlace(m_counter, shown);
    m_canvas.SetColors(text, background);
    m_x += m_canvas.DrawText(m_x, m_y, shown);
    NoteTextHeight();
    m_lastX = m_x;
    if (!m_inSubscript) m_lastY = m_y;
}

void Layouter::PaintMarker(unsigned char marker, const FormatFields& fields, int k)
{
    const int normalSize = m_doc.Current().normalSize;
    switch (marker) {
    case kMarkerSubscriptOn:
        m_spanX = m_x;
        SelectFontAt(fields, SmallSize(normalSize));
        m_spanY = m_y + m_canvas.LineHeight(); // where a line of the small size would start next
        m_y = m_spanY - 4;
        m_inSubscript = true;
        break;
    case kMarkerSubscriptOff:
        SelectFontAt(fields, normalSize);
        m_x = m_lastX;
        m_y = m_lastY;
        m_inSubscript = false;
        break;
    case kMarkerSuperscriptOn:
        SelectFontAt(fields, SmallSize(normalSize));
        break;
    case kMarkerSuperscriptOff:
        SelectFontAt(fields, normalSize);
        break;
    case kMarkerEmoticonStart:
        m_spanX = m_x;
        m_spanY = m_y;
        SelectFontAt(fields, normalSize);
        break;
    case kMarkerEmoticonEnd:
        m_canvas.DrawEmoticon(RecordEmoticon(m_doc.Records().Get(k)), m_spanX, m_spanY);
        m_x = m_lastX;
        m_y = m_lastY;
        break;
    default:
        break;
    }
}

void Layouter::PaintToken(int k)
{
    if (m_view.importInProgress) m_doc.Records().Set(k, m_doc.CurrentRecord());
    const FormatRecord& record = m_doc.Records().Get(k);
    if (!m_haveFields || !(record == m_lastRecord)) {
        m_lastRecord = record;
        m_lastFields = ReadFormatFields(record);
        m_haveFields = true;
        m_recordLineHeight = -1;
    }
    const FormatFields fields = m_lastFields;
    const unsigned char first = m_doc.TokenFirstByte(k);
    const std::string_view text = m_doc.TokenText(k);
    if (ClassifyByte(first) == CharClass::Word && !text.empty()) {
        PaintWord(text, fields);
    } else if (first == ' ') {
        if (!PlaceToken(fields, 1)) return;
        NotePlace(k, " ");
        m_canvas.SetColors(fields.textColor, fields.background);
        m_x += m_canvas.DrawText(m_x, m_y, " ");
        NoteTextHeight();
        m_lastX = m_x;
        if (!m_inSubscript) m_lastY = m_y;
    } else if (first == '\r') {
        SelectTokenFont(fields);
        NotePlace(k, {}, true);
        LineFeed();
        m_x = m_margin;
        m_canvas.SetColors(fields.textColor, fields.background);
        m_lastX = m_x;
        if (!m_inSubscript) m_lastY = m_y;
    } else if (first >= kMarkerSubscriptOn && first <= kMarkerEmoticonEnd) {
        NotePlace(k, {});
        PaintMarker(first, fields, k);
    } else {
        // Signs, and the control characters that arrive as text (tab, line feed, a removed word's
        // marker), which take one character's room and show as an empty cell.
        if (!PlaceToken(fields, text.size())) return;
        const std::string_view shown = first < 32 ? std::string_view(" ") : text;
        NotePlace(k, shown);
        m_canvas.SetColors(fields.textColor, fields.background);
        m_x += m_canvas.DrawText(m_x, m_y, shown);
        NoteTextHeight();
        m_lastX = m_x;
    }
}

void Layouter::PaintTail()
{
    const int n = m_doc.TokenCount();
    if (m_options.insertionInside) {
        // The cursor stands inside the text; the end shows only the text.
        if (n == 0 || !m_doc.IsWordToken(n)) RememberFinishedWord(m_doc, m_services, TextEnd::Typed);
        return;
    }
    if (n > 0 && m_doc.IsWordToken(n)) {
        const std::string completion = m_services.completeWord ? m_services.completeWord(m_doc.TokenText(n)) : "";
        if (!completion.empty()) {
            // The cursor follows the completion, so that the whole suggestion stays readable.
            m_canvas.SetColors(static_cast<std::uint32_t>(m_settings.shadowColor), kWhite);
            m_x += m_canvas.DrawText(m_x, m_y, completion);
        }
    } else {
        RememberFinishedWord(m_doc, m_services, TextEnd::Typed);
    }
    m_canvas.SelectFont("Consolas", m_doc.Current().size, 0, CharSet::Oem);
    m_canvas.SetColors(static_cast<std::uint32_t>(m_settings.cursorColor), kWhite);
    m_view.cursorX = m_x;
    m_view.cursorY = m_y;
    m_view.cursorLineHeight = std::max(m_lineHeight, m_canvas.LineHeight());
    const char cursor = static_cast<char>(m_settings.cursorChar);
    m_canvas.DrawText(m_x, m_y, std::string_view(&cursor, 1));
}

int Layouter::StartPage() const
{
    if (m_measure) return m_measure->page;
    if (!m_options.edit) return m_pages.shownPage;
    // The page that holds the token before the ones cut anew: whether the first of them still
    // fits on the page before depends on what it is.
    const int before = m_options.edit->first - 1;
    int page = 1;
    while (page < m_pages.pageCount && m_pages.Slot(page + 1).firstToken <= before)
        ++page;
    return page;
}

LayoutResult Layouter::Run()
{
    m_oldPageCount = m_pages.pageCount;
    m_page = StartPage();
    StartSurface();
    m_x = m_margin;
    m_y = m_margin;
    SelectCurrentFormat();

    const int n = m_doc.TokenCount();
    int first = m_pages.Slot(m_options.edit || m_measure ? m_page : m_pages.pageCount).firstToken;
    // The last page lost all its tokens: the page before it becomes the last.
    while (!m_measure && !m_options.edit && n > 0 && n <= first && m_pages.pageCount > 1) {
        --m_pages.pageCount;
        m_page = std::max(1, m_page - 1);
        first = m_pages.Slot(m_pages.pageCount).firstToken;
    }
    const PenState pen = m_pages.Slot(m_page).pen;
    m_inSubscript = pen.inSubscript;
    m_lastX = pen.lastX;
    m_lastY = pen.lastY;
    m_spanX = pen.spanX;
    m_spanY = pen.spanY;
    const int start = first == 0 ? 1 : first;
    m_counter = start - 1;
    m_endX = m_x;
    m_endY = m_y;
    for (int k = start; k <= n && !m_stopped; ++k) {
        m_counter = k;
        PaintToken(k);
        if (!m_stopped && m_y - m_margin < kPageBodyHeight) {
            m_endX = m_x;
            m_endY = m_y;
        }
    }
    if (!m_measure) Finish();
    return m_result;
}

void Layouter::Finish()
{
    if (!m_stoppedEarly) m_pages.pageCount = m_page;
    m_pages.shownPage = m_page;
    m_pages.surfacePage = m_page;
    if (m_decorate && !m_stopped) PaintTail();
    if (m_result.pageLimit) {
        // The text goes on beyond the last page: the cursor stands after what can be seen.
        m_view.cursorX = m_endX;
        m_view.cursorY = m_endY;
    }
    // A layout that stopped early stored its last page at the break.
    if (!m_stoppedEarly) m_canvas.StorePage(m_pages.Slot(m_page));
}

// Measuring draws nothing: fonts are selected and text measured on the canvas given.
class MeasuringCanvas final : public Canvas {
public:
    explicit MeasuringCanvas(Canvas& canvas)
        : m_canvas(canvas)
    {
    }
    void Clear() override { }
    void DrawFrame() override { }
    void SelectFont(std::string_view face, int sizePoints, int style, CharSet charSet) override
    {
        m_canvas.SelectFont(face, sizePoints, style, charSet);
    }
    int LineHeight() override { return m_canvas.LineHeight(); }
    void SetColors(std::uint32_t, std::uint32_t) override { }
    int DrawText(int, int, std::string_view text) override { return m_canvas.TextAdvance(text); }
    int TextAdvance(std::string_view text) const override { return m_canvas.TextAdvance(text); }
    void DrawEmoticon(int, int, int) override { }
    void StorePage(PageSlot&) override { }

private:
    Canvas& m_canvas;
};

} // namespace

LayoutResult LayoutDocument(Document& doc, const Settings& settings, Canvas& canvas, ViewState& view,
    const LayoutServices& services, const LayoutOptions& options)
{
    return Layouter(doc, settings, canvas, view, services, options).Run();
}

PagePlaces MeasurePage(Document& doc, const Settings& settings, Canvas& canvas, int page)
{
    PagePlaces places;
    places.page = std::clamp(page, 1, doc.Pages().pageCount);
    MeasuringCanvas measuring(canvas);
    ViewState view;
    const LayoutServices services;
    LayoutOptions options;
    options.decorate = Decorate::No;
    Layouter(doc, settings, measuring, view, services, options, &places).Run();
    return places;
}

bool ScrollCursorLineIntoView(ViewState& view)
{
    constexpr int kStep = ViewState::kScrollStep;
    const int top = std::max(0, view.cursorY);
    const int bottom = top + std::max(0, view.cursorLineHeight);
    int offset = view.scrollOffset;
    // Rows -offset to -offset + 800 are on screen.
    if (bottom > kPageBodyHeight - offset) offset = -((bottom - kPageBodyHeight + kStep - 1) / kStep) * kStep;
    if (top < -offset) offset = -(top / kStep) * kStep;
    offset = std::clamp(offset, ViewState::kLowestScrollOffset, 0);
    const bool changed = offset != view.scrollOffset;
    view.scrollOffset = offset;
    return changed;
}

void RememberFinishedWord(const Document& doc, const LayoutServices& services, TextEnd end)
{
    const int n = doc.TokenCount();
    if (!services.rememberWord || n == 0) return;
    if (doc.IsWordToken(n)) {
        if (end == TextEnd::Saved) services.rememberWord(doc.TokenText(n));
    } else if (n > 1 && doc.IsWordToken(n - 1)) {
        services.rememberWord(doc.TokenText(n - 1));
    }
}

std::string TitleStatusLine(const Document& doc, const Settings& settings)
{
    const auto& pages = doc.Pages();
    return "Pagina " + std::to_string(pages.shownPage) + " de " + std::to_string(pages.pageCount)
        + " TAB: " + std::to_string(settings.tabWidth) + " Margen: " + std::to_string(settings.margin)
        + " quirel: " + std::to_string(doc.TokenCount());
}

} // namespace quirel

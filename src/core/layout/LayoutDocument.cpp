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
    Layouter(Document& doc, const Settings& settings, Canvas& canvas, ViewState& view, const LayoutServices& services,
        const LayoutOptions& options)
        : m_doc(doc)
        , m_settings(settings)
        , m_canvas(canvas)
        , m_view(view)
        , m_services(services)
        , m_options(options)
        , m_pages(doc.Pages())
        , m_margin(settings.margin)
        , m_decorate(options.decorate == Decorate::Yes)
    {
    }

    LayoutResult Run();

private:
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
}

bool Layouter::PageBreakCheck(int y)
{
    if (y - m_margin < kPageBodyHeight) return false;
    if (m_pages.shownPage >= PageTable::kMaxPages) {
        m_stopped = true;
        m_result.pageLimit = true;
        return false;
    }
    if (m_options.pump) m_options.pump->ProcessPendingEvents();
    m_canvas.StorePage(m_pages.Slot(m_pages.shownPage));
    StartSurface();
    m_view.scrollOffset = 0;
    ++m_pages.shownPage;
    m_pages.Slot(m_pages.shownPage).firstToken = m_counter;
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
        m_canvas.SetColors(fields.textColor, fields.background);
        m_x += m_canvas.DrawText(m_x, m_y, " ");
        NoteTextHeight();
        m_lastX = m_x;
        if (!m_inSubscript) m_lastY = m_y;
    } else if (first == '\r') {
        SelectTokenFont(fields);
        LineFeed();
        m_x = m_margin;
        m_canvas.SetColors(fields.textColor, fields.background);
        m_lastX = m_x;
        if (!m_inSubscript) m_lastY = m_y;
    } else if (first >= kMarkerSubscriptOn && first <= kMarkerEmoticonEnd) {
        PaintMarker(first, fields, k);
    } else {
        // Signs, and the control characters that arrive as text (tab, line feed, a removed word's
        // marker), which take one character's room and show as an empty cell.
        if (!PlaceToken(fields, text.size())) return;
        m_canvas.SetColors(fields.textColor, fields.background);
        m_x += m_canvas.DrawText(m_x, m_y, first < 32 ? std::string_view(" ") : text);
        NoteTextHeight();
        m_lastX = m_x;
    }
}

void Layouter::PaintTail()
{
    const int n = m_doc.TokenCount();
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

LayoutResult Layouter::Run()
{
    StartSurface();
    m_x = m_margin;
    m_y = m_margin;
    SelectCurrentFormat();

    const int n = m_doc.TokenCount();
    int first = m_pages.Slot(m_pages.pageCount).firstToken;
    // The last page lost all its tokens: the page before it becomes the last.
    while (n > 0 && n <= first && m_pages.pageCount > 1) {
        --m_pages.pageCount;
        m_pages.shownPage = std::max(1, m_pages.shownPage - 1);
        first = m_pages.Slot(m_pages.pageCount).firstToken;
    }
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

    m_pages.pageCount = m_pages.shownPage;
    if (m_decorate && !m_stopped) PaintTail();
    if (m_stopped) {
        // The text goes on beyond the last page: the cursor stands after what can be seen.
        m_view.cursorX = m_endX;
        m_view.cursorY = m_endY;
    }
    m_canvas.StorePage(m_pages.Slot(m_pages.shownPage));
    return m_result;
}

} // namespace

LayoutResult LayoutDocument(Document& doc, const Settings& settings, Canvas& canvas, ViewState& view,
    const LayoutServices& services, const LayoutOptions& options)
{
    return Layouter(doc, settings, canvas, view, services, options).Run();
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

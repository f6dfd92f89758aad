// The insertion point: moving it, and typing and deleting where it stands inside the text.
#include "document/CharClass.h"
#include "editor/Editor.h"
#include "editor/EditorMessages.h"

#include <algorithm>

namespace quirel {
namespace {

// One token edit that covers a and then b (b made on the text a left): the tokens neither touched
// at the start and at the end of the text stay out of it.
TokenEdit Combine(const TokenEdit& a, int countBeforeA, const TokenEdit& b, int countAfterB)
{
    const int countAfterA = countBeforeA + a.newCount - a.oldCount;
    const int before = std::min(a.first, b.first) - 1;
    const int after = std::min(countBeforeA - (a.first - 1 + a.oldCount), countAfterA - (b.first - 1 + b.oldCount));
    return { before + 1, countBeforeA - before - after, countAfterB - before - after };
}

} // namespace

int Editor::PageOfToken(int token) const
{
    const auto& pages = m_document.Pages();
    int page = 1;
    while (page < pages.pageCount && pages.Slot(page + 1).firstToken <= token)
        ++page;
    return page;
}

PagePlaces Editor::MeasureShownText(int page)
{
    return MeasurePage(m_document, m_settings, *m_canvas, page);
}

void Editor::PlaceCaret()
{
    m_view.insertionInside = !m_insertion.AtEnd();
    if (!m_view.insertionInside || !m_canvas) return;
    const std::size_t pos = m_insertion.Position(m_document.Text().size());
    const int page = PageOfToken(m_document.TokenAt(pos));
    const CaretPlace caret = CaretAt(MeasureShownText(page), pos);
    m_view.insertionPage = page;
    m_view.caretOn = true;
    if (!caret.found) return;
    m_view.cursorX = caret.x;
    m_view.cursorY = caret.y;
    m_view.cursorLineHeight = caret.height;
}

void Editor::SetInsertion(std::size_t pos)
{
    m_blinkHold = false;
    const bool wasAtEnd = m_insertion.AtEnd();
    m_insertion.MoveTo(OutsideEmoticon(m_document.Text(), pos), m_document.Text().size());
    auto& pages = m_document.Pages();
    if (wasAtEnd != m_insertion.AtEnd()) {
        // The end of the text shows the completion and the cursor glyph only while the insertion
        // point stands there: its page is laid out again (which places the caret).
        pages.shownPage = pages.pageCount;
        RunLayout({});
    } else {
        PlaceCaret();
    }
    pages.shownPage = m_insertion.AtEnd() ? pages.pageCount : m_view.insertionPage;
    ScrollCursorLineIntoView(m_view);
    UpdateCaption();
    ShowCurrentPage();
}

void Editor::MoveInsertion(command::Id id)
{
    const std::string& text = m_document.Text();
    const std::size_t pos = m_insertion.Position(text.size());
    switch (id) {
    case command::CharLeft:
        SetInsertion(StepLeft(text, pos));
        break;
    case command::Completion:
        SetInsertion(StepRight(text, pos));
        break;
    case command::PreviousWord:
        SetInsertion(WordLeft(text, pos));
        break;
    case command::NextWord:
        SetInsertion(WordRight(text, pos));
        break;
    case command::StartOfText:
        SetInsertion(0);
        break;
    case command::EndOfText:
        SetInsertion(text.size());
        break;
    default:
        break;
    }
}

void Editor::MoveLine(int direction)
{
    if (!m_canvas) return;
    const std::size_t size = m_document.Text().size();
    const std::size_t pos = m_insertion.Position(size);
    int page = PageOfToken(m_document.TokenAt(pos));
    PagePlaces places = MeasureShownText(page);
    const CaretPlace caret = CaretAt(places, pos);
    if (!caret.found) return;
    const int goal = m_insertion.goalX >= 0 ? m_insertion.goalX : caret.x;
    int line = caret.line + direction;
    if (line < 0 || line >= places.LineCount()) {
        // Past the first line of the text its start, past the last its end.
        const int next = page + direction;
        if (next < 1 || next > m_document.Pages().pageCount) {
            SetInsertion(direction < 0 ? 0 : size);
            m_insertion.goalX = goal;
            return;
        }
        page = next;
        places = MeasureShownText(page);
        line = direction < 0 ? places.LineCount() - 1 : 0;
    }
    SetInsertion(BoundaryOnLine(places, line, goal, size));
    m_insertion.goalX = goal;
}

void Editor::PlaceInsertion(int x, int y)
{
    if (!m_canvas) return;
    const std::size_t size = m_document.Text().size();
    const auto& pages = m_document.Pages();
    const PagePlaces places = MeasureShownText(pages.shownPage);
    const int line = LineAt(places, y);
    if (line < 0) {
        SetInsertion(size);
        return;
    }
    // Below the last line of the last page: the end of the text.
    int bottom = 0;
    for (const auto& place : places.places)
        if (place.line == places.LineCount() - 1) bottom = std::max(bottom, place.y + place.height);
    if (pages.shownPage == pages.pageCount && y >= bottom) {
        SetInsertion(size);
        return;
    }
    SetInsertion(BoundaryOnLine(places, line, x, size));
}

bool Editor::LayOutInsideEdit(std::vector<TextChange> changes, std::size_t caret, std::optional<TypingStep> typing)
{
    m_staleTokenCount = -1;
    m_blinkHold = false;
    const std::size_t size = m_document.Text().size();
    m_insertion.MoveTo(caret, size);
    // One token edit for all the changes, counted from the tokens before the first of them.
    int before = m_document.TokenCount();
    for (const TextChange& change : changes)
        before -= change.tokens.newCount - change.tokens.oldCount;
    TokenEdit edit = changes.front().tokens;
    int after = before + edit.newCount - edit.oldCount;
    for (std::size_t i = 1; i < changes.size(); ++i) {
        after += changes[i].tokens.newCount - changes[i].tokens.oldCount;
        edit = Combine(edit, before, changes[i].tokens, after);
    }
    LayoutOptions options;
    options.edit = edit;
    if (RunLayout(options, PageLimitNotice::Caller).pageLimit) {
        // Nothing goes past the last page and nothing at the end of the text is lost: the change is
        // taken back and the pages it changed laid out again.
        for (std::size_t i = changes.size(); i-- > 0;)
            m_document.Revert(changes[i]);
        m_insertion.MoveTo(changes.front().pos, m_document.Text().size());
        LayoutOptions again;
        again.edit = TokenEdit { edit.first, edit.newCount, edit.oldCount };
        RunLayout(again, PageLimitNotice::Caller);
        if (m_prompts) m_prompts->ShowMessage(kPageLimitMessage);
    } else if (typing) {
        m_unsaved.RecordTyping(std::move(changes), typing->caretBefore, caret, typing->run);
    }
    auto& pages = m_document.Pages();
    pages.shownPage = m_insertion.AtEnd() ? pages.pageCount : m_view.insertionPage;
    ScrollCursorLineIntoView(m_view);
    UpdateCaption();
    ShowCurrentPage();
    return true;
}

void Editor::TypeInside(unsigned char byte)
{
    const std::string& text = m_document.Text();
    const std::size_t pos = m_insertion.Position(text.size());
    if (byte == 8) {
        RemoveInside(RemovalBefore(text, pos), pos);
        return;
    }
    if (byte < 9) return;
    m_document.Current().emoticon = 0;
    const char c = static_cast<char>(byte);
    TextChange change;
    if (m_document.Replace(pos, 0, std::string_view(&c, 1), m_document.CurrentRecord(), &change)
        == EditStatus::Refused) {
        ReportRefused();
        return;
    }
    // A word is remembered as it is finished, wherever it is typed.
    if (ClassifyByte(byte) != CharClass::Word && pos > 0 && m_services.rememberWord
        && m_document.IsWordToken(m_document.TokenAt(pos - 1)))
        m_services.rememberWord(m_document.TokenText(m_document.TokenAt(pos - 1)));
    LayOutInsideEdit({ std::move(change) }, pos + 1,
        TypingStep { pos, ClosesWord(byte) ? UndoSteps::Run::Closed : UndoSteps::Run::GoesOn });
}

void Editor::RemoveInside(const Removal& removal, std::size_t pos)
{
    m_blinkHold = false;
    if (removal.Empty()) return;
    std::vector<TextChange> changes;
    const auto remove = [&](std::size_t from, std::size_t count) {
        TextChange change;
        m_document.Replace(from, count, {}, m_document.CurrentRecord(), &change);
        changes.push_back(std::move(change));
    };
    std::size_t caret = std::min(pos, removal.from);
    if (removal.pair == Removal::kNone) {
        remove(removal.from, removal.to - removal.from);
    } else if (removal.pair > removal.from) {
        // The later marker first, so that the earlier place still holds.
        remove(removal.pair, 1);
        remove(removal.from, removal.to - removal.from);
    } else {
        remove(removal.from, removal.to - removal.from);
        remove(removal.pair, 1);
        caret -= caret > removal.pair ? 1 : 0;
    }
    LayOutInsideEdit(std::move(changes), caret, TypingStep { pos, UndoSteps::Run::GoesOn });
}

void Editor::DeleteForward()
{
    const std::string& text = m_document.Text();
    if (m_insertion.AtEnd()) return;
    const std::size_t pos = m_insertion.Position(text.size());
    RemoveInside(RemovalAfter(text, pos), pos);
}

} // namespace quirel

#include "editor/Editor.h"

#include "editor/EditorMessages.h"
#include "editor/PageOutput.h"
#include "editor/Ruler.h"
#include "io/DocumentFile.h"
#include "io/Ports.h"
#include "layout/Canvas.h"

#include <chrono>
#include <utility>

namespace quirel {

bool ClosesWord(unsigned char byte)
{
    return byte == ' ' || byte == '\r' || byte == '\n' || byte == '\t';
}

Editor::Editor(std::filesystem::path programFolder)
    : m_folder(std::move(programFolder))
    , m_lists(m_folder)
    , m_memory(m_folder)
    , m_format(m_document)
    , m_unsaved(m_folder, m_document, m_gate)
{
    m_settingsReadError = ReadSettingsFile(m_settings, m_folder);
    auto& current = m_document.Current();
    current.background = static_cast<std::uint32_t>(m_settings.backgroundColor);
    current.textColor = static_cast<std::uint32_t>(m_settings.textColor);
    current.size = m_settings.fontSize;
    current.normalSize = m_settings.fontSize;
    current.faceName = m_settings.fontName;
    m_document.Fonts().Reset(m_settings.fontName);
    m_document.Records().Reset(m_document.CurrentRecord());
    m_services.completeWord = [this](std::string_view word) { return m_memory.CompleteWord(word); };
    m_services.rememberWord = [this](std::string_view word) {
        const auto isKnown = [this](std::string_view w) { return m_lists.Words().IsKnownWordAnyList(w); };
        FileError error;
        if (m_memory.RememberWord(word, isKnown, *m_files, &error) == RememberStatus::WriteFailed)
            m_memoryWriteError = error;
    };
}

void Editor::LoadWordLists()
{
    if (m_lists.Loading()) return;
    m_lists.Load(m_pump, m_prompts);
    // Marks that were asked for before the lists were in are drawn now.
    if (m_lists.Ready() && m_lists.Words().spellingSensor) RebuildNow();
}

bool Editor::OpenStartDocument(std::string_view argument)
{
    std::string name;
    for (char c : argument)
        if (c != '"') name += c;
    if (name.empty()) return false;
    // The whole name counts, however long: a file manager passes full paths, and a deep folder
    // makes them long. A file that is not there is passed over in silence; a name the system
    // cannot look up (longer than it allows, behind a folder without permission) is read all the
    // same, so that the user is told why it did not open.
    std::error_code error;
    if (!std::filesystem::exists(name, error) && !error) return false;
    // The document keeps its name: the save dialog offers it and its folder, as after "Leer Documento".
    m_documentFile = std::filesystem::absolute(name, error);
    m_documentFolder = m_documentFile.parent_path();
    m_blinkHold = true;
    const bool read = OpenDocument(name);
    m_blinkHold = false;
    return read;
}

bool Editor::OpenDocument(const std::filesystem::path& file)
{
    const auto result = ReadDocument(m_document, file);
    if (result.status != DocumentFileStatus::Done) {
        // The document was not touched: it stays on screen as it was.
        if (m_prompts) m_prompts->ShowMessage(DocumentFileMessage(result, file));
        return false;
    }
    m_unsaved.DocumentReplaced(file);
    m_insertion.ToEnd();
    RebuildNow();
    return true;
}

Editor::~Editor() = default;

void Editor::Connect(const EditorPorts& ports)
{
    m_canvas = &ports.canvas;
    m_prompts = &ports.prompts;
    m_pump = &ports.pump;
    m_pageView = &ports.view;
    m_files = &ports.files;
    m_pageOutput = std::make_unique<PageOutput>(*this, ports.prompts, ports.view, ports.printer);
    m_unsaved.SetPrompts(&ports.prompts);
    m_unsaved.SetFilePort(ports.files);
    RebuildNow();
    if (!m_settingsReadError.Ok() && m_prompts)
        m_prompts->ShowMessage(SettingsReadMessage(m_settingsReadError, m_folder));
}

bool Editor::SaveSettings()
{
    return WriteSettings(Report::Notice);
}

bool Editor::WriteSettings(Report report)
{
    const auto& current = m_document.Current();
    m_settings.backgroundColor = static_cast<std::int32_t>(current.background);
    m_settings.textColor = static_cast<std::int32_t>(current.textColor);
    m_settings.fontSize = static_cast<std::int16_t>(current.size);
    m_settings.fontName = current.faceName;
    const FileError error = WriteSettingsFile(m_settings, m_folder, *m_files);
    if (error.Ok()) return true;
    const std::string message = SettingsWriteMessage(error, m_folder);
    if (report == Report::Notice)
        ReportOnce(m_settingsWriteReported, message);
    else if (!std::exchange(m_settingsWriteReported, true) && m_prompts)
        m_prompts->ShowMessage(message);
    return false;
}

void Editor::ReportOnce(bool& reported, const std::string& message)
{
    if (reported || !m_prompts) return;
    reported = true;
    m_prompts->ShowNotice(message);
}

LayoutResult Editor::RunLayout(const LayoutOptions& options, PageLimitNotice notice)
{
    if (!m_canvas) return {};
    // Input that arrives while the layout lets events run is carried out when the pass ends, in order.
    CommandGate::TextPass pass(m_gate);
    auto services = m_services;
    LayoutOptions passOptions = options;
    passOptions.pump = m_pump;
    passOptions.view = m_pageView;
    const bool sensor = m_lists.Words().spellingSensor;
    services.isKnownWord = sensor ? std::function<bool(std::string_view)>(
                               [this](std::string_view word) { return m_lists.Words().IsKnownWord(word); })
                                  : nullptr;
    passOptions.insertionInside = !m_insertion.AtEnd();
    const auto result = LayoutDocument(m_document, m_settings, *m_canvas, m_view, services, passOptions);
    m_cutAtPageLimit = result.pageLimit;
    PlaceCaret();
    UpdateCaption();
    if (result.pageLimit && notice == PageLimitNotice::Layout && m_prompts) m_prompts->ShowMessage(kPageLimitMessage);
    if (!m_memoryWriteError.Ok())
        ReportOnce(
            m_memoryWriteReported, WordMemoryWriteMessage(std::exchange(m_memoryWriteError, {}), m_memory.File()));
    return result;
}

void Editor::ShowCurrentPage()
{
    if (m_pageView) m_pageView->ShowPage();
}

std::string Editor::Caption() const
{
    std::string caption = TitleStatusLine(m_document, m_settings);
    if (m_staleTokenCount >= 0) caption = caption.substr(0, caption.rfind(' ') + 1) + std::to_string(m_staleTokenCount);
    return caption;
}

void Editor::UpdateCaption()
{
    if (m_pageView) m_pageView->SetCaption(Caption());
}

void Editor::ReportRefused()
{
    if (m_prompts) m_prompts->ShowMessage(kTokenLimitMessage);
}

void Editor::AppendEdit(std::size_t bytesAdded, TextChange change, UndoSteps::Run run)
{
    const std::size_t caretBefore = change.pos + change.removed.size();
    m_staleTokenCount = -1;
    m_document.StoreCurrentRecord();
    auto& pages = m_document.Pages();
    pages.shownPage = pages.pageCount;
    const auto result = RunLayout({}, PageLimitNotice::Caller);
    if (result.pageLimit) {
        // Nothing is lost and nothing goes past the last page: the edit that needed page 151 is
        // taken back, and the user is told once.
        for (std::size_t i = 0; i < bytesAdded; ++i)
            m_document.RemoveLastByte();
        pages.shownPage = pages.pageCount;
        RunLayout({}, PageLimitNotice::Caller);
        if (m_prompts) m_prompts->ShowMessage(kPageLimitMessage);
    } else {
        m_document.EndChangeMade(change);
        m_unsaved.RecordTyping({ std::move(change) }, caretBefore, m_document.Text().size(), run);
    }
    ScrollCursorLineIntoView(m_view); // the line being typed stays in sight
    ShowCurrentPage();
}

void Editor::TypeByte(unsigned char byte)
{
    if (!m_insertion.AtEnd()) {
        TypeInside(byte);
        return;
    }
    if (byte == 8) {
        m_blinkHold = false;
        // The end of the text lies beyond the last page: a byte there would go unseen.
        if (m_cutAtPageLimit) {
            if (m_prompts) m_prompts->ShowMessage(kPageLimitMessage);
            return;
        }
        if (m_document.TokenCount() > 0) {
            TextChange change = m_document.BeginEndChange(1);
            m_document.RemoveLastByte();
            AppendEdit(0, std::move(change), UndoSteps::Run::GoesOn);
        }
        return;
    }
    if (byte < 9) return;
    m_blinkHold = false;
    m_document.Current().emoticon = 0;
    const char c = static_cast<char>(byte);
    TextChange change = m_document.BeginEndChange(0);
    if (m_document.Append(std::string_view(&c, 1)) == EditStatus::Refused) {
        ReportRefused();
        return;
    }
    AppendEdit(1, std::move(change), ClosesWord(byte) ? UndoSteps::Run::Closed : UndoSteps::Run::GoesOn);
}

void Editor::AcceptCompletion()
{
    if (!m_insertion.AtEnd()) {
        MoveInsertion(command::Completion);
        return;
    }
    const int n = m_document.TokenCount();
    if (n == 0 || !m_document.IsWordToken(n) || !m_services.completeWord) return;
    const std::string completion = m_services.completeWord(m_document.TokenText(n));
    if (completion.empty()) return;
    TextChange change = m_document.BeginEndChange(0);
    if (m_document.Append(completion) == EditStatus::Refused) {
        ReportRefused();
        return;
    }
    AppendEdit(completion.size(), std::move(change), UndoSteps::Run::GoesOn);
}

void Editor::PressTab()
{
    const std::string blanks(static_cast<std::size_t>(std::max<int>(0, m_settings.tabWidth)), ' ');
    if (!m_insertion.AtEnd()) {
        const std::size_t pos = m_insertion.Position(m_document.Text().size());
        TextChange change;
        if (blanks.empty()) return;
        if (m_document.Replace(pos, 0, blanks, m_document.CurrentRecord(), &change) == EditStatus::Refused)
            ReportRefused();
        else
            LayOutInsideEdit({ std::move(change) }, pos + blanks.size(), TypingStep { pos, UndoSteps::Run::Closed });
        return;
    }
    TextChange change = m_document.BeginEndChange(0);
    if (m_document.Append(blanks) == EditStatus::Refused) {
        ReportRefused();
        return;
    }
    AppendEdit(blanks.size(), std::move(change), UndoSteps::Run::Closed);
}

void Editor::PageDown()
{
    auto& pages = m_document.Pages();
    if (pages.shownPage >= pages.pageCount) return;
    m_blinkHold = true;
    ++pages.shownPage;
    UpdateCaption();
    ShowCurrentPage();
}

void Editor::PageUp()
{
    auto& pages = m_document.Pages();
    if (pages.shownPage <= 1) return;
    m_blinkHold = true;
    --pages.shownPage;
    UpdateCaption();
    ShowCurrentPage();
}

void Editor::PageEnd()
{
    m_blinkHold = true;
    m_document.Pages().shownPage = m_document.Pages().pageCount;
    UpdateCaption();
    ShowCurrentPage();
}

void Editor::PageHome()
{
    m_blinkHold = true;
    m_document.Pages().shownPage = 1;
    UpdateCaption();
    ShowCurrentPage();
}

void Editor::Wheel(int delta)
{
    const int step = delta < 0 ? -ViewState::kScrollStep : ViewState::kScrollStep;
    if (step < 0 && m_view.scrollOffset + step >= ViewState::kLowestScrollOffset)
        m_view.scrollOffset += step;
    else if (step > 0 && m_view.scrollOffset < 0)
        m_view.scrollOffset += step;
    else
        return;
    ShowCurrentPage();
}

void Editor::SetMarginCell(int cell)
{
    if (cell < 1 || cell > ruler::kMaxMarginCell) return;
    m_settings.margin = static_cast<std::int16_t>(10 * cell);
    RebuildNow();
}

void Editor::SetTabCell(int cell)
{
    if (cell < 1 || cell > ruler::kMaxTabCell) return;
    m_settings.tabWidth = static_cast<std::int16_t>(cell);
    UpdateCaption();
    if (m_prompts)
        m_prompts->ShowMessage(std::string(kTabChangedHead) + std::to_string(cell) + std::string(kTabChangedTail));
}

void Editor::ChooseFace(const std::string& face)
{
    m_format.FaceChosen();
    m_document.Current().faceName = face;
    m_settings.fontName = face;
    if (m_document.Fonts().Append(face)) SaveSettings();
}

void Editor::ConfirmFace(const std::string& face)
{
    m_settings.fontName = face;
    m_document.Current().faceName = face;
}

void Editor::ChooseSize(int size)
{
    m_document.Current().size = size;
    m_document.Pages().shownPage = m_document.Pages().pageCount;
    RunLayout({});
    ShowCurrentPage();
    SaveSettings();
}

void Editor::RebuildNow()
{
    m_staleTokenCount = -1;
    // After a change of the whole text the insertion point stays where it was, if that place is still there.
    if (!m_insertion.AtEnd())
        m_insertion.MoveTo(m_insertion.Position(m_document.Text().size()), m_document.Text().size());
    m_document.Pages().Clear();
    RunLayout({});
    ShowCurrentPage();
}

void Editor::BlinkTick()
{
    if (m_blinkHold || !m_canvas || m_gate.InTextPass()) return;
    auto& pages = m_document.Pages();
    if (!m_insertion.AtEnd()) {
        // Inside the text the caret is drawn over the page by the view.
        if (pages.shownPage != m_view.insertionPage) return;
        m_view.caretOn = !m_view.caretOn;
        ShowCurrentPage();
        return;
    }
    // The work surface holds the last page; the cursor lives there and nowhere else.
    if (pages.shownPage != pages.pageCount || pages.surfacePage != pages.pageCount) return;
    m_blinkPhase = 1 - m_blinkPhase;
    m_canvas->SelectFont("Consolas", m_document.Current().size, m_blinkPhase == 1 ? kStyleBold : 0, CharSet::Oem);
    m_canvas->SetColors(static_cast<std::uint32_t>(m_settings.cursorColor), 0xFFFFFF);
    const char glyph = m_blinkPhase == 1 ? static_cast<char>(m_settings.cursorChar) : ' ';
    m_canvas->DrawText(m_view.cursorX, m_view.cursorY, std::string_view(&glyph, 1));
    m_canvas->StorePage(pages.Slot(pages.shownPage));
    ShowCurrentPage();
}

} // namespace quirel

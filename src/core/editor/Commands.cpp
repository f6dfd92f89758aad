// The menu commands of the editor: format switches, colours and the document commands.
#include "editor/Editor.h"
#include "editor/EditorMessages.h"
#include "io/DocumentFile.h"
#include "io/DocumentName.h"
#include "io/Ports.h"
#include "io/TextImport.h"
#include "language/AccentMarks.h"
#include "language/RepeatedWords.h"
#include "language/WordListViews.h"
#include "layout/EmoticonNames.h"

#include <system_error>
#include <utility>

namespace quirel {
namespace {

bool Exists(const std::filesystem::path& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::exists(path, error);
}

} // namespace

void Editor::ToggleSuperscript()
{
    ToggleSmallSize(&FormatControls::ToggleSuperscript);
}

void Editor::ToggleSubscript()
{
    ToggleSmallSize(&FormatControls::ToggleSubscript);
}

void Editor::ToggleSmallSize(EditStatus (FormatControls::*toggle)(std::size_t, TextChange*))
{
    // At the end the marker is appended and nothing is repainted (it takes no room); inside the
    // text it goes in at the insertion point, which then stands after it.
    const std::size_t at = m_insertion.AtEnd() ? Document::kAtEnd : m_insertion.Position(m_document.Text().size());
    TextChange change = at == Document::kAtEnd ? m_document.BeginEndChange(0) : TextChange {};
    const std::size_t caretBefore = m_insertion.Position(m_document.Text().size());
    if ((m_format.*toggle)(at, &change) == EditStatus::Refused) {
        ReportRefused();
        return;
    }
    m_staleTokenCount = -1;
    if (at != Document::kAtEnd) {
        LayOutInsideEdit({ std::move(change) }, at + 1, TypingStep { caretBefore, UndoSteps::Run::Closed });
        return;
    }
    m_document.EndChangeMade(change);
    m_unsaved.RecordTyping({ std::move(change) }, caretBefore, m_document.Text().size(), UndoSteps::Run::Closed);
}

void Editor::ToggleSpellingSensor()
{
    m_lists.Words().spellingSensor = !m_lists.Words().spellingSensor;
    RebuildNow();
}

void Editor::ApplySelectedColour(ColourTarget target)
{
    const std::uint32_t selected = m_format.SelectedColour();
    const auto colour = static_cast<std::int32_t>(selected);
    switch (target) {
    case ColourTarget::Text:
        m_document.Current().textColor = selected;
        break;
    case ColourTarget::Background:
        m_document.Current().background = selected;
        break;
    case ColourTarget::Cursor:
        m_settings.cursorColor = colour;
        // The cursor is drawn by the layout: the last page is painted again to show its new colour.
        m_document.Pages().shownPage = m_document.Pages().pageCount;
        RunLayout({});
        break;
    case ColourTarget::Shadow:
        m_settings.shadowColor = colour;
        break;
    }
    SaveSettings();
}

void Editor::ResetDocumentColours()
{
    m_document.Current().background = 0xFFFFFF;
    m_document.Current().textColor = 0;
    SaveSettings();
}

void Editor::NewDocument()
{
    const int oldCount = m_document.TokenCount();
    auto& current = m_document.Current();
    current.faceName = m_settings.fontName;
    current.emoticon = 0;
    m_document.SetText({});
    m_document.Fonts().Reset(m_settings.fontName);
    m_document.Records().Reset(m_document.CurrentRecord());
    m_view.scrollOffset = 0;
    m_format.NewDocument();
    m_unsaved.DocumentReplaced({});
    m_insertion.ToEnd();
    RebuildNow();
    m_staleTokenCount = oldCount;
    UpdateCaption();
}

std::filesystem::path Editor::AskForFile(Prompts::FileRequest::Mode mode, const char* filterName, const char* pattern,
    const std::filesystem::path& current, const char* defaultSuffix)
{
    if (!m_prompts) return {};
    Prompts::FileRequest request;
    request.mode = mode;
    request.filterName = filterName;
    request.pattern = pattern;
    request.folder = m_documentFolder;
    request.fileName = current.filename().string();
    request.defaultSuffix = defaultSuffix;
    return m_prompts->ChooseFile(request);
}

bool Editor::OpenDocumentCommand()
{
    const auto previous = m_documentFile;
    m_documentFile = AskForFile(Prompts::FileRequest::Mode::Open, kDocumentFileKind, "*.4tf", m_documentFile, "4tf");
    if (m_documentFile.empty()) return false;
    m_documentFolder = m_documentFile.parent_path();
    const bool opened = OpenDocument(m_documentFile);
    // A file that could not be read leaves the document, and so its name, as they were.
    if (!opened) m_documentFile = previous;
    return opened;
}

bool Editor::SaveDocumentCommand()
{
    // The dialog offers the document's own file in the document folder.
    const auto offered = m_documentFile.empty() ? m_documentFile : m_documentFolder / m_documentFile.filename();
    m_documentFile = AskForFile(Prompts::FileRequest::Mode::Save, kDocumentFileKind, "*.4tf", m_documentFile, "");
    if (m_documentFile.empty()) return false;
    // A name typed in the dialog gets the document's extension, so that the file shows in the
    // dialog later; the name offered is the file the document came from (or was saved to), written
    // as it is, byte for byte, extension or not.
    if (m_documentFile != offered) m_documentFile = WithDocumentExtension(m_documentFile);
    m_documentFolder = m_documentFile.parent_path();
    if (Exists(m_documentFile) && !m_prompts->AskYesNo(kOverwriteQuestion)) return false;
    const auto result = WriteDocument(m_document, m_documentFile, *m_files);
    if (result.status != DocumentFileStatus::Done) {
        m_prompts->ShowMessage(DocumentFileMessage(result, m_documentFile));
        return false;
    }
    RememberFinishedWord(m_document, m_services, TextEnd::Saved); // saving finishes the last word
    m_unsaved.MarkSaved(m_documentFile);
    return true;
}

bool Editor::ImportTextCommand()
{
    m_textFile = AskForFile(Prompts::FileRequest::Mode::Open, kTextFileKind, "*.*", m_textFile, "");
    if (m_textFile.empty()) return false;
    m_documentFolder = m_textFile.parent_path();
    if (!Exists(m_textFile)) return false;
    auto contents = ReadTextFile(m_textFile);
    auto status = contents.status;
    if (status == TextImportStatus::Done)
        status = ImportText(m_document, std::move(contents.text), m_settings.fontName);
    if (status != TextImportStatus::Done) {
        m_prompts->ShowMessage(TextImportMessage(status, m_textFile));
        return false;
    }
    m_unsaved.DocumentReplaced({});
    m_insertion.ToEnd();
    m_view.importInProgress = true;
    m_staleTokenCount = -1;
    m_document.Pages().Clear();
    m_document.Pages().pageCount = 1;
    RunLayout({});
    ShowCurrentPage();
    m_view.importInProgress = false;
    m_documentFile.clear(); // an imported text has no document name: Save asks for one
    if (contents.replaced > 0) m_prompts->ShowMessage(ReplacedCharactersMessage(contents.replaced));
    return true;
}

int Editor::InsertEmoticonCommand(int number)
{
    m_blinkHold = false;
    number = m_format.EmoticonToInsert(number);
    const std::size_t at = m_insertion.AtEnd() ? Document::kAtEnd : m_insertion.Position(m_document.Text().size());
    TextChange change = at == Document::kAtEnd ? m_document.BeginEndChange(0) : TextChange {};
    if (m_document.InsertEmoticon(number, at, &change) == EditStatus::Refused) {
        ReportRefused();
        return number;
    }
    if (at != Document::kAtEnd) {
        LayOutInsideEdit({ std::move(change) }, at + 9, TypingStep { at, UndoSteps::Run::Closed });
        return number;
    }
    AppendEdit(9, std::move(change), UndoSteps::Run::Closed);
    return number;
}

std::string Editor::AccentCommand(EventPump* pump)
{
    // The pass reads the text while it lets events run: keys typed meanwhile wait, as during a layout,
    // and are appended to the new text when it has been laid out.
    CommandGate::TextPass pass(m_gate);
    auto result = AccentDocument(
        m_document.Text(), m_document.Tokens(), AccentLexiconOf(m_lists.Words()), &m_lists.Accents(), pump);
    // A pass that changed nothing leaves the document as it was (no step, no unsaved change).
    if (result.text != m_document.Text()) m_unsaved.AsUndoStep([&] { m_document.SetText(std::move(result.text)); });
    RebuildNow();
    return AccentMessage(result);
}

std::string Editor::RepeatedWordsCommand(EventPump* pump)
{
    // The count reads the tokens while it lets events run: keys typed meanwhile wait until it is done.
    CommandGate::TextPass pass(m_gate);
    return RepeatedWordsMessage(RepeatedWords(m_document, pump));
}

bool Editor::SaveChangesFirst()
{
    switch (m_unsaved.AskBeforeGivingUp()) {
    case UnsavedWork::BeforeGivingUp::GoOn:
        return true;
    case UnsavedWork::BeforeGivingUp::Stop:
        return false;
    case UnsavedWork::BeforeGivingUp::Save:
        break;
    }
    // The save keeps the cursor still, as "Grabar Documento" does.
    const bool held = std::exchange(m_blinkHold, true);
    const bool saved = m_unsaved.OwnFile().empty() ? SaveDocumentCommand() : m_unsaved.SaveToOwnFile();
    m_blinkHold = held;
    return saved;
}

void Editor::Quit()
{
    WriteSettings(Report::Box);
    m_unsaved.GiveUp();
}

bool Editor::OfferRecovery()
{
    return m_unsaved.OfferRecovery([this] { RebuildNow(); });
}

bool Editor::ApplyHistory(UndoSteps::Outcome outcome)
{
    switch (outcome.kind) {
    case UndoSteps::Outcome::Kind::Rewrite:
        RebuildNow();
        return true;
    case UndoSteps::Outcome::Kind::Typing:
        LayOutInsideEdit(std::move(outcome.changes), outcome.caret, {});
        return true;
    default:
        return false;
    }
}

} // namespace quirel

// The inputs: their rules from the command table, then their bodies.
#include "editor/CommandTable.h"
#include "editor/Editor.h"
#include "editor/PageOutput.h"
#include "io/Ports.h"
#include "language/LanguageMessages.h"
#include "language/ReEdit.h"
#include "language/SearchReplace.h"
#include "language/WordListViews.h"

namespace quirel {

void Editor::Run(const Input& input)
{
    const CommandRules* rules = FindCommandRules(input.id);
    if (!rules) return;
    if (rules->wordLists == CommandRules::WordLists::Loads) m_lists.Expect();
    if (rules->wordLists == CommandRules::WordLists::Complete && !m_lists.Ready()) {
        m_lists.AfterLoad([this, input] { Run(input); });
        return;
    }
    m_gate.Admit(*rules, [this, rules, input] {
        const bool hold = rules->hold == CommandRules::Hold::Yes;
        if (hold) m_blinkHold = true;
        Execute(input);
        if (hold) m_blinkHold = false;
        if (rules->controls == CommandRules::Controls::Follow) ControlsChanged();
    });
}

void Editor::ControlsChanged()
{
    if (m_pageView) m_pageView->ControlsChanged();
}

void Editor::Execute(const Input& input)
{
    if (ExecuteTyping(input) || ExecuteListsAndRuler(input) || ExecuteFormatCommand(input.id)
        || ExecuteDocumentCommand(input.id))
        return;
    ExecuteDialogCommand(input.id);
}

bool Editor::ExecuteTyping(const Input& input)
{
    switch (input.id) {
    case command::TypeByte:
        TypeByte(static_cast<unsigned char>(input.value));
        return true;
    case command::Completion:
        AcceptCompletion();
        return true;
    case command::TabButton:
        PressTab();
        return true;
    case command::PageDown:
        PageDown();
        return true;
    case command::PageUp:
        PageUp();
        return true;
    case command::PageEnd:
        PageEnd();
        return true;
    case command::PageHome:
        PageHome();
        return true;
    case command::Wheel:
        Wheel(input.value);
        return true;
    case command::BlinkTick:
        BlinkTick();
        return true;
    case command::CharLeft:
    case command::PreviousWord:
    case command::NextWord:
    case command::StartOfText:
    case command::EndOfText:
        MoveInsertion(input.id);
        return true;
    case command::LineUp:
    case command::LineDown:
        MoveLine(input.id == command::LineUp ? -1 : 1);
        return true;
    case command::DeleteByte:
        DeleteForward();
        return true;
    case command::PlaceAt:
        PlaceInsertion(command::PointX(input.value), command::PointY(input.value));
        return true;
    default:
        return false;
    }
}

bool Editor::ExecuteListsAndRuler(const Input& input)
{
    switch (input.id) {
    case command::MarginCell:
        SetMarginCell(input.value);
        return true;
    case command::TabCell:
        SetTabCell(input.value);
        return true;
    case command::ChooseFace:
        ChooseFace(input.text);
        return true;
    case command::ConfirmFace:
        ConfirmFace(input.text);
        return true;
    case command::ChooseSize:
        ChooseSize(input.value);
        return true;
    case command::ChooseEmoticon:
        m_format.ChooseEmoticon(input.value);
        return true;
    case command::LoadWordLists:
        LoadWordLists();
        return true;
    case command::WordListsComing:
        return true; // announced by its rules
    case command::Rebuild:
        RebuildNow();
        return true;
    default:
        return false;
    }
}

bool Editor::ExecuteFormatCommand(command::Id id)
{
    switch (id) {
    case command::SelectFont:
        m_format.EnableFontList();
        return true;
    case command::DocumentColours:
        ResetDocumentColours();
        return true;
    case command::BackgroundColour:
        ApplySelectedColour(ColourTarget::Background);
        return true;
    case command::CursorColour:
        ApplySelectedColour(ColourTarget::Cursor);
        return true;
    case command::TextColour:
        ApplySelectedColour(ColourTarget::Text);
        return true;
    case command::ShadowColour:
        ApplySelectedColour(ColourTarget::Shadow);
        return true;
    case command::Bold:
        m_format.ToggleStyle(kStyleBold);
        return true;
    case command::Italic:
        m_format.ToggleStyle(kStyleItalic);
        return true;
    case command::Underline:
        m_format.ToggleStyle(kStyleUnderline);
        return true;
    case command::StrikeOut:
        m_format.ToggleStyle(kStyleStrikeOut);
        return true;
    case command::Superscript:
        ToggleSuperscript();
        return true;
    case command::Subscript:
        ToggleSubscript();
        return true;
    case command::SpellingSensor:
        ToggleSpellingSensor();
        return true;
    default:
        return false;
    }
}

bool Editor::ExecuteDocumentCommand(command::Id id)
{
    EventPump* pump = m_pump;
    switch (id) {
    case command::RepeatedWords:
        if (m_prompts) m_prompts->ShowMessage(RepeatedWordsCommand(pump));
        return true;
    case command::Accents: {
        const std::string message = AccentCommand(pump);
        if (m_prompts) m_prompts->ShowMessage(message, Prompts::Urgency::Topmost);
        return true;
    }
    case command::OpenDocument:
        if (SaveChangesFirst()) OpenDocumentCommand();
        return true;
    case command::ImportText:
        if (SaveChangesFirst()) ImportTextCommand();
        return true;
    case command::New:
        if (SaveChangesFirst()) NewDocument();
        return true;
    case command::SaveDocument:
        SaveDocumentCommand();
        return true;
    case command::ExportBitmap:
        if (m_pageOutput) m_pageOutput->ExportCommand();
        return true;
    case command::Print:
        if (m_pageOutput) m_pageOutput->PrintCommand();
        return true;
    case command::InsertEmoticon:
        InsertEmoticonCommand(m_format.EmoticonChoice());
        return true;
    case command::Recover:
        RebuildNow();
        return true;
    case command::Undo:
        ApplyHistory(m_unsaved.TakeBackStep());
        return true;
    case command::Redo:
        ApplyHistory(m_unsaved.BringBackStep());
        return true;
    case command::Quit:
        if (!SaveChangesFirst()) return true;
        Quit();
        if (m_pageView) m_pageView->Close();
        return true;
    default:
        return false;
    }
}

void Editor::ExecuteDialogCommand(command::Id id)
{
    if (!m_prompts) return;
    switch (id) {
    case command::Find: {
        const SearchWords words = m_prompts->AskSearchWord();
        if (words.search.empty()) break;
        const int matches = SearchCommand(words.search);
        m_prompts->ShowMessage(FoundWordsMessage(matches));
        break;
    }
    case command::Replace: {
        const SearchWords words = m_prompts->AskReplaceWords();
        if (!words.search.empty() && !words.replacement.empty()) ReplaceCommand(words.search, words.replacement);
        break;
    }
    case command::WordSearch:
        m_wordSearch = m_prompts->AskWordSearch(SearchListsOf(m_lists.Words()), m_wordSearch);
        break;
    case command::FavouriteColours:
        m_format.SelectColour(m_prompts->AskFavouriteColour(m_folder, m_format.SelectedColour()));
        break;
    case command::ReEdit:
        if (m_document.TokenCount() == 0) {
            m_prompts->ShowMessage(kReEditEmptyDocumentMessage);
            break;
        }
        m_unsaved.AsUndoStep([&] { m_prompts->ReEdit(m_document); });
        RebuildNow();
        break;
    case command::About:
        m_prompts->ShowAbout();
        break;
    default:
        break;
    }
}

} // namespace quirel

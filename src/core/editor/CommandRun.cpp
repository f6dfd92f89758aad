// The menu commands: their rules from the command table, then their bodies.
#include "editor/CommandTable.h"
#include "editor/Dialogs.h"
#include "editor/Editor.h"
#include "editor/PageOutput.h"
#include "io/Ports.h"
#include "language/LanguageMessages.h"
#include "language/ReEdit.h"
#include "language/SearchReplace.h"
#include "language/WordListViews.h"

namespace quirel {

void Editor::Run(command::Id id)
{
    const CommandRules* rules = FindCommandRules(id);
    if (!rules) return;
    auto run = [this, rules] {
        auto body = [this, rules] {
            const bool hold = rules->hold == CommandRules::Hold::Yes;
            if (hold) m_blinkHold = true;
            Execute(rules->id);
            if (hold) m_blinkHold = false;
        };
        if (rules->guard == CommandRules::Guard::Yes)
            m_gate.RunGuarded(body);
        else
            body();
        ControlsChanged();
    };
    auto afterLists = [this, rules, run] {
        if (rules->textPass == CommandRules::TextPass::WaitsForEnd)
            m_gate.Admit(run);
        else
            run();
    };
    if (rules->wordLists == CommandRules::WordLists::Complete)
        m_lists.AfterLoad(afterLists);
    else
        afterLists();
}

void Editor::ControlsChanged()
{
    if (m_hooks.controlsChanged) m_hooks.controlsChanged();
}

void Editor::Execute(command::Id id)
{
    EventPump* pump = m_commandPorts.pump;
    switch (id) {
    case command::RepeatedWords:
        if (m_prompts) m_prompts->ShowMessage(RepeatedWordsCommand(pump));
        break;
    case command::Accents: {
        const std::string message = AccentCommand(pump);
        if (m_prompts) m_prompts->ShowMessage(message, Prompts::Urgency::Topmost);
        break;
    }
    case command::OpenDocument:
        if (SaveChangesFirst()) OpenDocumentCommand();
        break;
    case command::SaveDocument:
        SaveDocumentCommand();
        break;
    case command::ImportText:
        if (SaveChangesFirst()) ImportTextCommand();
        break;
    case command::ExportBitmap:
        if (m_commandPorts.pageOutput) m_commandPorts.pageOutput->ExportCommand();
        break;
    case command::Print:
        if (m_commandPorts.pageOutput) m_commandPorts.pageOutput->PrintCommand();
        break;
    case command::InsertEmoticon:
        InsertEmoticonCommand(m_format.EmoticonChoice());
        break;
    case command::SelectFont:
        m_format.EnableFontList();
        break;
    case command::Recover:
        RebuildDocumentView();
        break;
    case command::New:
        if (SaveChangesFirst()) NewDocument();
        break;
    case command::Undo:
        UndoCommand();
        break;
    case command::DocumentColours:
        ResetDocumentColours();
        break;
    case command::BackgroundColour:
        ApplySelectedColour(ColourTarget::Background);
        break;
    case command::CursorColour:
        ApplySelectedColour(ColourTarget::Cursor);
        break;
    case command::TextColour:
        ApplySelectedColour(ColourTarget::Text);
        break;
    case command::ShadowColour:
        ApplySelectedColour(ColourTarget::Shadow);
        break;
    case command::Bold:
        m_format.ToggleStyle(kStyleBold);
        break;
    case command::Italic:
        m_format.ToggleStyle(kStyleItalic);
        break;
    case command::Underline:
        m_format.ToggleStyle(kStyleUnderline);
        break;
    case command::StrikeOut:
        m_format.ToggleStyle(kStyleStrikeOut);
        break;
    case command::Superscript:
        ToggleSuperscript();
        break;
    case command::Subscript:
        ToggleSubscript();
        break;
    case command::SpellingSensor:
        ToggleSpellingSensor();
        break;
    case command::Quit:
        if (!SaveChangesFirst()) break;
        Quit();
        if (m_hooks.quit) m_hooks.quit();
        break;
    default:
        ExecuteDialogCommand(id);
        break;
    }
}

void Editor::ExecuteDialogCommand(command::Id id)
{
    Dialogs* dialogs = m_commandPorts.dialogs;
    if (!dialogs) return;
    switch (id) {
    case command::Find: {
        const SearchWords words = dialogs->AskSearchWord();
        if (words.search.empty()) break;
        SearchCommand(words.search, [this](int matches) {
            if (m_prompts) m_prompts->ShowMessage(FoundWordsMessage(matches));
        });
        break;
    }
    case command::Replace: {
        const SearchWords words = dialogs->AskReplaceWords();
        if (!words.search.empty() && !words.replacement.empty()) ReplaceCommand(words.search, words.replacement);
        break;
    }
    case command::WordSearch:
        m_wordSearch = dialogs->AskWordSearch(SearchListsOf(m_lists.Words()), m_wordSearch);
        break;
    case command::FavouriteColours:
        m_format.SelectColour(dialogs->AskFavouriteColour(m_folder, m_format.SelectedColour()));
        break;
    case command::ReEdit:
        if (m_document.TokenCount() == 0) {
            if (m_prompts) m_prompts->ShowMessage(kReEditEmptyDocumentMessage);
            break;
        }
        m_unsaved.AsUndoStep([&] { dialogs->ReEdit(m_document); });
        RebuildDocumentView();
        break;
    case command::About:
        dialogs->ShowAbout();
        break;
    default:
        break;
    }
}

} // namespace quirel

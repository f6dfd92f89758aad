// Every menu command under its rules: ignored or not while a guarded command runs, the cursor held or
// not while it runs, run at once or after a running text pass, and after a load of the word lists.
#include "editor/CommandTable.h"

#include "FakeCanvas.h"
#include "StandInPorts.h"
#include "TempFolder.h"
#include "editor/Editor.h"
#include "editor/Prompts.h"

#include <gtest/gtest.h>
#include <set>

using namespace quirel;

namespace {

// What a command reached while it ran: the state of the guard and of the cursor at each call.
struct Probe {
    int calls = 0;
    bool sawGuard = false;
    bool sawHold = false;
};

// Prompts that note, at each question and message, the state of the guard and of the cursor.
class ProbePrompts : public RecordingPrompts {
public:
    ProbePrompts(Probe& probe, const Editor& editor)
        : m_probe(probe)
        , m_editor(editor)
    {
    }
    void ShowMessage(std::string_view text, Urgency urgency) override
    {
        Note(0);
        RecordingPrompts::ShowMessage(text, urgency);
    }
    std::filesystem::path ChooseFile(const FileRequest& request) override
    {
        Note(0);
        return RecordingPrompts::ChooseFile(request);
    }
    Answer AskYesNoCancel(std::string_view text) override
    {
        Note(0);
        return RecordingPrompts::AskYesNoCancel(text);
    }
    SearchWords AskSearchWord() override { return Note(SearchWords { "hola", "" }); }
    SearchWords AskReplaceWords() override { return Note(SearchWords { "hola", "adios" }); }
    DictionarySearchValues AskWordSearch(const SearchLists&, const DictionarySearchValues& values) override
    {
        return Note(values);
    }
    std::uint32_t AskFavouriteColour(const std::filesystem::path&, std::uint32_t) override { return Note(0x123456u); }
    bool ReEdit(Document&) override { return Note(true); }
    void ShowAbout() override { Note(0); }
    PageRange AskPageRange(const PageRangeRequest& request) override
    {
        return Note(RecordingPrompts::AskPageRange(request)); // left without a choice
    }
    void AskPrintSetup(PrintSettings&, const std::string&) override { Note(0); }

    template <typename T> T Note(T answer)
    {
        ++m_probe.calls;
        m_probe.sawGuard |= m_editor.Gate().GuardedCommandRunning();
        m_probe.sawHold |= m_editor.BlinkHeld();
        return answer;
    }

private:
    Probe& m_probe;
    const Editor& m_editor;
};

// One editor with a typed word, every port a probe, and a fingerprint of everything a command can change.
struct Bench {
    Bench()
        : editor(folder.Path())
        , prompts(probe, editor)
    {
        ports.view.onCaption = [this](const std::string&) { prompts.Note(0); };
        editor.Connect(ports.For(canvas, prompts));
        editor.Format().SelectColour(0x00FF00);
        editor.GetDocument().Current().textColor = 0x0000FF;
        editor.Services().completeWord = [](std::string_view) { return std::string("s"); };
        editor.Lists().Words().spellingSensor = true; // a load of the lists then lays the text out again
        for (char c : std::string(60, '\r') + "hola mundo")
            editor.Run({ command::TypeByte, static_cast<unsigned char>(c) });
        // A rewrite that "Deshacer" can take back ("hola" by "adios").
        editor.Run(command::Replace);
        editor.ShowPage(2); // the last page, where typing goes on
    }

    // Runs id as a user gives it, with the value it carries, where it has something to do.
    void Give(command::Id id)
    {
        if (id == command::PageDown) editor.Run(command::PageHome);
        if (id == command::DeleteByte) editor.Run(command::PreviousWord);
        if (id == command::Redo) editor.Run(command::Undo);
        editor.Run(Sample(id));
    }

    static Input Sample(command::Id id)
    {
        switch (id) {
        case command::TypeByte:
            return { id, 'a' };
        case command::Wheel:
            return { id, -120 };
        case command::MarginCell:
            return { id, 5 };
        case command::TabCell:
            return { id, 12 };
        case command::ChooseFace:
        case command::ConfirmFace:
            return { id, 0, "Arial" };
        case command::ChooseSize:
            return { id, 20 };
        case command::ChooseEmoticon:
            return { id, 5 };
        case command::PlaceAt:
            return { id, command::PagePoint(60, 45) };
        default:
            return id;
        }
    }

    std::string Fingerprint()
    {
        const auto& switches = editor.Format().GetSwitches();
        const auto& current = editor.GetDocument().Current();
        return editor.GetDocument().Text() + "|" + std::to_string(probe.calls) + "|" + std::to_string(ports.view.shown)
            + "|" + ports.view.caption + std::to_string(ports.view.closed) + "|"
            + std::to_string(switches.bold + 2 * switches.italic + 4 * switches.underline + 8 * switches.strikeOut
                + 16 * editor.Lists().Words().spellingSensor)
            + "|" + std::to_string(editor.Format().FontListEnabled()) + std::to_string(editor.Format().SelectedColour())
            + "|" + std::to_string(current.textColor) + "/" + std::to_string(current.background) + "|"
            + std::to_string(editor.GetSettings().cursorColor) + "/" + std::to_string(editor.GetSettings().shadowColor)
            + "|" + current.faceName + "/" + std::to_string(current.size) + "|"
            + std::to_string(editor.GetDocument().Pages().shownPage) + "/" + std::to_string(editor.View().scrollOffset)
            + "|" + std::to_string(editor.GetSettings().margin) + "/" + std::to_string(editor.GetSettings().tabWidth)
            + "|" + std::to_string(editor.Format().EmoticonChoice()) + "|" + std::to_string(canvas.ops.size()) + "|"
            + std::to_string(editor.Lists().Ready()) + "|"
            + std::to_string(editor.Insertion().Position(editor.GetDocument().Text().size()));
    }

    TempFolder folder;
    Editor editor;
    FakeCanvas canvas;
    Probe probe;
    ProbePrompts prompts;
    StandInPorts ports;
};

} // namespace

TEST(CommandTableTest, EveryInputFollowsItsRules)
{
    using namespace command;
    // The commands that open modal windows or run long, those that keep the cursor still, and those
    // that read the word lists.
    const std::set<int> guardedIds { About, ImportText, FavouriteColours, Print, Find, Recover, Replace, ExportBitmap,
        ReEdit, WordSearch, OpenDocument, SaveDocument };
    const std::set<int> holdingIds { Print, Find, Replace, ExportBitmap, WordSearch, OpenDocument, SaveDocument };
    const std::set<int> listIds { WordSearch, Accents };
    // The commands that change the text or the pages, which wait for a running text pass.
    const std::set<int> passIds { ImportText, SpellingSensor, CursorColour, New, Print, Find, Recover, Replace,
        ExportBitmap, Superscript, Subscript, ReEdit, InsertEmoticon, OpenDocument, SaveDocument, Accents,
        RepeatedWords, Undo, Redo, TypeByte, Completion, TabButton, MarginCell, ChooseSize, LoadWordLists, Rebuild,
        CharLeft, PreviousWord, NextWord, LineUp, LineDown, StartOfText, EndOfText, DeleteByte, PlaceAt };
    // The inputs after which nothing in the menus, lists or ruler can have changed.
    const std::set<int> unchangedControlIds { TypeByte, Completion, TabButton, PageDown, PageUp, PageEnd, PageHome,
        Wheel, TabCell, ConfirmFace, ChooseSize, Rebuild, BlinkTick, WordListsComing, CharLeft, PreviousWord, NextWord,
        LineUp, LineDown, StartOfText, EndOfText, DeleteByte, PlaceAt };
    // The page keys keep the cursor still until the next key; the blink waits out a pass by doing nothing.
    const std::set<int> pageKeyIds { PageDown, PageUp, PageEnd, PageHome };
    std::set<int> ids;
    for (const CommandRules& rules : CommandTable()) {
        SCOPED_TRACE(rules.id);
        EXPECT_EQ(FindCommandRules(rules.id), &rules);
        EXPECT_TRUE(ids.insert(rules.id).second);
        const bool guarded = rules.guard == CommandRules::Guard::Yes;
        EXPECT_EQ(guarded, guardedIds.count(rules.id) == 1);
        EXPECT_EQ(rules.hold == CommandRules::Hold::Yes, holdingIds.count(rules.id) == 1);
        EXPECT_EQ(rules.wordLists == CommandRules::WordLists::Complete, listIds.count(rules.id) == 1);
        EXPECT_EQ(rules.textPass == CommandRules::TextPass::WaitsForEnd, passIds.count(rules.id) == 1);
        EXPECT_EQ(rules.controls == CommandRules::Controls::Unchanged, unchangedControlIds.count(rules.id) == 1);
        EXPECT_EQ(rules.wordLists == CommandRules::WordLists::Loads,
            rules.id == LoadWordLists || rules.id == WordListsComing);

        // Alone: it acts, and its dialogs see the guard and the cursor hold as the rules say.
        Bench alone;
        std::string before = alone.Fingerprint();
        const int callsBefore = alone.probe.calls;
        alone.probe = {};
        alone.Give(rules.id);
        if (alone.probe.calls > 0) {
            EXPECT_EQ(alone.probe.sawGuard, guarded);
            EXPECT_EQ(alone.probe.sawHold, rules.hold == CommandRules::Hold::Yes || pageKeyIds.count(rules.id) == 1);
        }
        alone.probe.calls += callsBefore;
        EXPECT_NE(alone.Fingerprint(), before);
        EXPECT_EQ(alone.editor.BlinkHeld(), pageKeyIds.count(rules.id) == 1);
        EXPECT_FALSE(alone.editor.Gate().GuardedCommandRunning());

        // While another guarded command runs, a guarded one is ignored.
        Bench nested;
        before = nested.Fingerprint();
        nested.editor.Gate().RunGuarded([&] { nested.Give(rules.id); });
        EXPECT_EQ(nested.Fingerprint() == before, guarded);

        // Inside a text pass, a command that changes the text waits for its end.
        Bench inPass;
        before = inPass.Fingerprint();
        {
            CommandGate::TextPass pass(inPass.editor.Gate());
            inPass.Give(rules.id);
            // (A load of the lists is announced at once, and made when the pass ends.)
            EXPECT_EQ(inPass.Fingerprint() == before,
                (rules.textPass == CommandRules::TextPass::WaitsForEnd || rules.id == BlinkTick)
                    && rules.wordLists != CommandRules::WordLists::Loads);
        }
        EXPECT_EQ(inPass.Fingerprint() == before, rules.id == BlinkTick);

        // With a load of the word lists on its way, a command that reads them waits for it.
        Bench loading;
        loading.editor.Lists().Expect();
        before = loading.Fingerprint();
        loading.Give(rules.id);
        EXPECT_EQ(loading.Fingerprint() == before,
            rules.wordLists == CommandRules::WordLists::Complete || rules.id == WordListsComing);
        loading.editor.Run(command::LoadWordLists);
        EXPECT_NE(loading.Fingerprint(), before);
    }
    EXPECT_EQ(ids.size(), 59u);
    for (int listId : { FontList, SizeList, EmoticonList })
        EXPECT_EQ(FindCommandRules(listId), nullptr);
}

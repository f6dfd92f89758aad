// Unsaved work is never lost: the document knows when it changed, the commands that give it up ask
// first, a recovery copy follows it once typing pauses, and "Deshacer" takes back the commands that
// rewrite the whole text.
#include "editor/UnsavedWork.h"

#include "FailingFiles.h"
#include "FakeCanvas.h"
#include "RecordingPrompts.h"
#include "StandInPorts.h"
#include "TempFolder.h"
#include "editor/Editor.h"
#include "editor/EditorMessages.h"
#include "editor/Prompts.h"
#include "io/DocumentFile.h"
#include "io/IoMessages.h"
#include "io/ProgramFolder.h"
#include "io/RecoveryCopy.h"
#include "language/ReEdit.h"
#include "language/WordRecord.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <set>

using namespace quirel;
using namespace std::chrono_literals;

namespace {

using Answer = Prompts::Answer;
using Clock = std::chrono::steady_clock;

// What a command can change: the text, every record slot and the font table.
struct Contents {
    std::string text;
    FormatRecords records;
    FontTable fonts;
    bool operator==(const Contents&) const = default;
};

Contents ContentsOf(const Document& document)
{
    return { document.Text(), document.Records(), document.Fonts() };
}

// What the document file keeps: the text, the records of its tokens and the font table.
struct Saved {
    std::string text;
    std::vector<std::string> records;
    FontTable fonts;
    bool operator==(const Saved&) const = default;
};

Saved SavedOf(const Document& document)
{
    Saved saved { document.Text(), {}, document.Fonts() };
    for (int i = 1; i <= document.TokenCount(); ++i)
        saved.records.emplace_back(document.Records().Get(i).Text());
    return saved;
}

// An editor over its own program folder, whose word lists know "canción", with every port recorded.
struct Bench {
    Bench() { Start(); }

    // (Re)starts the program over the same folder, as a new run would.
    void Start()
    {
        WordRecordBytes record {};
        EXPECT_TRUE(EncodeWordRecord("canci\xF3n", record));
        folder.Write("diccionario.log", std::string(record.begin(), record.end()));
        editor = std::make_unique<Editor>(folder.Path());
        editor->Connect(ports.For(canvas, prompts));
        editor->Run(command::LoadWordLists);
    }

    void Type(std::string_view text)
    {
        for (char c : text)
            editor->Run({ command::TypeByte, static_cast<unsigned char>(c) });
    }
    Document& Doc() { return editor->GetDocument(); }
    bool Asked() const
    {
        return std::find(prompts.questions.begin(), prompts.questions.end(), kUnsavedChangesQuestion)
            != prompts.questions.end();
    }
    // The recovery copies in the folder, by name.
    std::set<std::string> Copies() const
    {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
            const std::string name = entry.path().filename().string();
            if (name.starts_with("recuperacion") && name.ends_with(".4tf")) names.insert(name);
        }
        return names;
    }
    bool RecoveryCopyThere() const { return !Copies().empty(); }
    // The bytes of this program's recovery copy.
    std::string Copy() const { return folder.Read(editor->Unsaved().RecoveryFile().filename().string()); }
    // Writes the recovery copy now, as after a pause in typing.
    void Pause()
    {
        const auto now = Clock::now();
        editor->Unsaved().KeepRecoveryCopy(now);
        editor->Unsaved().KeepRecoveryCopy(now + kRecoveryPause);
    }

    TempFolder folder;
    FakeCanvas canvas;
    RecordingPrompts prompts;
    StandInPorts ports; // the program ends when ports.view is closed
    std::unique_ptr<Editor> editor;
};

// The unsaved work of a document on its own, over a program folder, with the prompts recorded.
struct Work {
    Work()
    {
        work = std::make_unique<UnsavedWork>(folder.Path(), document, gate);
        work->SetPrompts(&prompts);
    }
    void Type(std::string_view text) { ASSERT_EQ(document.Append(text), EditStatus::Done); }
    bool CopyThere() const { return !work->RecoveryFile().empty() && std::filesystem::exists(work->RecoveryFile()); }
    // The bytes of this program's recovery copy.
    std::string Copy() const
    {
        std::ifstream in(work->RecoveryFile(), std::ios::binary);
        return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
    }

    TempFolder folder;
    Document document;
    CommandGate gate;
    RecordingPrompts prompts;
    std::unique_ptr<UnsavedWork> work;
};

// A re-edit that highlights token 1 with a green current format and replaces token 3 by "el", then
// accepts the changes.
void HighlightAndChange(Document& document)
{
    ReEditState state;
    ChoosePage(state, "#pagina 01");
    ChoosePiece(state, "000001 x");
    document.Current().textColor = 0x00FF00;
    HighlightPiece(document, state);
    ChoosePiece(state, "000003 x");
    ChangePiece(document, state, "el");
    AcceptChanges(document);
}

} // namespace

TEST(UnsavedWorkTest, TheDocumentKnowsWhenItHasUnsavedChanges)
{
    Bench b;
    b.prompts.answer = true; // replace the saved file
    b.folder.Write("notas.txt", "notas");
    struct Step {
        const char* what;
        std::function<void()> act;
        bool changed;
    };
    const Step steps[] = {
        { "started", [] {}, false },
        { "a style switch and a face",
            [&] {
                b.editor->Run(command::Bold);
                b.editor->Run({ command::ChooseFace, 0, "Georgia" });
            },
            false },
        { "typed", [&] { b.Type("cancion la casa"); }, true },
        { "saved",
            [&] {
                b.prompts.chosen = b.folder.Path() / "carta.4tf";
                b.editor->Run(command::SaveDocument);
            },
            false },
        { "re-edit left without a change", [&] { b.editor->Run(command::ReEdit); }, false },
        { "accent pass", [&] { b.editor->Run(command::Accents); }, true },
        { "accent pass with nothing left to do, after a save",
            [&] {
                b.editor->Run(command::SaveDocument);
                b.editor->Run(command::Accents);
            },
            false },
        { "taken back to before the save", [&] { b.editor->Run(command::Undo); }, true },
        { "superscript marker", [&] { b.editor->Run(command::Superscript); }, true },
        { "new document, after No", [&] { b.editor->Run(command::New); }, false },
        { "re-edit highlight only",
            [&] {
                b.Type("a b");
                b.editor->Run(command::SaveDocument);
                b.prompts.reEdit = [](Document& document) {
                    ReEditState state;
                    ChoosePage(state, "#pagina 01");
                    ChoosePiece(state, "000001 a");
                    HighlightPiece(document, state);
                };
                b.Doc().Current().textColor = 0x0000FF;
                b.editor->Run(command::ReEdit);
            },
            true },
        { "opened, after No", [&] { b.editor->Run(command::OpenDocument); }, false },
        { "backspace", [&] { b.Type("\b"); }, true },
        { "imported, after No",
            [&] {
                b.prompts.chosen = b.folder.Path() / "notas.txt";
                b.editor->Run(command::ImportText);
            },
            false },
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(b.editor->Unsaved().HasUnsavedChanges(), step.changed) << step.what;
    }
    EXPECT_EQ(b.Doc().Text(), "notas");
}

TEST(UnsavedWorkTest, OnlyTheCommandsThatGiveTheDocumentUpAskAndCancelarStopsThem)
{
    const std::set<int> asking { command::New, command::OpenDocument, command::ImportText, command::Quit };
    for (const CommandRules& rules : CommandTable()) {
        SCOPED_TRACE(rules.id);
        Bench b;
        b.Type("hola");
        b.prompts.threeWay = Answer::Cancel;
        b.editor->Run(rules.id);
        EXPECT_EQ(b.Asked(), asking.count(rules.id) == 1);
        if (asking.count(rules.id) == 0) continue;
        EXPECT_EQ(b.Doc().Text(), "hola");
        EXPECT_TRUE(b.prompts.requests.empty());
        EXPECT_EQ(b.ports.view.closed, 0);

        // Nothing to lose: no question.
        Bench saved;
        saved.editor->Run(rules.id);
        EXPECT_FALSE(saved.Asked());
    }
}

TEST(UnsavedWorkTest, SiSavesFirstNoGoesOnCancelarDoesNothing)
{
    enum class Name { None, Chosen, Own };
    struct Case {
        Answer answer;
        Name name; // no name and the save dialog cancelled, a name chosen in it, or the document's own file
        bool goesOn;
        bool saved;
    };
    const Case cases[] = {
        { Answer::Cancel, Name::Own, false, false },
        { Answer::No, Name::Own, true, false },
        { Answer::Yes, Name::None, false, false },
        { Answer::Yes, Name::Chosen, true, true },
        { Answer::Yes, Name::Own, true, true },
    };
    for (const int id : { command::New, command::OpenDocument, command::ImportText, command::Quit }) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::to_string(id) + " answer " + std::to_string(static_cast<int>(c.answer)) + " name "
                + std::to_string(static_cast<int>(c.name)));
            Bench b;
            const auto file = b.folder.Path() / "carta.4tf";
            if (c.name == Name::Own) {
                b.Type("hola");
                b.prompts.chosen = file;
                b.editor->Run(command::SaveDocument);
                ASSERT_FALSE(b.editor->Unsaved().HasUnsavedChanges());
            }
            b.Type(" mundo");
            b.prompts.chosen = c.name == Name::Chosen ? file : std::filesystem::path {};
            b.prompts.requests.clear();
            b.prompts.threeWay = c.answer;
            b.editor->Run(static_cast<command::Id>(id));

            EXPECT_TRUE(b.Asked());
            const bool saved = b.folder.Read("carta.4tf").starts_with(c.name == Name::Own ? "hola mundo" : " mundo");
            EXPECT_EQ(saved, c.saved);
            // The save asks for a name only when the document has none.
            const auto saveDialogs = std::count_if(b.prompts.requests.begin(), b.prompts.requests.end(),
                [](const Prompts::FileRequest& r) { return r.mode == Prompts::FileRequest::Mode::Save; });
            EXPECT_EQ(saveDialogs, c.name == Name::Own ? 0 : (c.answer == Answer::Yes ? 1 : 0));
            bool wentOn = false;
            if (id == command::New) wentOn = b.Doc().Text().empty();
            if (id == command::Quit) wentOn = b.ports.view.closed == 1;
            if (id == command::OpenDocument || id == command::ImportText)
                wentOn
                    = !b.prompts.requests.empty() && b.prompts.requests.back().mode == Prompts::FileRequest::Mode::Open;
            EXPECT_EQ(wentOn, c.goesOn);
        }
    }
}

TEST(UnsavedWorkTest, RecoveryCopyFollowsTheDocumentOnceTypingPauses)
{
    Work w;
    auto fileOf = [&] {
        std::string bytes;
        EXPECT_EQ(BuildDocumentFile(w.document, bytes), DocumentFileStatus::Done);
        return bytes;
    };
    w.Type("Querida ");
    w.document.Current().textColor = 0x0000FF;
    w.Type("abuela");
    const auto t0 = Clock::now();
    w.work->KeepRecoveryCopy(t0);
    w.work->KeepRecoveryCopy(t0 + kRecoveryPause - 1ms);
    EXPECT_FALSE(w.CopyThere());
    w.work->KeepRecoveryCopy(t0 + kRecoveryPause);
    EXPECT_EQ(w.Copy(), fileOf());
    const std::string first = fileOf();

    // Typing again: the copy waits until the typing pauses, and never follows inside a text pass.
    w.Type(":");
    const auto t1 = t0 + 10s;
    w.work->KeepRecoveryCopy(t1);
    w.work->KeepRecoveryCopy(t1 + kRecoveryPause / 2);
    w.Type(" hola");
    w.work->KeepRecoveryCopy(t1 + kRecoveryPause);
    EXPECT_EQ(w.Copy(), first);
    {
        CommandGate::TextPass pass(w.gate);
        w.work->KeepRecoveryCopy(t1 + 10s);
        w.work->KeepRecoveryCopy(t1 + 20s);
        EXPECT_EQ(w.Copy(), first);
    }
    w.work->KeepRecoveryCopy(t1 + 20s);
    w.work->KeepRecoveryCopy(t1 + 20s + kRecoveryPause);
    EXPECT_EQ(w.Copy(), fileOf());
    // It was written beside and renamed into place: nothing else is left behind.
    for (const auto& entry : std::filesystem::directory_iterator(w.folder.Path()))
        EXPECT_NE(entry.path().filename().string()[0], '.') << entry.path();

    // Saved: the copy goes, and no later check brings it back.
    w.work->MarkSaved(w.folder.Path() / "carta.4tf");
    EXPECT_FALSE(w.work->HasUnsavedChanges());
    EXPECT_FALSE(w.CopyThere());
    w.work->KeepRecoveryCopy(t1 + 60s);
    w.work->KeepRecoveryCopy(t1 + 70s);
    EXPECT_FALSE(w.CopyThere());
}

TEST(UnsavedWorkTest, TheQuestionBeforeGivingUpAndTheSaveToTheOwnFile)
{
    using Choice = UnsavedWork::BeforeGivingUp;
    struct Case {
        const char* what;
        bool changed;
        Answer answer;
        Choice choice;
    };
    const Case cases[] = {
        { "nothing to lose", false, Answer::Cancel, Choice::GoOn },
        { "Si", true, Answer::Yes, Choice::Save },
        { "No", true, Answer::No, Choice::GoOn },
        { "Cancelar", true, Answer::Cancel, Choice::Stop },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Work w;
        if (c.changed) w.Type("hola");
        w.prompts.threeWay = c.answer;
        EXPECT_EQ(w.work->AskBeforeGivingUp(), c.choice);
        EXPECT_EQ(w.prompts.questions.size(), c.changed ? 1u : 0u);
        EXPECT_EQ(w.work->HasUnsavedChanges(), c.changed); // asking changes nothing
    }

    // The own file: written as it is and the document saved; one that cannot be written is told
    // and the changes stay unsaved.
    Work w;
    w.Type("hola");
    w.work->DocumentReplaced(w.folder.Path() / "carta");
    w.Type(" mundo");
    ASSERT_TRUE(w.work->SaveToOwnFile());
    EXPECT_TRUE(w.folder.Read("carta").starts_with("hola mundo"));
    EXPECT_FALSE(w.work->HasUnsavedChanges());
    w.Type("!");
    w.work->MarkSaved(w.folder.Path() / "nada" / "carta.4tf");
    w.Type("?");
    EXPECT_FALSE(w.work->SaveToOwnFile());
    EXPECT_EQ(w.prompts.messages.size(), 1u);
    EXPECT_TRUE(w.work->HasUnsavedChanges());
}

TEST(UnsavedWorkTest, OnlyACopyTakenIsLaidOutAndOnlyACopyReadEndsTheQuestions)
{
    struct Case {
        const char* what;
        bool newestReadable;
        std::vector<Answer> answers; // newest copy first
        std::size_t questions;
        int layOuts;
        const char* text; // the document afterwards
    };
    const Case cases[] = {
        { "No, then closed", true, { Answer::No, Answer::Cancel }, 2, 0, "" },
        { "Si to the newest", true, { Answer::Yes, Answer::Yes }, 1, 1, "la nueva" },
        { "Si to one that cannot be read, then to the next", false, { Answer::Yes, Answer::Yes }, 2, 2, "la vieja" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Work w;
        // Two copies left by programs that are no longer running, the older one an hour older.
        auto fileOf = [](const char* text) {
            Document left;
            left.SetText(text);
            std::string bytes;
            EXPECT_EQ(BuildDocumentFile(left, bytes), DocumentFileStatus::Done);
            return bytes;
        };
        auto leave = [&](const char* name, const std::string& bytes, std::chrono::hours age) {
            w.folder.Write(name, bytes);
            std::filesystem::last_write_time(
                w.folder.Path() / name, std::filesystem::file_time_type::clock::now() - age);
        };
        leave("recuperacion-999998.4tf", fileOf("la vieja"), 1h);
        std::string tooManyTokens;
        for (int i = 0; !c.newestReadable && i < 150001; ++i)
            tooManyTokens += "a ";
        leave("recuperacion-999999.4tf", c.newestReadable ? fileOf("la nueva") : tooManyTokens, 0h);

        w.prompts.closeAnswers = c.answers;
        int layOuts = 0;
        EXPECT_EQ(w.work->OfferRecovery([&] { ++layOuts; }), std::string(c.text) != "");
        EXPECT_EQ(w.prompts.questions.size(), c.questions);
        EXPECT_EQ(layOuts, c.layOuts);
        EXPECT_EQ(w.document.Text(), c.text);
        EXPECT_EQ(w.work->HasUnsavedChanges(), std::string(c.text) != "");
        EXPECT_EQ(w.prompts.messages.size(), c.newestReadable ? 0u : 1u);
    }
}

TEST(UnsavedWorkTest, TheNextStartOffersTheRecoveryCopy)
{
    Bench b;
    b.Type("Querida ");
    b.Doc().Current().textColor = 0x0000FF;
    b.editor->Run({ command::ChooseFace, 0, "Georgia" });
    b.Type("abuela");
    const Saved typed = SavedOf(b.Doc());
    b.Pause();
    ASSERT_TRUE(b.RecoveryCopyThere());
    const std::string copy = b.Copy();
    const auto copies = b.Copies();

    // Ended without "Salir": the next start asks, and Sí gives the text and its records back, as an
    // unnamed document with unsaved changes in the configured format.
    b.Start();
    b.prompts.answer = true;
    EXPECT_TRUE(b.editor->OfferRecovery());
    EXPECT_EQ(b.prompts.questions.back(), kRecoveryQuestion);
    EXPECT_EQ(SavedOf(b.Doc()), typed);
    EXPECT_EQ(b.Doc().Current().size, 10);
    EXPECT_TRUE(b.editor->Unsaved().HasUnsavedChanges());
    // The copy is now this program's own, as it was on disk.
    EXPECT_EQ(b.Copies(), copies);
    EXPECT_EQ(b.Copy(), copy);
    b.prompts.threeWay = Answer::Cancel;
    b.editor->Run(command::Quit);
    EXPECT_TRUE(b.RecoveryCopyThere()); // Cancelar keeps everything
    b.prompts.threeWay = Answer::Yes; // unnamed: Sí asks for a name; cancelled, nothing ends
    b.editor->Run(command::Quit);
    EXPECT_EQ(b.prompts.requests.back().mode, Prompts::FileRequest::Mode::Save);
    EXPECT_EQ(b.ports.view.closed, 0);
    EXPECT_TRUE(b.RecoveryCopyThere());

    // Started again (the copy is still there): No deletes it.
    b.Start();
    b.prompts.answer = false;
    EXPECT_FALSE(b.editor->OfferRecovery());
    EXPECT_FALSE(b.RecoveryCopyThere());
    EXPECT_EQ(b.Doc().Text(), "");
    b.prompts.questions.clear();
    EXPECT_FALSE(b.editor->OfferRecovery());
    EXPECT_TRUE(b.prompts.questions.empty());

    // "Salir" with No gives the changes up, and their copy.
    b.Type("hola");
    b.Pause();
    ASSERT_TRUE(b.RecoveryCopyThere());
    b.prompts.threeWay = Answer::No;
    b.editor->Run(command::Quit);
    EXPECT_EQ(b.ports.view.closed, 1);
    for (const auto& entry : std::filesystem::directory_iterator(b.folder.Path()))
        EXPECT_FALSE(IsRecoveryFileName(entry.path().filename().string())) << entry.path();
}

TEST(UnsavedWorkTest, OnlyAnExplicitNoDeletesTheRecoveryCopy)
{
    struct Case {
        const char* what;
        Answer answer;
        bool recovered;
        bool kept; // the copy is still on disk, and offered at the next start
    };
    const Case cases[] = {
        { "closed (Escape, the close button)", Answer::Cancel, false, true },
        { "Si", Answer::Yes, true, true },
        { "No", Answer::No, false, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bench b;
        b.Type("Querida abuela");
        b.Pause();
        const auto copies = b.Copies();
        ASSERT_EQ(copies.size(), 1u);
        b.Start();
        b.prompts.closeAnswers = { c.answer };
        EXPECT_EQ(b.editor->OfferRecovery(), c.recovered);
        EXPECT_EQ(b.Doc().Text(), c.recovered ? "Querida abuela" : "");
        EXPECT_EQ(b.Copies(), c.kept ? copies : std::set<std::string> {});
        // Ended without "Salir" (a crash right after the answer): the next start asks again.
        b.Start();
        b.prompts.questions.clear();
        b.prompts.answer = true;
        EXPECT_EQ(b.editor->OfferRecovery(), c.kept);
        EXPECT_EQ(b.prompts.questions.size(), c.kept ? 1u : 0u);
        EXPECT_EQ(b.Doc().Text(), c.kept ? "Querida abuela" : "");
    }
}

TEST(UnsavedWorkTest, EachProgramOnAFolderKeepsItsOwnCopyAndNeverTouchesAnothers)
{
    // Two programs over one folder (in one process, with one process id: the second picks another name).
    Bench first;
    first.Type("el texto del primero");
    first.Pause();
    const auto firstCopies = first.Copies();
    const std::string firstCopy = first.Copy();
    ASSERT_EQ(firstCopies.size(), 1u);

    RecordingPrompts prompts;
    FakeCanvas canvas;
    auto second = std::make_unique<Editor>(first.folder.Path());
    StandInPorts secondPorts;
    second->Connect(secondPorts.For(canvas, prompts));
    prompts.answer = false;
    EXPECT_FALSE(second->OfferRecovery());
    EXPECT_TRUE(prompts.questions.empty()); // the first one is running: nothing to offer
    for (const char c : std::string("el del segundo"))
        second->Run({ command::TypeByte, static_cast<unsigned char>(c) });
    const auto now = Clock::now();
    second->Unsaved().KeepRecoveryCopy(now);
    second->Unsaved().KeepRecoveryCopy(now + kRecoveryPause);
    ASSERT_NE(second->Unsaved().RecoveryFile(), first.editor->Unsaved().RecoveryFile());
    EXPECT_EQ(first.Copies().size(), 2u);
    // The second one gives its text up and ends: its copy goes, the first one's stays as it was.
    prompts.threeWay = Answer::No;
    second->Run(command::Quit);
    second.reset();
    EXPECT_EQ(first.Copies(), firstCopies);
    EXPECT_EQ(first.Copy(), firstCopy);

    // The first one ends without "Salir": the next start offers its text.
    first.Start();
    first.prompts.answer = true;
    EXPECT_TRUE(first.editor->OfferRecovery());
    EXPECT_EQ(first.Doc().Text(), "el texto del primero");
}

TEST(UnsavedWorkTest, SeveralLeftCopiesAreOfferedNewestFirstOneQuestionEach)
{
    Bench b;
    // Three programs ended without saving, the oldest one an earlier version with its single copy;
    // a fourth still runs.
    const char* texts[] = { "la copia vieja", "la del medio", "la nueva" };
    const auto written = std::filesystem::file_time_type::clock::now();
    std::vector<std::filesystem::path> files;
    for (int i = 0; i < 3; ++i) {
        b.Start();
        b.Type(texts[i]);
        b.Pause();
        files.push_back(b.editor->Unsaved().RecoveryFile());
    }
    const auto legacy = b.folder.Path() / kRecoveryFileName;
    std::filesystem::rename(files[0], legacy);
    files[0] = legacy;
    for (int i = 0; i < 3; ++i)
        std::filesystem::last_write_time(files[static_cast<std::size_t>(i)], written - std::chrono::hours(3 - i));
    b.Start();
    b.Type("sigue en marcha");
    b.Pause();
    const auto running = b.editor->Unsaved().RecoveryFile();
    // A lock file left without a copy by a program that ended.
    b.folder.Write("recuperacion-999999.lock", "");

    auto editor = std::make_unique<Editor>(b.folder.Path());
    RecordingPrompts prompts;
    FakeCanvas canvas;
    StandInPorts editorPorts;
    editor->Connect(editorPorts.For(canvas, prompts));
    prompts.closeAnswers = { Answer::No, Answer::Cancel, Answer::Yes };
    EXPECT_TRUE(editor->OfferRecovery());
    ASSERT_EQ(prompts.questions.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(prompts.questions[i].rfind(std::string(kRecoveryQuestion), 0), 0u) << i;
        EXPECT_NE(prompts.questions[i].find("Copia " + std::to_string(i + 1) + " de 3, del "), std::string::npos)
            << prompts.questions[i];
    }
    // The newest was deleted, the middle one kept, the oldest recovered and made this program's copy.
    EXPECT_EQ(editor->GetDocument().Text(), "la copia vieja");
    EXPECT_FALSE(std::filesystem::exists(files[2]));
    EXPECT_TRUE(std::filesystem::exists(files[1]));
    EXPECT_EQ(editor->Unsaved().RecoveryFile(), legacy);
    EXPECT_TRUE(std::filesystem::exists(running));
    EXPECT_FALSE(std::filesystem::exists(b.folder.Path() / "recuperacion-999999.lock"));
    editor->Run({ command::TypeByte, '!' });
    const auto now = Clock::now();
    editor->Unsaved().KeepRecoveryCopy(now);
    editor->Unsaved().KeepRecoveryCopy(now + kRecoveryPause);
    Document copy;
    ASSERT_EQ(ReadDocument(copy, legacy), DocumentFileStatus::Done);
    EXPECT_EQ(copy.Text(), "la copia vieja!");

    // Meanwhile another program starting on the folder finds nothing it may take: the recovered copy
    // and the running program's are locked; only the middle one is offered.
    RecordingPrompts other;
    other.closed = true;
    Editor third(b.folder.Path());
    StandInPorts thirdPorts;
    third.Connect(thirdPorts.For(canvas, other));
    EXPECT_FALSE(third.OfferRecovery());
    ASSERT_EQ(other.questions.size(), 1u);
    EXPECT_EQ(other.questions[0], kRecoveryQuestion);
    EXPECT_TRUE(std::filesystem::exists(files[1]));
}

TEST(UnsavedWorkTest, ACopyThatCannotBeReadIsSetAsideAndNeverReplaced)
{
    Bench b;
    // Too many tokens to read back.
    std::string text;
    for (int i = 0; i < 150001; ++i)
        text += "a ";
    b.folder.Write("recuperacion-999999.4tf", text);
    b.Start();
    b.prompts.answer = true;
    EXPECT_FALSE(b.editor->OfferRecovery());
    const auto aside = b.folder.Path() / "recuperacion-999999-no-leida.4tf";
    ASSERT_EQ(b.prompts.messages.size(), 1u);
    const std::string& message = b.prompts.messages[0];
    EXPECT_EQ(message.rfind(std::string(kDocumentTooManyTokensHead), 0), 0u) << message;
    EXPECT_NE(message.find(std::string(kRecoverySetAsideHead) + aside.string()), std::string::npos) << message;
    EXPECT_EQ(b.folder.Read(aside.filename().string()), text);
    EXPECT_TRUE(b.Copies().count(aside.filename().string()));
    EXPECT_EQ(b.Doc().Text(), "");

    // Typing and pausing writes this program's copy beside it; no later start offers the set-aside one.
    b.Type("hola");
    b.Pause();
    EXPECT_EQ(b.folder.Read(aside.filename().string()), text);
    b.prompts.threeWay = Answer::No;
    b.editor->Run(command::Quit);
    b.Start();
    b.prompts.questions.clear();
    EXPECT_FALSE(b.editor->OfferRecovery());
    EXPECT_TRUE(b.prompts.questions.empty());
    EXPECT_EQ(b.folder.Read(aside.filename().string()), text);
}

TEST(UnsavedWorkTest, ACopyThatCannotBeWrittenIsToldOnceInANoticeThatLeavesTheKeysAlone)
{
    struct Case {
        const char* what;
        std::size_t writeLimit;
        int renameError;
        bool folderMissing;
        const char* problem;
    };
    const Case cases[] = {
        { "full disk", 10, 0, false, "No queda espacio en el disco." },
        { "read-only disk", static_cast<std::size_t>(-1), EROFS, false, "solo lectura" },
        { "no folder", static_cast<std::size_t>(-1), 0, true, "La carpeta no existe." },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        const auto programFolder = c.folderMissing ? folder.Path() / "nada" : folder.Path();
        Editor editor(programFolder);
        FakeCanvas canvas;
        RecordingPrompts prompts;
        FailingFiles files;
        files.writeLimit = c.writeLimit;
        files.renameError = c.renameError;
        StandInPorts editorPorts;
        editor.Connect(editorPorts.For(canvas, prompts, files));
        auto now = Clock::now();
        for (const char* text : { "hola", " mundo" }) {
            for (const char ch : std::string(text))
                editor.Run({ command::TypeByte, static_cast<unsigned char>(ch) });
            editor.Unsaved().KeepRecoveryCopy(now);
            editor.Unsaved().KeepRecoveryCopy(now + kRecoveryPause);
            now += 10s;
        }
        EXPECT_TRUE(prompts.messages.empty());
        ASSERT_EQ(prompts.notices.size(), 1u);
        EXPECT_EQ(prompts.notices[0].rfind(std::string(kRecoveryNotWrittenHead), 0), 0u) << prompts.notices[0];
        EXPECT_NE(prompts.notices[0].find(c.problem), std::string::npos) << prompts.notices[0];
        // Nothing half-written is left behind.
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(programFolder, error))
            EXPECT_FALSE(entry.path().extension() == ".4tf") << entry.path();
    }
}

TEST(UnsavedWorkTest, DeshacerTakesBackSeveralRewritesExactly)
{
    Bench b;
    b.Type("cancion ");
    b.Doc().Current().textColor = 0x0000FF;
    b.Type("la casa");
    std::vector<Contents> states { ContentsOf(b.Doc()) };
    b.prompts.replace = { "casa", "casa," };
    b.editor->Run(command::Replace);
    states.push_back(ContentsOf(b.Doc()));
    b.editor->Run(command::Accents);
    states.push_back(ContentsOf(b.Doc()));
    b.prompts.reEdit = [](Document& document) {
        HighlightAndChange(document);
        document.Fonts().Append("Georgia");
    };
    b.editor->Run(command::ReEdit);
    states.push_back(ContentsOf(b.Doc()));
    ASSERT_EQ(states.back().text, "canci\xF3n el casa,");
    ASSERT_NE(states.back().records, states[2].records);
    ASSERT_NE(states.back().fonts, states[2].fonts);
    // The three rewrites, and before them the typing a word at a time ("cancion ", "la ", "casa").
    ASSERT_EQ(b.editor->Unsaved().UndoCount(), 6u);

    for (int step = 3; step > 0; --step) {
        b.editor->Run(command::Undo);
        EXPECT_EQ(ContentsOf(b.Doc()), states[static_cast<std::size_t>(step) - 1]) << step;
        EXPECT_EQ(static_cast<std::size_t>(b.Doc().TokenCount()), Tokenize(b.Doc().Text()).size()) << step;
    }
    // "Rehacer" brings them back as they were, and "Deshacer" takes them back again.
    for (std::size_t step = 1; step <= 3; ++step) {
        b.editor->Run(command::Redo);
        EXPECT_EQ(ContentsOf(b.Doc()), states[step]) << step;
    }
    for (int step = 0; step < 3; ++step)
        b.editor->Run(command::Undo);
    EXPECT_EQ(ContentsOf(b.Doc()), states[0]);
}

TEST(UnsavedWorkTest, DeshacerTakesTypingAndRewritesBackInOrderAndReturnsToTheSavedState)
{
    Bench b;
    b.Type("la casa");
    b.prompts.chosen = b.folder.Path() / "carta.4tf";
    b.editor->Run(command::SaveDocument);
    b.prompts.replace = { "casa", "cosa" };
    b.editor->Run(command::Replace);
    EXPECT_TRUE(b.editor->Unsaved().HasUnsavedChanges());
    b.editor->Run(command::Undo);
    EXPECT_EQ(b.Doc().Text(), "la casa");
    EXPECT_FALSE(b.editor->Unsaved().HasUnsavedChanges()); // back where it was saved

    // Typing after a rewrite is taken back first, then the rewrite; a new change drops what
    // could be brought back.
    b.editor->Run(command::Replace);
    b.Type("s");
    EXPECT_EQ(b.editor->Unsaved().UndoCount(), 4u); // "la ", "casa", the rewrite, "s"
    b.editor->Run(command::Undo);
    EXPECT_EQ(b.Doc().Text(), "la cosa");
    b.editor->Run(command::Undo);
    EXPECT_EQ(b.Doc().Text(), "la casa");
    EXPECT_FALSE(b.editor->Unsaved().HasUnsavedChanges());
    EXPECT_EQ(b.editor->Unsaved().RedoCount(), 2u);
    b.Type("!");
    EXPECT_EQ(b.editor->Unsaved().RedoCount(), 0u);
    // A new document drops every step.
    b.prompts.threeWay = Answer::No;
    b.editor->Run(command::New);
    EXPECT_EQ(b.editor->Unsaved().UndoCount(), 0u);
}

TEST(UndoStepsTest, KeepsOnlyWhatChangedAndABoundedNumberOfSteps)
{
    // A rewrite of the text alone keeps no copy of the records, however many there are.
    Document document;
    document.SetText("uno dos");
    document.Records().Set(FormatRecords::kSlots, MakeFormatRecord({}));
    UndoSteps steps;
    UndoSteps::State before = UndoSteps::Capture(document);
    document.SetText("uno tres");
    EXPECT_TRUE(steps.Push(std::move(before), document));
    EXPECT_LT(steps.Bytes(), 1000u);
    // A command that changed nothing is no step.
    before = UndoSteps::Capture(document);
    EXPECT_FALSE(steps.Push(std::move(before), document));
    EXPECT_EQ(steps.Count(document), 1u);

    // At most kMaxSteps steps...
    for (std::size_t i = 0; i < UndoSteps::kMaxSteps + 3; ++i) {
        before = UndoSteps::Capture(document);
        document.SetText(std::string(i + 1, 'a'));
        steps.Push(std::move(before), document);
    }
    EXPECT_EQ(steps.Count(document), UndoSteps::kMaxSteps);
    // ...and no more than kMaxBytes together, the newest kept.
    const std::string large(UndoSteps::kMaxBytes / 3 + 1, 'x');
    for (char c : { 'b', 'c', 'd', 'e' }) {
        before = UndoSteps::Capture(document);
        document.SetText(large + c);
        steps.Push(std::move(before), document);
    }
    EXPECT_LE(steps.Bytes(), UndoSteps::kMaxBytes);
    EXPECT_EQ(steps.Count(document), 2u);
    using Kind = UndoSteps::Outcome::Kind;
    EXPECT_EQ(steps.Undo(document).kind, Kind::Rewrite);
    EXPECT_EQ(document.Text(), large + 'd');
    EXPECT_EQ(steps.Undo(document).kind, Kind::Rewrite);
    EXPECT_EQ(document.Text(), large + 'c');
    EXPECT_EQ(steps.Undo(document).kind, Kind::None);
}

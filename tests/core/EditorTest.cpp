#include "editor/Editor.h"

#include "FailingFiles.h"
#include "FakeCanvas.h"
#include "RecordingPrompts.h"
#include "StandInPorts.h"
#include "TempFolder.h"
#include "editor/EditorMessages.h"
#include "editor/Ruler.h"
#include "io/DocumentFile.h"
#include "io/Ports.h"
#include "language/WordRecord.h"
#include "layout/EmoticonNames.h"

#include <gtest/gtest.h>
#include <set>
#include <sys/stat.h>

using namespace quirel;

namespace {

class EditorTest : public ::testing::Test {
protected:
    EditorTest()
        : editor(folder.Path())
    {
        ports.pump.hook = [this] {
            if (duringPageBreak) duringPageBreak();
        };
        prompts.answer = true; // "yes" to overwriting a file
        editor.Connect(ports.For(canvas, prompts, files));
    }

    void Type(std::string_view text)
    {
        for (char c : text)
            editor.Run({ command::TypeByte, static_cast<unsigned char>(c) });
    }

    Document& Doc() { return editor.GetDocument(); }

    // "Grabar Documento"; true when the document was written (no change is left unsaved).
    bool Save()
    {
        editor.Run(command::SaveDocument);
        return !editor.Unsaved().HasUnsavedChanges();
    }

    // The disk filled up after limit more bytes (unlimited: the system's files).
    void FillDiskAfter(std::size_t limit)
    {
        files.written = 0;
        files.writeLimit = limit;
    }

    TempFolder folder;
    FakeCanvas canvas;
    RecordingPrompts prompts;
    FailingFiles files;
    StandInPorts ports;
    Editor editor;
    const std::string& caption = ports.view.caption;
    std::function<void()> duringPageBreak;
};

} // namespace

TEST_F(EditorTest, TypingStoresTheFormatCurrentAtEachTokensLastKeystroke)
{
    EXPECT_EQ(caption, "Pagina 1 de 1 TAB: 6 Margen: 40 quirel: 0");
    Type("a");
    Doc().Current().textColor = 0x0000FF;
    Type("b");
    Doc().Current().textColor = 0x00FF00;
    Type(" ");
    Doc().Current().textColor = 0xFF0000;
    Type("c");
    EXPECT_EQ(Doc().Text(), "ab c");
    ASSERT_EQ(Doc().TokenCount(), 3);
    EXPECT_EQ(RecordTextColor(Doc().Records().Get(1)), 0x0000FFu);
    EXPECT_EQ(RecordTextColor(Doc().Records().Get(2)), 0x00FF00u);
    EXPECT_EQ(RecordTextColor(Doc().Records().Get(3)), 0xFF0000u);
    EXPECT_EQ(caption, "Pagina 1 de 1 TAB: 6 Margen: 40 quirel: 3");
}

TEST_F(EditorTest, ControlCodesAndBackspace)
{
    Type("x\x0B\x02\x07");
    EXPECT_EQ(Doc().Text(), "x\x0B"); // Ctrl+K is kept, marker codes cannot be typed
    Doc().InsertEmoticon(4);
    Type("\b");
    EXPECT_EQ(Doc().Text(), "x\x0B\x06       "); // only the end marker goes
    Type(std::string(20, '\b'));
    EXPECT_EQ(Doc().Text(), "");
    EXPECT_EQ(caption, "Pagina 1 de 1 TAB: 6 Margen: 40 quirel: 0");
}

TEST_F(EditorTest, TabAppendsTabWidthBlanksAndTheRulerSetsMarginAndTab)
{
    editor.Run(command::TabButton);
    EXPECT_EQ(Doc().Text(), std::string(6, ' '));
    EXPECT_EQ(Doc().TokenCount(), 6);

    editor.Run({ command::MarginCell, ruler::CellAt(57) }); // cell 4
    EXPECT_EQ(editor.GetSettings().margin, 40);
    editor.Run({ command::MarginCell, 7 });
    EXPECT_EQ(editor.GetSettings().margin, 70);
    EXPECT_EQ(editor.View().cursorX, 70 + 6 * 10); // laid out again at the new margin
    editor.Run({ command::MarginCell, 23 });
    EXPECT_EQ(editor.GetSettings().margin, 70);

    editor.Run({ command::TabCell, 12 });
    EXPECT_EQ(editor.GetSettings().tabWidth, 12);
    editor.Run({ command::TabCell, 41 });
    EXPECT_EQ(editor.GetSettings().tabWidth, 12);
    EXPECT_EQ(prompts.messages, std::vector<std::string> { "La Tabulaci\xF3n ha sido cambiada a 12 pasos" });
    EXPECT_EQ(ruler::CellAt(26), 0);
    EXPECT_EQ(ruler::RowAt(12), ruler::Row::None);
}

TEST_F(EditorTest, PageKeysAndWheelStayWithinTheirLimits)
{
    Type(std::string(60, '\r') + "x"); // two pages at size 10 (15-pixel lines)
    ASSERT_EQ(Doc().Pages().pageCount, 2);
    EXPECT_EQ(Doc().Pages().shownPage, 2);
    editor.Run(command::PageDown);
    EXPECT_EQ(Doc().Pages().shownPage, 2);
    editor.Run(command::PageUp);
    EXPECT_EQ(Doc().Pages().shownPage, 1);
    EXPECT_TRUE(editor.BlinkHeld());
    editor.Run(command::PageUp);
    EXPECT_EQ(Doc().Pages().shownPage, 1);
    editor.Run(command::PageEnd);
    EXPECT_EQ(Doc().Pages().shownPage, 2);
    editor.Run(command::PageHome);
    EXPECT_EQ(caption, "Pagina 1 de 2 TAB: 6 Margen: 40 quirel: 61");
    Type("y"); // typing goes back to the last page
    EXPECT_EQ(Doc().Pages().shownPage, 2);
    EXPECT_FALSE(editor.BlinkHeld());

    editor.Run({ command::Wheel, +120 });
    EXPECT_EQ(editor.View().scrollOffset, 0);
    for (int i = 0; i < 39; ++i)
        editor.Run({ command::Wheel, -120 });
    EXPECT_EQ(editor.View().scrollOffset, -570);
    editor.Run({ command::Wheel, +120 });
    EXPECT_EQ(editor.View().scrollOffset, -555);
}

TEST_F(EditorTest, AnEditThatWouldNeedPage151IsTakenBackWithAMessage)
{
    Doc().Current().size = 90; // nine 95-pixel lines a page
    std::string text;
    for (int i = 0; i < 150 * 9; ++i)
        text += "a\r";
    Doc().SetText(text.substr(0, text.size() - 1));
    Doc().Records().Reset(Doc().CurrentRecord());
    editor.Run(command::Rebuild);
    ASSERT_EQ(Doc().Pages().pageCount, 150);
    Type("\r");
    Type("b");
    EXPECT_EQ(Doc().Text(), text); // the "b" would open page 151
    EXPECT_EQ(Doc().Pages().pageCount, 150);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0], kPageLimitMessage);
}

TEST_F(EditorTest, InputArrivingDuringAPageBreakWaitsForTheLayout)
{
    Type(std::string(59, '\r'));
    bool typedInside = false;
    duringPageBreak = [&] {
        if (typedInside) return;
        typedInside = true;
        editor.Run({ command::TypeByte, 'z' }); // as if a key release were handled by the page break's event pass
        EXPECT_EQ(Doc().Text().back(), 'x');
    };
    Type("x");
    EXPECT_TRUE(typedInside);
    EXPECT_EQ(Doc().Text().substr(59), "xz");
    EXPECT_EQ(Doc().Pages().pageCount, 2);
}

TEST_F(EditorTest, BlinkDrawsOnTheLastPageOnlyAndHoldsWhenAsked)
{
    editor.Run(command::BlinkTick);
    ASSERT_FALSE(canvas.ops.empty());
    EXPECT_EQ(canvas.ops.back().text, "|");
    EXPECT_EQ(canvas.ops.back().style, kStyleBold);
    editor.Run(command::BlinkTick);
    EXPECT_EQ(canvas.ops.back().text, " ");
    const auto drawn = canvas.ops.size();
    editor.Run(command::PageHome); // the page keys hold the cursor still
    editor.Run(command::BlinkTick);
    EXPECT_EQ(canvas.ops.size(), drawn);
}

TEST_F(EditorTest, OpensTheDocumentNamedOnTheCommandLine)
{
    Type("hola mundo");
    const auto file = folder.Path() / "con blancos.4tf";
    ASSERT_EQ(WriteDocument(Doc(), file), DocumentFileStatus::Done);
    Type("\b\b\b\b\b");
    EXPECT_FALSE(editor.OpenStartDocument("\"" + (folder.Path() / "missing.4tf").string() + "\""));
    EXPECT_EQ(Doc().Text(), "hola ");
    EXPECT_TRUE(editor.OpenStartDocument("\"" + file.string() + "\""));
    EXPECT_EQ(Doc().Text(), "hola mundo");
    EXPECT_EQ(Doc().Current().size, 11);
    EXPECT_EQ(caption, "Pagina 1 de 1 TAB: 6 Margen: 40 quirel: 3");
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_FALSE(editor.BlinkHeld());

    // Saving offers the name and folder of the document it started with.
    prompts.chosen.clear();
    editor.Run(command::SaveDocument);
    ASSERT_EQ(prompts.requests.size(), 1u);
    EXPECT_EQ(prompts.requests[0].fileName, "con blancos.4tf");
    EXPECT_EQ(prompts.requests[0].folder, folder.Path());
}

TEST_F(EditorTest, AStartDocumentNamedRelativelyKeepsItsFolder)
{
    const auto file = folder.Path() / "carta.4tf";
    ASSERT_EQ(WriteDocument(Doc(), file), DocumentFileStatus::Done);
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    const bool opened = editor.OpenStartDocument("carta.4tf");
    std::filesystem::current_path(before); // the dialog must not depend on the working folder
    ASSERT_TRUE(opened);
    editor.Run(command::SaveDocument); // cancelled
    EXPECT_EQ(prompts.requests.back().fileName, "carta.4tf");
    EXPECT_EQ(prompts.requests.back().folder, folder.Path());
}

// The file named on the command line is the file Save writes: the name the dialog offers, taken
// as it is, is that file byte for byte (after the overwrite question), whatever its bytes, its
// extension or its length; only a name typed in the dialog gets ".4tf".
TEST_F(EditorTest, SaveWritesTheVeryFileNamedOnTheCommandLine)
{
    std::string deep;
    for (int level = 0; level < 6; ++level)
        deep += "carpeta_de_nivel_" + std::to_string(level) + "_con_un_nombre_bastante_largo/";
    struct Case {
        const char* what;
        std::string name; // inside the test folder
    };
    const Case cases[] = {
        { "Latin-1 bytes", "canci\xF3n.4tf" },
        { "no extension", "sin_extension" },
        { "dot elsewhere", "Carta a la Sra. Lopez" },
        { "path over 254 bytes", deep + "carta.4tf" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder place;
        const auto file = place.Path() / c.name;
        std::filesystem::create_directories(file.parent_path());
        editor.Run(command::New);
        Type("hola");
        ASSERT_EQ(WriteDocument(Doc(), file), DocumentFileStatus::Done);
        editor.Run(command::New);
        prompts.messages.clear();
        prompts.questions.clear();
        ASSERT_TRUE(editor.OpenStartDocument(file.native()));
        EXPECT_EQ(Doc().Text(), "hola");
        Type(" y adi\xF3s");

        prompts.requests.clear();
        prompts.chosen = place.Path() / c.name; // Return: the name offered
        prompts.answer = true; // "Sí"
        ASSERT_TRUE(Save());
        ASSERT_EQ(prompts.requests.size(), 1u);
        EXPECT_EQ(prompts.requests[0].folder / prompts.requests[0].fileName, file);
        EXPECT_EQ(prompts.questions, std::vector<std::string> { std::string(kOverwriteQuestion) });
        Document read;
        ASSERT_EQ(ReadDocument(read, file), DocumentFileStatus::Done);
        EXPECT_EQ(read.Text(), "hola y adi\xF3s");
        EXPECT_EQ(place.FileCount(), 1u) << "a new file appeared beside it";
        EXPECT_TRUE(prompts.messages.empty());
    }

    // A name typed in the dialog gets the extension.
    prompts.chosen = folder.Path() / "sin_extension";
    ASSERT_TRUE(Save());
    EXPECT_TRUE(std::filesystem::exists(folder.Path() / "sin_extension.4tf"));
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "sin_extension"));
}

// A name the system cannot look up is not passed over in silence: the user is told why.
TEST_F(EditorTest, ACommandLineNameBeyondTheSystemsLimitIsReported)
{
    Type("hola");
    const std::string tooLongPart(300, 'n');
    std::string tooLongPath = folder.Path().native();
    while (tooLongPath.size() < 5000)
        tooLongPath += "/carpeta_" + std::string(100, 'c');
    for (const std::string& name : { (folder.Path() / tooLongPart).native(), tooLongPath + "/carta.4tf" }) {
        prompts.messages.clear();
        EXPECT_FALSE(editor.OpenStartDocument(name));
        EXPECT_EQ(Doc().Text(), "hola");
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].rfind("No se ha podido leer el documento\r\n", 0), 0u);
        EXPECT_NE(prompts.messages[0].find("El nombre del fichero es demasiado largo."), std::string::npos);
    }
}

TEST_F(EditorTest, CompletesFromTheWordMemoryAndRemembersKnownWords)
{
    editor.Services().completeWord = nullptr; // keep the real memory out of the way of the first part
    Type("casa ");
    editor.Services().completeWord = [](std::string_view w) { return w == "ca" ? std::string("sa") : std::string(); };
    Type("ca");
    editor.Run(command::Completion);
    EXPECT_EQ(Doc().Text(), "casa casa");
}

TEST_F(EditorTest, TheWordMemoryIsGivenFinishedWordsOnly)
{
    std::vector<std::string> given;
    editor.Services().rememberWord = [&given](std::string_view word) { given.emplace_back(word); };
    Type("el carro");
    EXPECT_EQ(given, std::vector<std::string> { "el" }); // never c, ca, car, carr while it is typed
    prompts.chosen = folder.Path() / "coche.4tf";
    EXPECT_TRUE(Save());
    EXPECT_EQ(given, (std::vector<std::string> { "el", "carro" }));
}

TEST_F(EditorTest, TypingKeepsTheCursorLineInSight)
{
    // Lines of 15 pixels from row 40: after 53 line ends the cursor's line is rows 835 to 850,
    // below the 800 rows on screen; the page scrolls in steps of 15 until it shows.
    auto inSight = [this] {
        const auto& view = editor.View();
        return view.cursorY >= -view.scrollOffset
            && view.cursorY + view.cursorLineHeight <= kPageBodyHeight - view.scrollOffset;
    };
    Type(std::string(49, '\r'));
    EXPECT_EQ(editor.View().scrollOffset, 0);
    Type(std::string(4, '\r'));
    EXPECT_EQ(editor.View().scrollOffset, -60);
    EXPECT_TRUE(inSight());
    editor.Run({ command::Wheel, 120 }); // the wheel still moves the page, until the next keystroke
    EXPECT_EQ(editor.View().scrollOffset, -45);
    Type("x");
    EXPECT_EQ(editor.View().scrollOffset, -60);
    // A new page starts at its top; taken back, the end of the page before is in sight again.
    Type("\rx");
    ASSERT_EQ(Doc().Pages().pageCount, 2);
    EXPECT_EQ(editor.View().scrollOffset, 0);
    Type("\b");
    ASSERT_EQ(Doc().Pages().pageCount, 1);
    EXPECT_TRUE(inSight());
    EXPECT_EQ(editor.View().scrollOffset, -75);
}

TEST_F(EditorTest, StyleSwitchesShapeTheRecordsOfNewText)
{
    editor.Format().ToggleStyle(kStyleBold);
    Type("a ");
    editor.Format().ToggleStyle(kStyleUnderline);
    editor.Format().ToggleStyle(kStyleBold);
    Type("b");
    EXPECT_EQ(RecordStyle(Doc().Records().Get(1)), kStyleBold);
    EXPECT_EQ(RecordStyle(Doc().Records().Get(3)), kStyleUnderline);
    EXPECT_TRUE(editor.Format().GetSwitches().underline);
    EXPECT_FALSE(editor.Format().GetSwitches().bold);
}

TEST_F(EditorTest, SuperscriptAndSubscriptShareTheSavedSize)
{
    std::vector<int> sizes { Doc().Current().size };
    for (const command::Id id :
        { command::Superscript, command::Subscript, command::Subscript, command::Superscript }) {
        editor.Run(id);
        sizes.push_back(Doc().Current().size);
    }
    EXPECT_EQ(sizes, (std::vector<int> { 10, 6, 6, 6, 6 }));
    EXPECT_EQ(Doc().Text(), "\x04\x02\x03\x05");
    editor.Run(command::Quit);
    EXPECT_NE(folder.Read("config.ini").find("Tama\xF1o=6\r\n"), std::string::npos);
}

TEST_F(EditorTest, ColourCommandsTakeTheSelectedColourAndSaveTheSettings)
{
    editor.Run(command::BackgroundColour); // nothing chosen yet: black
    EXPECT_EQ(Doc().Current().background, 0u);
    editor.Format().SelectColour(0x0000FF);
    editor.Run(command::TextColour);
    editor.Run(command::ShadowColour);
    Type("x");
    EXPECT_EQ(RecordTextColor(Doc().Records().Get(1)), 0x0000FFu);
    EXPECT_NE(folder.Read("config.ini").find("Fondo=0\r\nTexto=255\r\n"), std::string::npos);
    EXPECT_NE(folder.Read("config.ini").find("Sombra=255\r\n"), std::string::npos);
    editor.Run(command::DocumentColours);
    EXPECT_NE(folder.Read("config.ini").find("Fondo=16777215\r\nTexto=0\r\n"), std::string::npos);
}

TEST_F(EditorTest, NewDocumentEmptiesThePageButTheCaptionKeepsTheOldCountUntilTheNextEdit)
{
    Type("hola mundo");
    editor.Run(command::New);
    EXPECT_EQ(Doc().Text(), "");
    EXPECT_EQ(caption, "Pagina 1 de 1 TAB: 6 Margen: 40 quirel: 3");
    EXPECT_EQ(editor.View().cursorX, 40);
    Type("a");
    EXPECT_EQ(caption, "Pagina 1 de 1 TAB: 6 Margen: 40 quirel: 1");
}

TEST_F(EditorTest, SaveAsksBeforeReplacingAndOpenReadsItBack)
{
    Type("hola");
    prompts.chosen = folder.Path() / "carta"; // typed without an extension
    EXPECT_TRUE(Save());
    EXPECT_EQ(editor.DocumentFileName(), folder.Path() / "carta.4tf");
    EXPECT_TRUE(prompts.questions.empty());
    EXPECT_EQ(prompts.requests.back().pattern, "*.4tf");
    prompts.chosen = folder.Path() / "Carta a la Sra. Lopez"; // a dot is not an extension
    EXPECT_TRUE(Save());
    EXPECT_EQ(editor.DocumentFileName(), folder.Path() / "Carta a la Sra. Lopez.4tf");
    EXPECT_EQ(folder.Read("Carta a la Sra. Lopez.4tf").substr(0, 4), "hola");
    EXPECT_TRUE(prompts.questions.empty());

    Type(" mundo");
    prompts.chosen = folder.Path() / "carta.4tf";
    prompts.answer = false;
    EXPECT_FALSE(Save());
    ASSERT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(prompts.questions[0], "Documento existe !!\r\nQuiere sobreescribir?");
    EXPECT_EQ(folder.Read("carta.4tf").substr(0, 4), "hola");
    EXPECT_EQ(folder.Read("carta.4tf")[4], 'f'); // the signature follows: untouched

    editor.Run(command::New);
    editor.Run(command::OpenDocument);
    EXPECT_EQ(Doc().Text(), "hola");
    EXPECT_EQ(prompts.requests.back().folder, folder.Path()); // the folder chosen last

    prompts.chosen.clear(); // cancelled: nothing changes, the name is forgotten
    editor.Run(command::OpenDocument);
    EXPECT_EQ(Doc().Text(), "hola");
    EXPECT_TRUE(editor.DocumentFileName().empty());
}

TEST_F(EditorTest, ImportGivesTheTextTheCurrentFormatAndNoDocumentName)
{
    Type("x");
    prompts.chosen = folder.Path() / "carta.4tf";
    ASSERT_TRUE(Save());
    folder.Write("notas.txt", "ab\r\ncd\r\n");
    Doc().Current().textColor = 0x00FF00;
    prompts.chosen = folder.Path() / "notas.txt";
    editor.Run(command::ImportText);
    EXPECT_EQ(Doc().Text(), "ab\rcd\r");
    EXPECT_EQ(RecordTextColor(Doc().Records().Get(1)), 0x00FF00u);
    EXPECT_FALSE(editor.View().importInProgress);
    EXPECT_TRUE(prompts.messages.empty());
    // The imported text is not carta.4tf: the save dialog proposes no name.
    prompts.chosen.clear();
    editor.Run(command::SaveDocument);
    EXPECT_EQ(prompts.requests.back().fileName, "");
    EXPECT_EQ(prompts.requests.back().folder, folder.Path());

    prompts.chosen = folder.Path() / "missing.txt";
    editor.Run(command::ImportText);
    EXPECT_EQ(Doc().Text(), "ab\rcd\r");

    // UTF-8 is converted; what Windows-1252 cannot hold becomes "?" and the user is told how much.
    folder.Write("utf8.txt", "Canci\xC3\xB3n \xE2\x86\x92 \xE2\x86\x90\n");
    prompts.chosen = folder.Path() / "utf8.txt";
    editor.Run(command::ImportText);
    EXPECT_EQ(Doc().Text(), "Canci\xF3n ? ?\r");
    EXPECT_EQ(prompts.messages,
        (std::vector<std::string> { "2 caracteres no se pueden escribir en este documento y se han cambiado por ?" }));
}

TEST_F(EditorTest, EmoticonCommandUsesTheChosenOrARandomPicture)
{
    editor.Run({ command::ChooseEmoticon, 12 });
    editor.Run(command::InsertEmoticon);
    EXPECT_EQ(RecordEmoticon(Doc().Records().Get(9)), 12);
    editor.Run({ command::ChooseEmoticon, 0 });
    editor.Run(command::InsertEmoticon);
    const int random = editor.Format().EmoticonChoice();
    EXPECT_GE(random, 1);
    EXPECT_LE(random, kEmoticonCount);
    EXPECT_EQ(RecordEmoticon(Doc().Records().Get(18)), random);

    // The menu command takes the list's choice, or draws one and makes it the list's choice; the
    // same seed draws the same pictures.
    std::vector<int> drawn;
    for (int run = 0; run < 2; ++run) {
        Editor seeded(folder.Path());
        StandInPorts seededPorts;
        seeded.Connect(seededPorts.For(canvas));
        seeded.Format().SeedEmoticonRandom(7);
        for (int i = 0; i < 3; ++i) {
            seeded.Format().ChooseEmoticon(0);
            seeded.Run(command::InsertEmoticon);
            drawn.push_back(seeded.Format().EmoticonChoice());
            EXPECT_EQ(
                RecordEmoticon(seeded.GetDocument().Records().Get(seeded.GetDocument().TokenCount())), drawn.back());
        }
    }
    EXPECT_EQ(std::vector<int>(drawn.begin(), drawn.begin() + 3), std::vector<int>(drawn.begin() + 3, drawn.end()));
    EXPECT_NE(std::set<int>(drawn.begin(), drawn.end()).size(), 1u);
}

// A long imported text ends beyond page 150: the end of the text cannot be seen there, so
// Backspace removes nothing, each refused key says so once, and the cursor stands after the
// last text of page 150, not over its first letter.
TEST_F(EditorTest, BeyondTheLastPageNothingIsRemovedUnseen)
{
    Doc().Current().size = 90; // nine 95-pixel lines a page
    std::string text;
    for (int i = 0; i < 150 * 9 + 20; ++i)
        text += "a\r";
    text += "fin";
    Doc().SetText(text);
    Doc().Records().Reset(Doc().CurrentRecord());
    editor.Run(command::Rebuild);
    ASSERT_EQ(Doc().Pages().pageCount, 150);
    EXPECT_EQ(prompts.messages, std::vector<std::string> { std::string(kPageLimitMessage) });
    const int margin = editor.GetSettings().margin;
    EXPECT_GT(editor.View().cursorY, margin); // after the last line of page 150
    EXPECT_LT(editor.View().cursorY, margin + 800);
    for (const char key : { '\b', 'b', '\b' }) {
        prompts.messages.clear();
        Type(std::string(1, key));
        EXPECT_EQ(Doc().Text(), text) << key;
        EXPECT_EQ(prompts.messages, std::vector<std::string> { std::string(kPageLimitMessage) }) << key;
    }
    editor.Run(command::BlinkTick);
    ASSERT_FALSE(canvas.ops.empty());
    EXPECT_EQ(canvas.ops.back().text, "|");
    EXPECT_NE(canvas.ops.back().y, margin);
}

TEST_F(EditorTest, SettingsThatCannotBeWrittenAreToldOncePerRunAndTheFileIsKept)
{
    const std::string old = "[Colores]\r\nFondo=0\r\n[Mio]\r\nmano=1\r\n[Formato]\r\nCursor=124\r\n";
    folder.Write("config.ini", old);
    FillDiskAfter(40);
    editor.Run({ command::ChooseSize, 12 });
    editor.Run(command::DocumentColours);
    editor.Run(command::Quit);
    // Told while the user works: a notice, which takes no keys.
    EXPECT_TRUE(prompts.messages.empty());
    ASSERT_EQ(prompts.notices.size(), 1u);
    EXPECT_EQ(prompts.notices[0].rfind("No se han podido grabar los ajustes en\r\n", 0), 0u);
    EXPECT_NE(prompts.notices[0].find("No queda espacio en el disco."), std::string::npos);
    EXPECT_EQ(folder.Read("config.ini"), old);
    EXPECT_FALSE(editor.SaveSettings());
    FillDiskAfter(static_cast<std::size_t>(-1));
    EXPECT_TRUE(editor.SaveSettings());
    EXPECT_NE(folder.Read("config.ini").find("Tama\xF1o=12"), std::string::npos);

    // Not told before the program ends: a notice would not be seen, so a message box says it.
    Editor quitting(folder.Path());
    RecordingPrompts quitPrompts;
    StandInPorts quittingPorts;
    FailingFiles fullDisk;
    fullDisk.writeLimit = 40;
    quitting.Connect(quittingPorts.For(canvas, quitPrompts, fullDisk));
    quitting.Run(command::Quit);
    EXPECT_TRUE(quitPrompts.notices.empty());
    ASSERT_EQ(quitPrompts.messages.size(), 1u);
    EXPECT_EQ(quitPrompts.messages[0].rfind("No se han podido grabar los ajustes en\r\n", 0), 0u);
}

TEST(EditorStartTest, ASettingsFileThatCannotBeReadGivesTheDefaultsAndOneMessage)
{
    TempFolder folder;
    std::filesystem::create_directory(folder.Path() / "config.ini");
    Editor editor(folder.Path());
    FakeCanvas canvas;
    RecordingPrompts prompts;
    StandInPorts editorPorts;
    editor.Connect(editorPorts.For(canvas, prompts));
    EXPECT_EQ(editor.GetSettings().fontSize, 10);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].find("Es una carpeta, no un fichero."), std::string::npos);
    editor.Run({ command::ChooseSize, 14 }); // the save fails: told once, in a notice, and the folder stays
    editor.Run({ command::ChooseSize, 16 });
    EXPECT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.notices.size(), 1u);
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path() / "config.ini"));
}

TEST_F(EditorTest, AWordMemoryThatCannotBeWrittenIsToldOnce)
{
    WordRecordBytes record {};
    ASSERT_TRUE(EncodeWordRecord("casa", record));
    folder.Write("diccionario.log", std::string(record.begin(), record.end()));
    editor.Run(command::LoadWordLists);
    FillDiskAfter(0);
    Type("casa casa ");
    Type("casa");
    EXPECT_TRUE(prompts.messages.empty());
    ASSERT_EQ(prompts.notices.size(), 1u);
    EXPECT_EQ(prompts.notices[0].rfind("No se ha podido grabar en la memoria de palabras\r\n", 0), 0u);
    EXPECT_NE(prompts.notices[0].find("No queda espacio en el disco."), std::string::npos);
}

TEST_F(EditorTest, AFileThatCannotBeOpenedLeavesTheDocumentAndItsName)
{
    Type("hola");
    prompts.chosen = folder.Path() / "carta.4tf";
    ASSERT_TRUE(Save());
    Type(" mundo");
    std::filesystem::create_directory(folder.Path() / "x.4tf");
    ASSERT_EQ(::mkfifo((folder.Path() / "tubo.4tf").c_str(), 0600), 0);
    for (const char* name : { "x.4tf", "tubo.4tf" }) {
        prompts.messages.clear();
        prompts.chosen = folder.Path() / name;
        editor.Run(command::OpenDocument);
        EXPECT_EQ(Doc().Text(), "hola mundo");
        EXPECT_EQ(editor.DocumentFileName(), folder.Path() / "carta.4tf");
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].rfind(std::string("No se ha podido leer el documento\r\n"), 0), 0u);
        EXPECT_NE(prompts.messages[0].find("El documento actual no se ha modificado."), std::string::npos);
    }
    // Named on the command line: an existing file that cannot be read says the same.
    prompts.messages.clear();
    EXPECT_FALSE(editor.OpenStartDocument((folder.Path() / "tubo.4tf").string()));
    EXPECT_EQ(Doc().Text(), "hola mundo");
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].find("No es un fichero normal"), std::string::npos);
}

TEST_F(EditorTest, ADocumentNamedOnTheCommandLineInLatin1IsOpened)
{
    Type("canci\xF3n");
    const std::string name = (folder.Path() / "canci\xF3n.4tf").string(); // not UTF-8
    ASSERT_EQ(WriteDocument(Doc(), name), DocumentFileStatus::Done);
    editor.Run(command::New);
    EXPECT_TRUE(editor.OpenStartDocument(name));
    EXPECT_EQ(Doc().Text(), "canci\xF3n");
}

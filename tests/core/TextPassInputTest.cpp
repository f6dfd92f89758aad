// Input that the accent pass and the repeated-word count let through while they read the text, and
// commands that arrive from inside a running layout.
#include "FakeCanvas.h"
#include "StandInPorts.h"
#include "TempFolder.h"
#include "editor/Editor.h"
#include "io/Ports.h"
#include "language/WordRecord.h"

#include <gtest/gtest.h>

using namespace quirel;

namespace {

class TextPassInputTest : public ::testing::Test {
protected:
    TextPassInputTest()
        : editor(folder.Path())
    {
        WordRecordBytes record {};
        EXPECT_TRUE(EncodeWordRecord("canci\xF3n", record));
        folder.Write("diccionario.log", std::string(record.begin(), record.end()));
        ports.pump.hook = [this] {
            if (atNextPass) std::exchange(atNextPass, nullptr)();
        };
        editor.Connect(ports.For(canvas));
        editor.Run(command::LoadWordLists);
    }

    void Type(std::string_view text)
    {
        for (char c : text)
            editor.Run({ command::TypeByte, static_cast<unsigned char>(c) });
    }

    // Runs command, with meanwhile run at its first event pass; the message it ends with.
    std::string RunWithPass(command::Id command, std::function<void()> meanwhile)
    {
        atNextPass = std::move(meanwhile);
        prompts.messages.clear();
        editor.Run(command);
        return prompts.messages.empty() ? "" : prompts.messages.back();
    }

    TempFolder folder;
    Editor editor;
    FakeCanvas canvas;
    StandInPorts ports;
    RecordingPrompts& prompts = ports.prompts;
    std::function<void()> atNextPass; // run at the next event pass only, as a key handled there would
    // Long enough that the text has to grow its storage while a pass still reads it.
    const std::string typedMeanwhile = " " + std::string(400, 'z');
};

} // namespace

TEST_F(TextPassInputTest, KeysTypedDuringTheAccentPassFollowTheAccentedText)
{
    Type("Cancion y cancion");
    const std::string message = RunWithPass(command::Accents, [this] { Type(typedMeanwhile); });
    EXPECT_EQ(editor.GetDocument().Text(), "Canci\xF3n y canci\xF3n" + typedMeanwhile);
    EXPECT_EQ(message.substr(0, 14), "Encontradas 2 ");
}

TEST_F(TextPassInputTest, KeysTypedDuringTheRepeatedWordCountWaitForIt)
{
    std::string words;
    for (int i = 0; i < 10; ++i)
        words += "gato ";
    Type(words);
    const std::string message = RunWithPass(command::RepeatedWords, [this] { Type(typedMeanwhile); });
    EXPECT_EQ(message.substr(0, 28), "Este trozo de texto tiene 1 ");
    EXPECT_EQ(editor.GetDocument().Text(), words + typedMeanwhile);
}

TEST_F(TextPassInputTest, ACommandFromInsideALayoutRunsWhenTheLayoutIsDone)
{
    Type(std::string(59, '\r'));
    std::string textMeanwhile;
    atNextPass = [&] {
        editor.Run(command::New);
        editor.Run({ command::TypeByte, 'y' });
        textMeanwhile = editor.GetDocument().Text();
    };
    Type("x"); // opens page 2: the page break lets the commands through
    EXPECT_EQ(textMeanwhile, std::string(59, '\r') + "x"); // nothing ran inside the layout
    EXPECT_EQ(editor.GetDocument().Text(), "y"); // then both, in order
    EXPECT_EQ(editor.GetDocument().Pages().pageCount, 1);
}

TEST_F(TextPassInputTest, TheWordListsNeverChangeUnderAPassAndWaitingCommandsSeeThemWhole)
{
    std::string records;
    for (const char* word : { "canci\xF3n", "perro" }) {
        WordRecordBytes record {};
        ASSERT_TRUE(EncodeWordRecord(word, record));
        records.append(record.begin(), record.end());
    }
    folder.Write("diccionario.log", records);
    const auto knowsPerro = [this] { return editor.Lists().Words().List(WordListId::Diccionario).Contains("perro"); };

    // A load asked for while the accent pass reads the lists starts when the pass is over.
    Type("Cancion");
    bool knewDuringPass = true;
    RunWithPass(command::Accents, [&] {
        editor.Run(command::LoadWordLists);
        knewDuringPass = knowsPerro();
    });
    EXPECT_FALSE(knewDuringPass);
    EXPECT_TRUE(knowsPerro());

    // A command that reads the lists waits for a load on its way, and a load announces itself as
    // it arrives, even when it has to wait for a pass.
    editor.Run(command::New);
    Type("cancion");
    editor.Lists().Expect();
    editor.Run(command::Accents);
    EXPECT_EQ(editor.GetDocument().Text(), "cancion");
    editor.Run(command::LoadWordLists);
    EXPECT_EQ(editor.GetDocument().Text(), "canci\xF3n");
    {
        CommandGate::TextPass pass(editor.Gate());
        editor.Run(command::LoadWordLists);
        EXPECT_FALSE(editor.Lists().Ready());
    }
    EXPECT_TRUE(editor.Lists().Ready());
}

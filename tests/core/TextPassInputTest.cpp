// Input that the accent pass and the repeated-word count let through while they read the text, and
// commands that arrive from inside a running layout.
#include "FakeCanvas.h"
#include "RecordingPrompts.h"
#include "TempFolder.h"
#include "editor/Editor.h"
#include "io/Ports.h"
#include "language/WordRecord.h"

#include <gtest/gtest.h>

using namespace quirel;

namespace {

// Runs an action at the first event pass only, as a key handled there would.
class OneShotPump : public EventPump {
public:
    explicit OneShotPump(std::function<void()> action)
        : m_action(std::move(action))
    {
    }
    void ProcessPendingEvents() override
    {
        if (m_action) std::exchange(m_action, nullptr)();
    }

private:
    std::function<void()> m_action;
};

class TextPassInputTest : public ::testing::Test {
protected:
    TextPassInputTest()
        : editor(folder.Path())
    {
        WordRecordBytes record {};
        EXPECT_TRUE(EncodeWordRecord("canci\xF3n", record));
        folder.Write("diccionario.log", std::string(record.begin(), record.end()));
        EditorHooks hooks;
        hooks.processPendingEvents = [this] {
            if (duringPageBreak) std::exchange(duringPageBreak, nullptr)();
        };
        editor.Attach(canvas, hooks, &prompts);
        editor.Run(command::LoadWordLists);
    }

    void Type(std::string_view text)
    {
        for (char c : text)
            editor.Run({ command::TypeByte, static_cast<unsigned char>(c) });
    }

    // Runs command with pump letting events through; the message it ends with.
    std::string RunWithPump(command::Id command, EventPump& pump)
    {
        editor.ConnectCommands({ nullptr, nullptr, &pump });
        prompts.messages.clear();
        editor.Run(command);
        return prompts.messages.empty() ? "" : prompts.messages.back();
    }

    TempFolder folder;
    Editor editor;
    FakeCanvas canvas;
    RecordingPrompts prompts;
    std::function<void()> duringPageBreak;
    // Long enough that the text has to grow its storage while a pass still reads it.
    const std::string typedMeanwhile = " " + std::string(400, 'z');
};

} // namespace

TEST_F(TextPassInputTest, KeysTypedDuringTheAccentPassFollowTheAccentedText)
{
    Type("Cancion y cancion");
    OneShotPump pump([this] { Type(typedMeanwhile); });
    const std::string message = RunWithPump(command::Accents, pump);
    EXPECT_EQ(editor.GetDocument().Text(), "Canci\xF3n y canci\xF3n" + typedMeanwhile);
    EXPECT_EQ(message.substr(0, 14), "Encontradas 2 ");
}

TEST_F(TextPassInputTest, KeysTypedDuringTheRepeatedWordCountWaitForIt)
{
    std::string words;
    for (int i = 0; i < 10; ++i)
        words += "gato ";
    Type(words);
    OneShotPump pump([this] { Type(typedMeanwhile); });
    const std::string message = RunWithPump(command::RepeatedWords, pump);
    EXPECT_EQ(message.substr(0, 28), "Este trozo de texto tiene 1 ");
    EXPECT_EQ(editor.GetDocument().Text(), words + typedMeanwhile);
}

TEST_F(TextPassInputTest, ACommandFromInsideALayoutRunsWhenTheLayoutIsDone)
{
    Type(std::string(59, '\r'));
    std::string textMeanwhile;
    duringPageBreak = [&] {
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
    OneShotPump pump([&] {
        editor.Run(command::LoadWordLists);
        knewDuringPass = knowsPerro();
    });
    RunWithPump(command::Accents, pump);
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

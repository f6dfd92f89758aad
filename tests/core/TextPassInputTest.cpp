// Input that the accent pass and the repeated-word count let through while they read the text, and
// commands that arrive from inside a running layout.
#include "FakeCanvas.h"
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
        editor.Attach(canvas, hooks, nullptr);
        editor.LoadWordLists(nullptr);
    }

    void Type(std::string_view text)
    {
        for (char c : text)
            editor.TypeByte(static_cast<unsigned char>(c));
    }

    TempFolder folder;
    Editor editor;
    FakeCanvas canvas;
    std::function<void()> duringPageBreak;
    // Long enough that the text has to grow its storage while a pass still reads it.
    const std::string typedMeanwhile = " " + std::string(400, 'z');
};

} // namespace

TEST_F(TextPassInputTest, KeysTypedDuringTheAccentPassFollowTheAccentedText)
{
    Type("Cancion y cancion");
    OneShotPump pump([this] { Type(typedMeanwhile); });
    const std::string message = editor.AccentCommand(&pump);
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
    const std::string message = editor.RepeatedWordsCommand(&pump);
    EXPECT_EQ(message.substr(0, 28), "Este trozo de texto tiene 1 ");
    EXPECT_EQ(editor.GetDocument().Text(), words + typedMeanwhile);
}

TEST_F(TextPassInputTest, ACommandFromInsideALayoutRunsWhenTheLayoutIsDone)
{
    Type(std::string(59, '\r'));
    int pagesWhenRun = 0;
    duringPageBreak = [&] { editor.Gate().Admit([&] { pagesWhenRun = editor.GetDocument().Pages().pageCount; }); };
    Type("x"); // opens page 2: the page break lets the command through
    EXPECT_EQ(pagesWhenRun, 2);
    editor.Gate().Admit([&] { pagesWhenRun = -1; });
    EXPECT_EQ(pagesWhenRun, -1); // outside a layout it runs at once
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
        editor.LoadWordLists(nullptr);
        knewDuringPass = knowsPerro();
    });
    editor.AccentCommand(&pump);
    EXPECT_FALSE(knewDuringPass);
    EXPECT_TRUE(knowsPerro());

    // A command that reads the lists waits for a load on its way.
    editor.Lists().Expect();
    bool ran = false;
    editor.Lists().AfterLoad([&] { ran = true; });
    EXPECT_FALSE(ran);
    editor.LoadWordLists(nullptr);
    EXPECT_TRUE(ran);
}

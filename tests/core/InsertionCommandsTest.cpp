#include "FakeCanvas.h"
#include "RecordingPrompts.h"
#include "StandInPorts.h"
#include "TempFolder.h"
#include "editor/Editor.h"
#include "editor/EditorMessages.h"

#include <gtest/gtest.h>
#include <random>

using namespace quirel;

namespace {

class InsertionCommandsTest : public ::testing::Test {
protected:
    InsertionCommandsTest()
        : editor(folder.Path())
    {
        editor.Connect(ports.For(canvas, prompts));
    }

    void Type(std::string_view text)
    {
        for (char c : text)
            editor.Run({ command::TypeByte, static_cast<unsigned char>(c) });
    }
    void Press(command::Id id, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            editor.Run(id);
    }
    Document& Doc() { return editor.GetDocument(); }
    std::size_t Caret() { return editor.Insertion().Position(Doc().Text().size()); }
    // Each token with the size of its record, as "text/size".
    std::string Sizes()
    {
        std::string out;
        for (int i = 1; i <= Doc().TokenCount(); ++i)
            out += std::string(Doc().TokenText(i)) + "/" + std::to_string(RecordSize(Doc().Records().Get(i))) + " ";
        return out;
    }

    TempFolder folder;
    FakeCanvas canvas;
    RecordingPrompts prompts;
    StandInPorts ports;
    Editor editor;
};

} // namespace

TEST_F(InsertionCommandsTest, WritesAnywhereWithTheKeysOfAnyEditor)
{
    Type("la casa blanca");
    Press(command::CharLeft, 6);
    EXPECT_FALSE(editor.Insertion().AtEnd());
    Type("muy ");
    Press(command::EndOfText);
    EXPECT_TRUE(editor.Insertion().AtEnd());
    Type(".");
    Press(command::StartOfText);
    Press(command::DeleteByte);
    Type("L");
    Press(command::EndOfText);
    Press(command::CharLeft);
    Type("\b\b");
    Type("ca");
    EXPECT_EQ(Doc().Text(), "La casa muy blanca.");
    EXPECT_EQ(Caret(), 18u);
    Press(command::PreviousWord, 2);
    EXPECT_EQ(Caret(), 8u);
    Press(command::NextWord);
    EXPECT_EQ(Caret(), 12u);
    Press(command::Completion, 7);
    EXPECT_TRUE(editor.Insertion().AtEnd());
    Press(command::DeleteByte);
    EXPECT_EQ(Doc().Text(), "La casa muy blanca.") << "Delete at the end removes nothing";
}

TEST_F(InsertionCommandsTest, TypedTokensTakeTheCurrentFormatAndTheOthersKeepTheirs)
{
    Type("uno dos");
    Doc().Current().size = 20;
    Press(command::PreviousWord);
    Type("x ");
    EXPECT_EQ(Sizes(), "uno/10 /10 x/10 /20 dos/10 ") << "x grew the word dos before the blank split them";
    Press(command::CharLeft);
    Type("\b");
    EXPECT_EQ(Sizes(), "uno/10 /10 /20 dos/10 ");
    EXPECT_EQ(Caret(), 4u);
    Type(" y");
    EXPECT_EQ(Sizes(), "uno/10 /10 /20 y/20 /20 dos/10 ") << "a word typed apart is new";
}

TEST_F(InsertionCommandsTest, EmoticonsGoWholeAndMarkersWithTheirPair)
{
    Type("ab");
    Press(command::CharLeft);
    editor.Run({ command::ChooseEmoticon, 3 });
    Press(command::InsertEmoticon);
    EXPECT_EQ(Doc().Text(),
        "a\x06       \x07"
        "b");
    EXPECT_EQ(Caret(), 10u);
    Press(command::CharLeft);
    EXPECT_EQ(Caret(), 1u) << "an emoticon is one step";
    Press(command::DeleteByte);
    EXPECT_EQ(Doc().Text(), "ab");

    Press(command::Superscript);
    Type("2");
    Press(command::Superscript);
    EXPECT_EQ(Doc().Text(),
        "a\x04"
        "2\x05"
        "b");
    EXPECT_EQ(Caret(), 4u);
    Type("\b");
    EXPECT_EQ(Doc().Text(), "a2b") << "the end marker goes with its start, the text between stays";
    EXPECT_EQ(Caret(), 2u);
}

TEST_F(InsertionCommandsTest, AnInsertionThatWouldPassTheLastPageIsRefusedAndTheEndKept)
{
    Doc().Current().size = 90; // nine 95-pixel lines a page
    std::string text;
    for (int i = 0; i < 150 * 9; ++i)
        text += "a\r";
    text.pop_back();
    Doc().SetText(text);
    Doc().Records().Reset(Doc().CurrentRecord());
    editor.Run(command::Rebuild);
    ASSERT_EQ(Doc().Pages().pageCount, 150);
    Press(command::StartOfText);
    Type("\r");
    EXPECT_EQ(Doc().Text(), text);
    EXPECT_EQ(Doc().Pages().pageCount, 150);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0], kPageLimitMessage);
    EXPECT_EQ(Caret(), 0u);
    Type("b");
    EXPECT_EQ(Doc().Text(), "b" + text) << "a letter still fits on the line";
}

TEST_F(InsertionCommandsTest, ArrowsUpAndDownAndAClickFindTheLinesOfThePage)
{
    // Size 10 on the fake canvas: bytes 10 pixels wide, lines 15 high, the text from (40, 40).
    Type("primera\rsegunda linea\rtres");
    Press(command::LineUp);
    EXPECT_EQ(Caret(), 12u) << "segunda|, under the end of tres";
    Press(command::LineUp);
    EXPECT_EQ(Caret(), 4u);
    Press(command::LineDown, 2);
    EXPECT_EQ(Caret(), 26u) << "the x of the first Up comes back";
    editor.Run({ command::PlaceAt, command::PagePoint(0, 57) });
    EXPECT_EQ(Caret(), 8u) << "left of the second line: its start";
    Type("X");
    EXPECT_EQ(Doc().Text(), "primera\rXsegunda linea\rtres");
    editor.Run({ command::PlaceAt, command::PagePoint(700, 44) });
    EXPECT_EQ(Caret(), 7u) << "right of the first line: before its end";
    editor.Run({ command::PlaceAt, command::PagePoint(60, 400) });
    EXPECT_TRUE(editor.Insertion().AtEnd()) << "below the last line: the end";
}

TEST_F(InsertionCommandsTest, TheCursorGlyphAndTheCompletionShowOnlyAtTheEnd)
{
    editor.Services().completeWord = [](std::string_view) { return std::string("mbre"); };
    Type("ho");
    auto drawn = [&](const std::string& text) {
        for (const auto& op : canvas.ops)
            if (op.text == text) return true;
        return false;
    };
    EXPECT_TRUE(drawn("mbre"));
    EXPECT_TRUE(drawn("|"));
    Press(command::CharLeft);
    EXPECT_FALSE(drawn("mbre"));
    EXPECT_FALSE(drawn("|"));
    EXPECT_TRUE(editor.View().insertionInside);
    EXPECT_EQ(editor.View().cursorX, 50);
    Press(command::EndOfText);
    EXPECT_TRUE(drawn("mbre"));
    EXPECT_FALSE(editor.View().insertionInside);
}

TEST_F(InsertionCommandsTest, DeshacerTakesTypingBackAWordAtATimeAndRehacerBringsItBack)
{
    Type("la casa blanca");
    Press(command::CharLeft, 6);
    Doc().Current().size = 20;
    Type("muy ");
    Press(command::EndOfText);
    Type(".");
    const std::string sizes = Sizes();
    Press(command::Undo);
    EXPECT_EQ(Doc().Text(), "la casa muy blanca");
    EXPECT_TRUE(editor.Insertion().AtEnd());
    Press(command::Undo);
    EXPECT_EQ(Doc().Text(), "la casa blanca");
    EXPECT_EQ(Caret(), 8u) << "where the word was typed";
    Press(command::Undo);
    EXPECT_EQ(Doc().Text(), "la casa ");
    Press(command::Redo, 3);
    EXPECT_EQ(Doc().Text(), "la casa muy blanca.");
    EXPECT_EQ(Sizes(), sizes);
    EXPECT_TRUE(editor.Insertion().AtEnd());

    // Deleting a word and taking it back restores its record too.
    Press(command::StartOfText);
    Press(command::DeleteByte, 3);
    EXPECT_EQ(Doc().Text(), "casa muy blanca.");
    Press(command::Undo);
    EXPECT_EQ(Doc().Text(), "la casa muy blanca.");
    EXPECT_EQ(Sizes(), sizes);
    EXPECT_EQ(Caret(), 0u);
}

TEST_F(InsertionCommandsTest, RandomEditingTakenBackWholeAndBroughtBackWhole)
{
    std::mt19937 random(5);
    const command::Id moves[] = { command::CharLeft, command::Completion, command::PreviousWord, command::NextWord,
        command::StartOfText, command::EndOfText, command::DeleteByte, command::LineUp, command::LineDown };
    const std::string bytes = "ab \r\b\b";
    for (int i = 0; i < 400; ++i) {
        if (random() % 3 == 0)
            Press(moves[random() % std::size(moves)]);
        else
            editor.Run({ command::TypeByte, static_cast<unsigned char>(bytes[random() % bytes.size()]) });
        if (i % 50 == 0) Doc().Current().size = 10 + i % 7;
    }
    const std::string text = Doc().Text();
    const std::string sizes = Sizes();
    ASSERT_GT(editor.Unsaved().UndoCount(), 0u);
    while (editor.Unsaved().UndoCount() > 0)
        Press(command::Undo);
    EXPECT_EQ(Doc().Text(), "");
    while (editor.Unsaved().RedoCount() > 0)
        Press(command::Redo);
    EXPECT_EQ(Doc().Text(), text);
    EXPECT_EQ(Sizes(), sizes);
}

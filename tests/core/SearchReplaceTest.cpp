#include "language/SearchReplace.h"

#include "FakeCanvas.h"
#include "StandInPorts.h"
#include "TempFolder.h"
#include "document/Cp1252.h"
#include "editor/Editor.h"
#include "language/LanguageMessages.h"

#include <gtest/gtest.h>

using namespace quirel;

namespace {

std::string W(std::string_view utf8)
{
    return Utf8ToCp1252(utf8);
}

TEST(SearchReplace, OnlyTheBlankMakesADialogTextMoreThanOneWord)
{
    const std::pair<std::string, bool> cases[] = {
        { "", false },
        { "casa", true },
        { " casa", false },
        { "casa ", false },
        { "la casa", false },
        { "casa\t", true },
        { W("¿casa?"), true },
        { "casa,perro", true },
    };
    for (const auto& [text, accepted] : cases)
        EXPECT_EQ(IsSingleWord(text), accepted) << '"' << text << '"';
}

TEST(SearchReplace, FindKeyAndTheReport)
{
    EXPECT_EQ(FindKey("  CASA "), "casa");
    EXPECT_EQ(FindKey(W("ÁRBOL")), W("árbol"));
    EXPECT_EQ(FindKey("\tCasa"), "\tcasa"); // only blanks are trimmed
    EXPECT_EQ(FoundWordsMessage(0), "Encontradas 0 palabras ...");
    EXPECT_EQ(FoundWordsMessage(12), "Encontradas 12 palabras ...");
    EXPECT_EQ(kSearchWordRefusedMessage, W("Tiene que escribir una única palabra para buscar ..."));
    EXPECT_EQ(kReplaceWordsRefusedMessage,
        W("Tiene que escribir una única palabra en ambos controles para buscar y reemplazar ..."));
}

TEST(SearchReplace, ReplacesEveryOccurrenceLeftToRightWithoutOverlapOrRescanning)
{
    struct Case {
        std::string text, search, replacement, expected;
        std::size_t count;
    };
    const Case cases[] = {
        { "la palabra", "la", "el", "el paelbra", 2 }, // inside words too
        { "La la LA", "la", "el", "La el LA", 1 }, // case-sensitive
        { "aaaa", "aa", "b", "bb", 2 }, // no overlap
        { "aaa", "aa", "b", "ba", 1 },
        { "aa", "a", "aa", "aaaa", 2 }, // inserted text is not searched again
        { "casa", "perro", "gato", "casa", 0 },
        { "a-b-c", "-", "", "abc", 2 },
        { W("año caña"), W("ñ"), "n", "ano cana", 2 },
        { "casa", "", "x", "casa", 0 }, // an empty search replaces nothing
        { "", "a", "b", "", 0 },
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        const auto result = ReplaceAll(text, c.search, c.replacement);
        EXPECT_EQ(result.status, ReplaceStatus::Done) << c.text;
        EXPECT_EQ(text, c.expected) << c.text;
        EXPECT_EQ(result.count, c.count) << c.text;
    }
}

TEST(SearchReplace, AResultPastTheLimitIsRefusedAndChangesNothing)
{
    std::string text = "a a";
    EXPECT_EQ(ReplaceAll(text, "a", "bbb", 6).status, ReplaceStatus::TooLarge);
    EXPECT_EQ(text, "a a");
    EXPECT_EQ(ReplaceAll(text, "a", "bbb", 7).status, ReplaceStatus::Done);
    EXPECT_EQ(text, "bbb bbb");
    // Shrinking is always allowed, even for a text already past the limit.
    EXPECT_EQ(ReplaceAll(text, "bbb", "c", 2).status, ReplaceStatus::Done);
    EXPECT_EQ(text, "c c");
    // A growth that would overflow the size arithmetic is refused, not wrapped.
    std::string many(1000, 'a');
    const std::string huge(1 << 20, 'x');
    EXPECT_EQ(ReplaceAll(many, "a", huge).status, ReplaceStatus::TooLarge);
    EXPECT_EQ(many.size(), 1000u);
}

class SearchCommandTest : public ::testing::Test {
protected:
    SearchCommandTest()
        : editor(folder.Path())
    {
        ports.pump.hook = [this] {
            if (duringPageBreak) duringPageBreak();
        };
        editor.Connect(ports.For(canvas));
    }

    void SetText(std::string_view text)
    {
        ASSERT_EQ(editor.GetDocument().SetText(std::string(text)), EditStatus::Done);
        editor.Run(command::Rebuild);
    }

    // The words painted black on yellow on the work surface, in order.
    std::vector<std::string> Highlighted() const
    {
        std::vector<std::string> words;
        for (const auto& op : canvas.ops)
            if (op.color == 0 && op.background == 0x00FFFF) words.push_back(op.text);
        return words;
    }

    // "Buscar" with word; the message it ends with.
    std::string Search(std::string_view word)
    {
        prompts.search = { std::string(word), "" };
        prompts.messages.clear();
        editor.Run(command::Find);
        return prompts.messages.empty() ? "" : prompts.messages.back();
    }

    void Replace(std::string_view search, std::string_view replacement)
    {
        prompts.replace = { std::string(search), std::string(replacement) };
        editor.Run(command::Replace);
    }

    TempFolder folder;
    Editor editor;
    FakeCanvas canvas;
    StandInPorts ports;
    RecordingPrompts& prompts = ports.prompts;
    std::function<void()> duringPageBreak;
};

TEST_F(SearchCommandTest, SearchHighlightsWholeWordsInAnyCaseAndCountsThem)
{
    SetText("CASA Casa casa casas, ocasa.");
    EXPECT_EQ(Search("casa"), FoundWordsMessage(3));
    EXPECT_EQ(Highlighted(), (std::vector<std::string> { "CASA", "Casa", "casa" }));
    EXPECT_EQ(Search("CASAS"), FoundWordsMessage(1));
    EXPECT_EQ(Highlighted(), (std::vector<std::string> { "casas" }));
    EXPECT_EQ(editor.GetDocument().Text(), "CASA Casa casa casas, ocasa.");
    SetText("Casa casas casa");
    EXPECT_EQ(Search("casa"), FoundWordsMessage(2));
    EXPECT_EQ(Highlighted(), (std::vector<std::string> { "Casa", "casa" }));
}

TEST_F(SearchCommandTest, AnAbsentWordStillLaysOutFromPageOneAndReportsZero)
{
    SetText(std::string(70, '\r') + "casa");
    ASSERT_EQ(editor.GetDocument().Pages().pageCount, 2);
    editor.Run(command::PageHome);
    canvas.ops.clear();
    EXPECT_EQ(Search("perro"), FoundWordsMessage(0));
    EXPECT_TRUE(Highlighted().empty());
    EXPECT_FALSE(canvas.ops.empty()); // painted again
    EXPECT_EQ(editor.GetDocument().Pages().pageCount, 2);
    EXPECT_EQ(Search("casa"), FoundWordsMessage(1));
}

TEST_F(SearchCommandTest, ReplaceChangesTheTextKeepsRecordsByPositionAndHighlightsTheReplacement)
{
    SetText("la palabra, la");
    auto& records = editor.GetDocument().Records();
    for (int i = 1; i <= editor.GetDocument().TokenCount(); ++i) {
        FormatFields fields;
        fields.textColor = static_cast<std::uint32_t>(i);
        records.Set(i, MakeFormatRecord(fields));
    }
    Replace("la", "el");
    EXPECT_EQ(editor.GetDocument().Text(), "el paelbra, el");
    EXPECT_EQ(Highlighted(), (std::vector<std::string> { "el", "el" }));
    // An inserted sign adds tokens; the colours stay with the positions, not with the words.
    Replace("el", "el.");
    EXPECT_EQ(editor.GetDocument().Text(), "el. pael.bra, el.");
    EXPECT_EQ(editor.GetDocument().TokenCount(), 10);
    for (int i = 1; i <= 6; ++i)
        EXPECT_EQ(RecordTextColor(records.Get(i)), static_cast<std::uint32_t>(i));
    EXPECT_TRUE(Highlighted().empty()); // "el." is no word token
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(SearchCommandTest, ReplaceWithNoOccurrenceKeepsTheTextButRepaints)
{
    SetText("el perro");
    canvas.ops.clear();
    Replace("gato", "perro");
    EXPECT_EQ(editor.GetDocument().Text(), "el perro");
    EXPECT_EQ(Highlighted(), (std::vector<std::string> { "perro" }));
}

TEST_F(SearchCommandTest, AReplacementPastTheTokenLimitIsRefusedWithAMessage)
{
    std::string text;
    for (int i = 0; i < 100000; ++i)
        text += "a ";
    ASSERT_EQ(editor.GetDocument().SetText(text), EditStatus::Done); // 200000 tokens
    Replace("a", "a.a"); // would give 400000
    EXPECT_EQ(editor.GetDocument().Text(), text);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0], W("El documento no admite más de 300000 trozos ..."));
}

TEST_F(SearchCommandTest, ASearchArrivingDuringALayoutWaitsForItAndOneDuringAReplaceIsIgnored)
{
    SetText(std::string(70, '\r') + "casa");
    bool searched = false;
    duringPageBreak = [&] {
        if (searched) return;
        searched = true;
        prompts.search = { "casa", "" };
        editor.Run(command::Find);
        EXPECT_TRUE(prompts.messages.empty()); // not inside the running layout
    };
    editor.Run(command::Rebuild);
    EXPECT_TRUE(searched);
    EXPECT_EQ(prompts.messages, (std::vector<std::string> { FoundWordsMessage(1) }));
    EXPECT_EQ(Highlighted(), (std::vector<std::string> { "casa" }));

    // "Reemplazar" is a guarded command: a search that comes while it lays out waits for the
    // layout, and then, the replacement still running, is ignored.
    searched = false;
    prompts.messages.clear();
    Replace("casa", "Casa");
    EXPECT_TRUE(searched);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(Highlighted(), (std::vector<std::string> { "Casa" }));
}

} // namespace

#include "language/AccentMarks.h"

#include "CountingPump.h"
#include "TestText.h"
#include "document/Tokenize.h"
#include "io/Ports.h"

#include <gtest/gtest.h>
#include <limits>
#include <set>

using namespace quirel;

namespace {

// Word lists as a plain set of lower-case words (given in UTF-8).
KnownWordTest Known(std::initializer_list<const char*> words)
{
    auto set = std::make_shared<std::set<std::string, std::less<>>>();
    for (const char* word : words)
        set->insert(W(word));
    return [set](std::string_view word) { return set->count(word) > 0; };
}

// The pass over a text and its tokens, as the editor gives them.
AccentResult AccentText(std::string_view text, const KnownWordTest& isKnown, EventPump* pump)
{
    return AccentDocument(text, Tokenize(text, std::numeric_limits<std::size_t>::max()), isKnown, pump);
}

} // namespace

TEST(AccentWord, PutsOneAccentOnTheLeftmostVowelThatMakesAKnownWord)
{
    struct Case {
        const char* word;
        std::initializer_list<const char*> known;
        const char* expected;
    };
    const Case cases[] = {
        { "cancion", { "canción" }, "canción" },
        { "xaxo", { "xaxó", "xáxo" }, "xáxo" }, // both known: the leftmost wins
        { "cancion", { "cancion" }, "cancion" }, // nothing accented is known
        { "arbol", {}, "arbol" },
        { "árbol", { "árból" }, "árból" }, // a second accent when that is known
        { "cancion", { "cáncíon", "canciön" }, "cancion" }, // only one accent, only á é í ó ú
        { "pinguino", { "pingüino" }, "pinguino" },
        { "CANCION", { "CANCIÓN" }, "CANCION" }, // capitals are never accented
        { "", { "" }, "" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(AccentWord(W(c.word), Known(c.known)), W(c.expected)) << c.word;
}

TEST(AccentDocument, AccentsUnknownWordsInTheirOwnCasePattern)
{
    const AccentResult result
        = AccentText(W("Cancion, CANCION y cAncion.\r\nel"), Known({ "canción", "y", "el", "él" }), nullptr);
    EXPECT_EQ(result.text, W("Canción, CANCIÓN y canción.\r\nel"));
    EXPECT_EQ(result.count, 3u);
    EXPECT_EQ(result.report, W("canción\r\ncanción\r\ncanción\r\n"));
}

TEST(AccentDocument, KeepsEveryTokenThatGainsNoAccentExactlyAsItStands)
{
    // Blanks (two in a row), tabs, line ends, signs, markers, emoticons, known and unknown words in
    // any capitalisation, digits and words longer than a token field all come back byte for byte.
    const std::string text = W("  ¿Qué tal?\t«McDonald» iPhone COVID-19 2ºB Ángel\r\n\x04x\x05 \x06       \x07")
        + std::string(300, 'o') + " el";
    const AccentResult result = AccentText(text, Known({ "el", "qué", "ángel" }), nullptr);
    EXPECT_EQ(result.text, text);
    EXPECT_EQ(result.count, 0u);
    EXPECT_EQ(result.report, "");
}

TEST(AccentDocument, ChangedWordsKeepTheirTokenPositions)
{
    const std::string text = W("La cancion del camion, \x06       \x07 y el raton.\r\nOtra cancion");
    const AccentResult result = AccentText(text, Known({ "canción", "camión", "ratón" }), nullptr);
    EXPECT_EQ(result.text, W("La canción del camión, \x06       \x07 y el ratón.\r\nOtra canción"));
    EXPECT_EQ(Tokenize(result.text).size(), Tokenize(text).size());
}

TEST(AccentDocument, ReportListsTheFirst40WordsAndCountsThemAll)
{
    std::string text;
    for (int i = 0; i < 45; ++i)
        text += (i % 2 == 0 ? "cancion " : "camion ");
    const AccentResult result = AccentText(text, Known({ "canción", "camión" }), nullptr);
    EXPECT_EQ(result.count, 45u);
    std::string expectedReport;
    for (int i = 0; i < 40; ++i)
        expectedReport += W(i % 2 == 0 ? "canción\r\n" : "camión\r\n");
    EXPECT_EQ(result.report, expectedReport);
    EXPECT_EQ(AccentMessage(result),
        W("Encontradas 45 palabras a las que se le ha puesto tílde ortográfica ...\r\n") + expectedReport);
}

TEST(AccentDocument, MessageWithoutChangesHasNoReport)
{
    const AccentResult result = AccentText("cancion", Known({}), nullptr);
    EXPECT_EQ(result.text, "cancion");
    EXPECT_EQ(AccentMessage(result), W("Encontradas 0 palabras a las que se le ha puesto tílde ortográfica ..."));
}

TEST(AccentDocument, LetsEventsRunOncePerWordTried)
{
    CountingPump pump;
    // "el" is known and not tried; "cancion" and "xyz" are tried; signs and blanks never are.
    AccentText("el cancion, xyz.", Known({ "el", "canción" }), &pump);
    EXPECT_EQ(pump.calls, 2);
}

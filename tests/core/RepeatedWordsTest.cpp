#include "language/RepeatedWords.h"

#include "CountingPump.h"
#include "TestText.h"
#include "document/Document.h"
#include "io/Ports.h"

#include <gtest/gtest.h>

using namespace quirel;

namespace {

// Words given in UTF-8 with their number of occurrences, written one after the other, blank-separated.
Document DocumentOf(std::initializer_list<std::pair<const char*, int>> words)
{
    std::string text;
    for (const auto& [word, times] : words) {
        for (int i = 0; i < times; ++i)
            text += W(word) + " ";
    }
    Document doc;
    EXPECT_EQ(doc.SetText(text), EditStatus::Done);
    return doc;
}

std::vector<std::pair<std::string, std::uint64_t>> Rows(const RepeatedWordsResult& result)
{
    std::vector<std::pair<std::string, std::uint64_t>> rows;
    for (const RepeatRow& row : result.rows)
        rows.emplace_back(row.word, row.count);
    return rows;
}

using RowList = std::vector<std::pair<std::string, std::uint64_t>>;

} // namespace

TEST(IsStopWord, MatchesTheFunctionWordsInAnyCase)
{
    const std::pair<const char*, bool> cases[] = {
        { "de", true },
        { "DE", true },
        { "El", true },
        { "EL", true },
        { "la", true },
        { "aquellos", true },
        { "según", true },
        { "SEGÚN", true },
        { "vía", true },
        { "Vía", true },
        { "ó", true },
        { "Ó", true },
        { "tú", true },
        { "qué", true },
        { "cómo", true },
        { "dónde", true },
        { "versus", true },
        { "u", true },
        { "dé", false },
        { "mis", false },
        { "tus", false },
        { "casa", false },
        { "", false },
        { "él", false },
        { "ella", true },
        { "elle", false },
        { "aquellas", true },
        { "aquellosx", false },
        { "de la", false },
    };
    for (const auto& [word, stop] : cases)
        EXPECT_EQ(IsStopWord(W(word)), stop) << word;
}

TEST(RepeatedWords, ReportsWordsOccurringTenTimesOrMore)
{
    const Document doc = DocumentOf({ { "casa", 10 }, { "perro", 9 }, { "gato", 11 } });
    EXPECT_EQ(Rows(RepeatedWords(doc, nullptr)), (RowList { { "casa", 10 }, { "gato", 11 } }));
}

TEST(RepeatedWords, IgnoresStopWordsAndTellsCaseApart)
{
    const Document doc = DocumentOf({ { "de", 50 }, { "El", 12 }, { "EL", 12 }, { "Casa", 6 }, { "casa", 6 } });
    const RepeatedWordsResult result = RepeatedWords(doc, nullptr);
    EXPECT_TRUE(result.rows.empty());
    EXPECT_EQ(RepeatedWordsMessage(result), "No Repite palabras claramente ...");
}

TEST(RepeatedWords, ReportListsTheTopCountAndTheNextOneInDocumentOrder)
{
    // río and mar share the top count and stand in order of first occurrence; barco is counted but
    // not listed, being below the runner-up.
    const Document doc = DocumentOf({ { "río", 3 }, { "barco", 10 }, { "mar", 15 }, { "ola", 12 }, { "río", 12 } });
    const RepeatedWordsResult result = RepeatedWords(doc, nullptr);
    EXPECT_EQ(Rows(result), (RowList { { W("río"), 15 }, { "barco", 10 }, { "mar", 15 }, { "ola", 12 } }));
    EXPECT_EQ(RepeatedWordsMessage(result),
        W("Este trozo de texto tiene 4 palabra(s) más repetidas\r\n"
          "Lo que más repite es: río mar \r\n"
          "Otra(s) que repiten: ola \r\n"));
}

TEST(RepeatedWords, OneCountAloneGivesOneLine)
{
    const RepeatedWordsResult result = RepeatedWords(DocumentOf({ { "sol", 10 }, { "luna", 10 } }), nullptr);
    EXPECT_EQ(result.report, W("Lo que más repite es: sol luna \r\n"));
}

TEST(RepeatedWords, CountsAboveTenThousandAreReported)
{
    const RepeatedWordsResult result = RepeatedWords(DocumentOf({ { "x", 10001 }, { "z", 10 } }), nullptr);
    EXPECT_EQ(Rows(result), (RowList { { "x", 10001 }, { "z", 10 } }));
    EXPECT_EQ(result.report, W("Lo que más repite es: x \r\nOtra(s) que repiten: z \r\n"));
}

TEST(RepeatedWords, CountsTheTokensAsTheyStandAndYieldsPerWordToken)
{
    // A token field replaced by the re-edit counts as what it now holds.
    Document doc = DocumentOf({ { "casa", 9 }, { "cosa", 1 } });
    doc.SetTokenField(19, "casa");
    CountingPump pump;
    const RepeatedWordsResult result = RepeatedWords(doc, &pump);
    EXPECT_EQ(Rows(result), (RowList { { "casa", 10 } }));
    EXPECT_EQ(pump.calls, 10);
}

TEST(RepeatedWords, ShortDocumentRepeatsNothing)
{
    Document doc;
    doc.SetText("a a a a a");
    EXPECT_EQ(RepeatedWordsMessage(RepeatedWords(doc, nullptr)), "No Repite palabras claramente ...");
}

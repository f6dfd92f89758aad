#include "language/DictionarySearch.h"

#include "TestText.h"

#include <gtest/gtest.h>

using namespace quirel;

namespace {

using Items = std::vector<std::string>;

// Five small word lists in file order (entries given in UTF-8, lower case as the loader stores them).
class DictionarySearchTest : public ::testing::Test {
protected:
    Items diccionario = Convert({ "casa", "castillo", "cantar", "canción", "perro", "casar", "nación" });
    Items verbos = Convert({ "casar", "cantar", "casar", "cansar" });
    Items npropios = Convert({ "castilla", "concepción", "de la casa" });
    Items apellidos = Convert({ "castro", "garcía", "asunción", "garrido" });
    Items dictionary = Convert({ "castle", "casa", "nation" });

    static Items Convert(std::initializer_list<const char*> words)
    {
        Items out;
        for (const char* word : words)
            out.push_back(W(word));
        return out;
    }

    static WordListSource Source(const Items& list)
    {
        return { list.size(), [&list](std::size_t i) { return std::string_view(list[i - 1]); } };
    }

    SearchLists Lists() const
    {
        return { Source(diccionario), Source(verbos), Source(npropios), Source(apellidos), Source(dictionary),
            [this](std::string_view word) { return std::find(verbos.begin(), verbos.end(), word) != verbos.end(); } };
    }

    SearchResult Search(SearchChoice choice, const char* text)
    {
        const auto result = SearchWordLists(Lists(), choice, W(text));
        EXPECT_TRUE(result.has_value()) << text;
        return result.value_or(SearchResult {});
    }
};

} // namespace

TEST(ParseSearchText, TellsBeginningAndEndingSearchesFromTextsToIgnore)
{
    struct Case {
        const char* text;
        SearchKind kind;
        const char* key;
    };
    const Case cases[] = {
        { "cas", SearchKind::Beginning, "cas" },
        { "Cas", SearchKind::Beginning, "Cas" }, // capitals pass the letter test; the key keeps them
        { "ÑANDÚ", SearchKind::Beginning, "ÑANDÚ" },
        { "pingü", SearchKind::Beginning, "pingü" },
        { "-ción", SearchKind::Ending, "ción" },
        { "-", SearchKind::Ending, "" },
        { "", SearchKind::Ignored, "" },
        { "ca1", SearchKind::Ignored, "" },
        { "ca-sa", SearchKind::Ignored, "" },
        { "- ", SearchKind::Ignored, "" },
        { "cas ", SearchKind::Ignored, "" },
        { " cas", SearchKind::Ignored, "" },
        { "--a", SearchKind::Ignored, "" },
        { "ça", SearchKind::Ignored, "" },
        { "à", SearchKind::Ignored, "" },
    };
    for (const Case& c : cases) {
        const SearchRequest request = ParseSearchText(W(c.text));
        EXPECT_EQ(request.kind, c.kind) << c.text;
        EXPECT_EQ(request.key, W(c.key)) << c.text;
    }
}

TEST_F(DictionarySearchTest, BeginningSearchInOneList)
{
    // "casar" stands in verbos too, so diccionario leaves it out.
    const SearchResult result = Search(SearchChoice::Diccionario, "cas");
    EXPECT_EQ(result.items, (Items { "casa", "castillo" }));
    EXPECT_EQ(result.message, "Termine de buscar ...\r\nEncontrados 2 palabras con cas-");
}

TEST_F(DictionarySearchTest, EndingSearchOverAllListsInListOrder)
{
    const SearchResult result = Search(SearchChoice::All, "-ción");
    EXPECT_EQ(result.items, Convert({ "canción", "nación", "Concepción", "Asunción" }));
    EXPECT_EQ(result.message, W("Termine de buscar ...\r\nEncontrados 4 palabras con -ción"));
}

TEST_F(DictionarySearchTest, CapitalKeyMatchesOnlyTheListsThatLowerTheKey)
{
    EXPECT_EQ(Search(SearchChoice::All, "Cas").items, (Items { "Castilla", "Castro", "Castle", "Casa" }));
    EXPECT_EQ(Search(SearchChoice::Diccionario, "Cas").items, Items {});
}

TEST_F(DictionarySearchTest, VerbsAreListedOnceAndOtherListsCapitalised)
{
    // casar: in diccionario and twice in verbos → once; casa: in diccionario and dictionary → twice.
    EXPECT_EQ(Search(SearchChoice::All, "cas").items,
        (Items { "casa", "castillo", "casar", "Castilla", "Castro", "Castle", "Casa" }));
    EXPECT_EQ(Search(SearchChoice::Verbos, "-ar").items, (Items { "casar", "cantar", "cansar" }));
    EXPECT_EQ(Search(SearchChoice::NPropios, "de").items, (Items { "De La Casa" }));
}

TEST_F(DictionarySearchTest, LoneDashMatchesEveryEntry)
{
    const SearchResult result = Search(SearchChoice::Apellidos, "-");
    EXPECT_EQ(result.items, Convert({ "Castro", "García", "Asunción", "Garrido" }));
    EXPECT_EQ(result.message, "Termine de buscar ...\r\nEncontrados 4 palabras con -");
}

TEST_F(DictionarySearchTest, EntriesAreTrimmedAndShortEntriesCompareWhole)
{
    dictionary = { "  cas  ", "ca", "c" };
    EXPECT_EQ(Search(SearchChoice::Dictionary, "cas").items, (Items { "  Cas  " }));
    EXPECT_EQ(Search(SearchChoice::Dictionary, "-as").items, (Items { "  Cas  " }));
}

TEST_F(DictionarySearchTest, NoChoiceOrEmptyListsFindNothing)
{
    EXPECT_EQ(Search(SearchChoice::None, "cas").message, "Termine de buscar ...\r\nEncontrados 0 palabras con cas-");
    EXPECT_EQ(SearchWordLists(SearchLists {}, SearchChoice::All, "cas")->items, Items {});
}

TEST_F(DictionarySearchTest, IgnoredTextsGiveNoResultAtAll)
{
    for (const char* text : { "ca1", "ca-sa", "- ", "" })
        EXPECT_FALSE(SearchWordLists(Lists(), SearchChoice::All, text).has_value()) << text;
}

TEST(CapitalizeWords, CapitalisesEachBlankSeparatedWord)
{
    const std::pair<const char*, const char*> cases[] = {
        { "de la vega", "De La Vega" },
        { "ÁNGEL", "Ángel" },
        { "ñandú", "Ñandú" },
        { "garcía-pérez", "García-pérez" },
        { "", "" },
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(CapitalizeWords(W(text)), W(expected)) << text;
}

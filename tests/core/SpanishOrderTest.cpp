#include "language/SpanishOrder.h"

#include "TestText.h"

#include <gtest/gtest.h>

using namespace quirel;

namespace {

std::vector<std::string> Sorted(std::vector<const char*> utf8Words)
{
    std::vector<std::string> words;
    for (const char* word : utf8Words)
        words.push_back(W(word));
    std::vector<std::string> sorted;
    for (const std::size_t index : SpanishOrder(words))
        sorted.push_back(Cp1252ToUtf8(words[index]));
    return sorted;
}

} // namespace

TEST(SpanishOrderTest, FollowsTheDictionary)
{
    const struct {
        std::vector<const char*> given;
        std::vector<std::string> expected;
    } cases[] = {
        // ñ is a letter of its own between n and o
        { { "oso", "ñandú", "nube", "nuez" }, { "nube", "nuez", "ñandú", "oso" } },
        // accents and case count only between otherwise equal words: plain, then accented; small first
        { { "cómo", "Como", "comer", "como", "comó" }, { "comer", "como", "Como", "comó", "cómo" } },
        { { "árbol", "arbol", "Árbol", "arboleda" }, { "arbol", "árbol", "Árbol", "arboleda" } },
        { { "canción", "cancion", "canciones", "Canción" }, { "cancion", "canción", "Canción", "canciones" } },
        // a word that begins another comes first; ü and ç sort with u and c, their marks deciding last
        { { "pingüino", "pinguino", "pingüe", "caza", "çava" }, { "çava", "caza", "pingüe", "pinguino", "pingüino" } },
        // signs before digits, digits before letters; a blank before any letter
        { { "a2", "a-b", "ab", "a b", "a1" }, { "a b", "a-b", "a1", "a2", "ab" } },
        { { "De La Cruz", "Dela", "De Leon" }, { "De La Cruz", "De Leon", "Dela" } },
    };
    for (const auto& c : cases)
        EXPECT_EQ(Sorted(c.given), c.expected) << c.expected.front();
}

TEST(SpanishOrderTest, EqualWordsKeepTheirPlaces)
{
    const std::vector<std::string> words = { "casa", "Casa", "casa", "Casa" };
    EXPECT_EQ(SpanishOrder(words), (std::vector<std::size_t> { 0, 2, 1, 3 }));
    EXPECT_TRUE(SpanishOrder({}).empty());
}

#include "language/SpellingLookupWord.h"

#include "TestText.h"

#include <gtest/gtest.h>

using namespace quirel;

// The part of each token the spelling marks look up; "" where the token is not looked up at all.
TEST(SpellingLookupWord, LooksUpTheWordWithoutItsNumbersSignsAndDashes)
{
    struct Case {
        const char* token; // UTF-8 here, Windows-1252 for the rule
        const char* lookedUp;
    };
    const Case cases[] = {
        { "casa", "casa" },
        { "CASA", "CASA" }, // the caller lower-cases
        { "Ñandú", "Ñandú" },
        // A digit anywhere, superscripts and fractions included: a number or a unit, never marked.
        { "h2o", "" },
        { "3x", "" },
        { "x²", "" },
        { "m³", "" },
        { "x¹", "" },
        { "1½", "" },
        { "¾", "" },
        // No letter: a sign or a run of dashes.
        { "-", "" },
        { "—", "" },
        { "--", "" },
        { "'", "" },
        { "%", "" },
        { "@&+", "" },
        { "´", "" },
        { "", "" },
        // The seven blanks of an emoticon and its markers, a no-break space.
        { " ", "" },
        { "\x06", "" },
        { "\x07", "" },
        { "\u00A0", "" },
        // Hyphens, apostrophes and en and em dashes at the ends are not part of the word.
        { "amo-", "amo" },
        { "-casa-", "casa" },
        { "'casa'", "casa" },
        { "—hola", "hola" },
        { "—dijo—", "dijo" },
        { "–sí–", "sí" },
        { "-'—casa'-", "casa" },
        // Inside the word they stay.
        { "e-mail", "e-mail" },
        { "l'casa", "l'casa" },
        { "va—y", "va—y" },
        // The accent signs are no apostrophes: alone at a word's end they are a slip of an accent key.
        { "`casa", "`casa" },
        { "casa´", "casa´" },
        // Letters without a case count as letters.
        { "µ", "µ" },
        { "nº", "nº" },
        { "ª-", "ª" },
        { "ß", "ß" },
    };
    for (const Case& c : cases) {
        const std::string token = W(c.token);
        EXPECT_EQ(SpellingLookupWord(token), W(c.lookedUp)) << c.token;
    }
}

#include "document/Cp1252.h"

#include "TestText.h"

#include <gtest/gtest.h>

using namespace quirel;

TEST(Cp1252, EveryByteRoundTripsThroughUnicodeAndUtf8)
{
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        EXPECT_EQ(UnicodeToCp1252(Cp1252ToUnicode(byte)), b) << b;
        const std::string one(1, static_cast<char>(byte));
        EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(one)), one) << b;
    }
}

TEST(Cp1252, SpanishTextConvertsAndUnrepresentableCharactersAreCounted)
{
    EXPECT_EQ(Utf8ToCp1252("¿Qué año? ¡Ñandú! «€»"),
        "\xBF"
        "Qu\xE9 a\xF1o? \xA1\xD1"
        "and\xFA! \xAB\x80\xBB");
    std::size_t skipped = 0;
    EXPECT_EQ(Utf8ToCp1252("a\xCE\xB1"
                           "b\xF0\x9F\x98\x80"
                           "c\xFF",
                  &skipped),
        "abc"); // Greek alpha, emoji, bad byte
    EXPECT_EQ(skipped, 3u);
    EXPECT_EQ(Utf8ToCp1252("x\xC3", &skipped), "x"); // truncated sequence
}

TEST(Cp1252, CaseMappingCoversAccentedAndSpecialLetters)
{
    EXPECT_EQ(ToLower(W("ÁRBOL ÑANDÚ ŠŒŽŸ × ABC")), W("árbol ñandú šœžÿ × abc"));
    EXPECT_EQ(ToUpper(W("árbol ñandú šœžÿ ÷ ß ªº")), W("ÁRBOL ÑANDÚ ŠŒŽŸ ÷ ß ªº"));
    EXPECT_EQ(TrimBlanks("  a b \t "), "a b \t");
    EXPECT_EQ(TrimBlanks("   "), "");
}

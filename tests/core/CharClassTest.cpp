#include "document/CharClass.h"

#include "TestText.h"
#include "document/CasePattern.h"

#include <gtest/gtest.h>

using namespace quirel;

TEST(CharClass, ExactlySixtyFourSignsAndOneBlank)
{
    int signs = 0;
    int blanks = 0;
    for (int b = 0; b < 256; ++b) {
        const auto cls = ClassifyByte(static_cast<unsigned char>(b));
        signs += cls == CharClass::Sign;
        blanks += cls == CharClass::Blank;
    }
    EXPECT_EQ(signs, 64);
    EXPECT_EQ(blanks, 1);
}

TEST(CharClass, ClassifiesTypicalCharacters)
{
    struct Case {
        const char* text;
        CharClass expected;
    };
    const Case cases[] = {
        { " ", CharClass::Blank },
        { "\xF1", CharClass::Word },
        { "-", CharClass::Word },
        { "7", CharClass::Word },
        { "\xBF", CharClass::Sign },
        { "", CharClass::Word },
        { "\t", CharClass::Sign },
        { "\r", CharClass::Sign },
        { "\n", CharClass::Sign },
        { "'", CharClass::Word },
        { "@", CharClass::Word },
        { "%", CharClass::Word },
        { "#", CharClass::Sign },
        { "\x80", CharClass::Sign },
        { "\xAB", CharClass::Sign },
        { "\xBB", CharClass::Sign },
        { "\x93", CharClass::Sign },
        { "\xBA", CharClass::Word },
        { "\xB4", CharClass::Word },
        { "|", CharClass::Word },
        { "\x01", CharClass::Sign },
        { "\x07", CharClass::Sign },
        { "~", CharClass::Sign },
        { "*", CharClass::Word },
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClassifyChar(c.text), c.expected) << "byte " << (c.text[0] & 0xFF);
}

TEST(CasePattern, RecognisesSpanishCapitalisation)
{
    struct Case {
        const char* word;
        CasePatternKind expected;
    };
    const Case cases[] = {
        { "casa", CasePatternKind::Lower }, { "Casa", CasePatternKind::Capitalized },
        { "CASA", CasePatternKind::Upper }, { "CaSa", CasePatternKind::Other },
        { "\xD1"
          "and\xFA",
            CasePatternKind::Capitalized },
        { "\xC1ngel", CasePatternKind::Capitalized }, { "\xC1RBOL", CasePatternKind::Upper },
        { "h2o", CasePatternKind::Other }, { "", CasePatternKind::Lower }, { "1\xAA", CasePatternKind::Other },
        { "\xC9xito", CasePatternKind::Capitalized },
        { "\xC0la", CasePatternKind::Other }, // À is not one of the Spanish capitals
    };
    for (const auto& c : cases)
        EXPECT_EQ(CasePattern(c.word), c.expected) << c.word;
    EXPECT_TRUE(IsCapitalInitial("\xDC"));
    EXPECT_FALSE(IsCapitalInitial(""));
}

TEST(CasePattern, RestoresEachPattern)
{
    EXPECT_EQ(RestoreCase("\xE1ngel", CasePatternKind::Capitalized), "\xC1ngel");
    EXPECT_EQ(RestoreCase("Casa", CasePatternKind::Other), "casa");
    EXPECT_EQ(RestoreCase(W("ñandú"), CasePatternKind::Upper), W("ÑANDÚ"));
    EXPECT_EQ(RestoreCase("ARBOL", CasePatternKind::Lower), "arbol");
    EXPECT_EQ(RestoreCase("", CasePatternKind::Capitalized), "");
}

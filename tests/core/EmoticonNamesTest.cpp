#include "layout/EmoticonNames.h"

#include "document/Cp1252.h"

#include <gtest/gtest.h>

using namespace quirel;

// The expected names are written here in UTF-8 and converted independently, so a wrong byte
// escape in the table (ñ, ¡) shows up.
TEST(EmoticonNames, NamedPicturesCarryTheirWindows1252Names)
{
    const char* const expected[] = { "enfadado", "pestañear", "sonrojo", "alegre", "guay", "diablo", "mareado", "ellos",
        "es", "(amplia) sonrisa", "besos", "risueño", "pellizco", "triste", "sorprendido", "enfermo", "de reojo",
        "tonto", "sonrisa", "lengua", "inseguro", "us", "¡guau!", "cortado", "silbando", "guiño" };
    for (int number = 1; number <= 26; ++number)
        EXPECT_EQ(EmoticonName(number), Utf8ToCp1252(expected[number - 1])) << "emoticon " << number;
}

TEST(EmoticonNames, TheRestAreEmojiAndOutsideNumbersAreEmpty)
{
    for (int number : { 27, 100, kEmoticonCount })
        EXPECT_STREQ(EmoticonName(number), "emoji") << number;
    for (int number : { 0, -1, kEmoticonCount + 1, 100000 }) {
        ASSERT_NE(EmoticonName(number), nullptr) << number;
        EXPECT_STREQ(EmoticonName(number), "") << number;
    }
}

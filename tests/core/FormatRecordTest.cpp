#include "document/FormatRecord.h"

#include "document/CurrentFormat.h"

#include <gtest/gtest.h>

using namespace quirel;

TEST(FormatRecord, BuildsRecordsFromTheCurrentFormat)
{
    CurrentFormat bold;
    bold.size = 11;
    bold.style = kStyleBold;
    EXPECT_EQ(bold.Record(0).Text(), "FFFFFF0B000100000000");

    CurrentFormat styled;
    styled.textColor = 0x0000FF;
    styled.background = 0xFF0000;
    styled.size = 12;
    styled.style = kStyleItalic | kStyleUnderline;
    EXPECT_EQ(styled.Record(3).Text(), "FF00000C0306000000FF");

    // Values wider than their field keep their low digits, so a record is always 20 digits.
    EXPECT_EQ(MakeFormatRecord({ 0xFFFFFFFF, 300, 255, 15, 188, 0x1000001 }).Text(), "FFFFFF2CFF0FBC000001");
}

TEST(FormatRecord, ReadsEveryField)
{
    const FormatRecord record("FFFFFF0B0001000000FF");
    const auto fields = ReadFormatFields(record);
    EXPECT_EQ(fields.background, 0xFFFFFFu);
    EXPECT_EQ(fields.size, 11);
    EXPECT_EQ(fields.fontIndex, 0);
    EXPECT_EQ(fields.style, 1);
    EXPECT_EQ(fields.emoticon, 0);
    EXPECT_EQ(fields.textColor, 0x0000FFu);
}

TEST(FormatRecord, DamagedRecordsReadTheDigitsTheyHold)
{
    EXPECT_EQ(RecordBackground(FormatRecord("FFF")), 0xFFFu);
    EXPECT_EQ(RecordSize(FormatRecord("FFF")), 0);
    EXPECT_EQ(RecordBackground(FormatRecord("")), 0u);
    EXPECT_EQ(RecordBackground(FormatRecord("12ZZ340C")), 0x12u);
    EXPECT_EQ(RecordSize(FormatRecord("12ZZ340C")), 0x0C);
    EXPECT_EQ(RecordFontIndex(FormatRecord("FFFFFF0b0a")), 10);
    // Only 20 characters are kept.
    EXPECT_EQ(FormatRecord("FFFFFF0B000000000000EXTRA").Text().size(), 20u);
}

TEST(SmallSizeTable, HalvesFromFourteenAndRefusesOutsideTheTable)
{
    const int cases[][2] = { { 1, 6 }, { 10, 6 }, { 13, 6 }, { 14, 7 }, { 15, 7 }, { 90, 45 }, { 0, 0 }, { 91, 0 } };
    for (const auto& c : cases)
        EXPECT_EQ(SmallSize(c[0]), c[1]) << c[0];
}

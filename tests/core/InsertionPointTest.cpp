#include "document/InsertionPoint.h"

#include <gtest/gtest.h>
#include <string>

using namespace quirel;

namespace {

// "ab", an emoticon at 2 to 10, " c", superscript "d" at 13 to 15, then "e f".
const std::string kText = std::string("ab\x06       \x07 c") + "\x04" + "d" + "\x05" + "e f";

} // namespace

TEST(InsertionPoint, StepsPassEmoticonsWholeAndMarkersWithTheByteBeside)
{
    struct Case {
        std::size_t from, left, right;
    };
    const Case cases[] = {
        { 0, 0, 1 },
        { 2, 1, 11 }, // before the emoticon: right passes all of it
        { 11, 2, 12 }, // after it: left passes all of it
        { 13, 12, 15 }, // "c|\x04d": right passes the marker and "d"
        { 15, 13, 17 }, // "\x04d|\x05e": left passes "d" and the marker; right the marker and "e"
        { kText.size(), kText.size() - 1, kText.size() },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StepLeft(kText, c.from), c.left) << c.from;
        EXPECT_EQ(StepRight(kText, c.from), c.right) << c.from;
    }
    EXPECT_EQ(OutsideEmoticon(kText, 5), 11u);
    EXPECT_EQ(OutsideEmoticon(kText, 2), 2u);
}

TEST(InsertionPoint, WordStepsGoToWordStarts)
{
    const std::string text = "uno, dos  tres";
    EXPECT_EQ(WordRight(text, 0), 5u);
    EXPECT_EQ(WordRight(text, 6), 10u);
    EXPECT_EQ(WordRight(text, 10), text.size());
    EXPECT_EQ(WordLeft(text, text.size()), 10u);
    EXPECT_EQ(WordLeft(text, 10), 5u);
    EXPECT_EQ(WordLeft(text, 2), 0u);
    EXPECT_EQ(WordRight(kText, 1), 12u) << "over the emoticon";
}

TEST(InsertionPoint, RemovalsKeepMarkersPairedAndEmoticonsWhole)
{
    struct Case {
        std::size_t pos;
        bool before;
        Removal expected;
    };
    const Case cases[] = {
        { 1, true, { 0, 1 } },
        { 2, false, { 2, 11 } }, // Delete before an emoticon: all of it
        { 11, true, { 2, 11 } }, // Backspace after it: all of it
        { 13, false, { 13, 14, 15 } }, // the superscript's start goes with its end
        { 16, true, { 15, 16, 13 } }, // and its end with its start
        { 14, true, { 13, 14, 15 } },
        { 0, true, { 0, 0 } },
        { kText.size(), false, { kText.size(), kText.size() } },
    };
    for (const Case& c : cases) {
        const Removal removal = c.before ? RemovalBefore(kText, c.pos) : RemovalAfter(kText, c.pos);
        EXPECT_EQ(removal.from, c.expected.from) << c.pos;
        EXPECT_EQ(removal.to, c.expected.to) << c.pos;
        EXPECT_EQ(removal.pair, c.expected.pair) << c.pos;
    }
    EXPECT_EQ(RemovalAfter("a\x04z", 1).pair, Removal::kNone) << "an unpaired marker goes alone";
}

TEST(InsertionPoint, FollowsTheEndUntilMovedInside)
{
    InsertionPoint point;
    EXPECT_TRUE(point.AtEnd());
    EXPECT_EQ(point.Position(7), 7u);
    point.MoveTo(3, 7);
    EXPECT_FALSE(point.AtEnd());
    EXPECT_EQ(point.Position(7), 3u);
    EXPECT_EQ(point.Position(2), 2u) << "a shorter text: its end";
    point.MoveTo(7, 7);
    EXPECT_TRUE(point.AtEnd());
}

// The controls that shape new text: the style switches, the lists' state and the emoticon draw.
#include "editor/FormatControls.h"

#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

using namespace quirel;

TEST(FormatControlsTest, StyleSwitchesMakeTheCurrentStyle)
{
    struct Case {
        std::vector<int> flips;
        int style;
    };
    const Case cases[] = {
        { { kStyleBold }, kStyleBold },
        { { kStyleBold, kStyleItalic, kStyleUnderline, kStyleStrikeOut },
            kStyleBold | kStyleItalic | kStyleUnderline | kStyleStrikeOut },
        { { kStyleBold, kStyleUnderline, kStyleBold }, kStyleUnderline },
        { { kStyleItalic, 16, 0, kStyleBold | kStyleItalic }, kStyleItalic }, // no switch of their own
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        Document document;
        document.Current().style = kStyleStrikeOut; // the switches decide, not what was there
        FormatControls controls(document);
        for (const int bit : c.flips)
            controls.ToggleStyle(bit);
        EXPECT_EQ(document.Current().style, c.style);
        const auto& on = controls.GetSwitches();
        EXPECT_EQ((on.bold ? kStyleBold : 0) | (on.italic ? kStyleItalic : 0) | (on.underline ? kStyleUnderline : 0)
                | (on.strikeOut ? kStyleStrikeOut : 0),
            c.style);
    }
}

TEST(FormatControlsTest, SubscriptTurnsTheSizeListOffUntilANewDocumentAndARefusedMarkerFlipsNothing)
{
    Document document;
    FormatControls controls(document);
    EXPECT_EQ(controls.ToggleSuperscript(), EditStatus::Done);
    EXPECT_TRUE(controls.SizeListEnabled());
    EXPECT_EQ(controls.ToggleSubscript(), EditStatus::Done);
    EXPECT_FALSE(controls.SizeListEnabled());
    EXPECT_EQ(controls.ToggleSubscript(), EditStatus::Done); // off again: the list stays off
    EXPECT_FALSE(controls.SizeListEnabled());
    controls.NewDocument();
    EXPECT_TRUE(controls.SizeListEnabled());
    EXPECT_TRUE(controls.GetSwitches().superscript);
    EXPECT_FALSE(controls.GetSwitches().subscript);

    // A document at the token limit takes no marker: the switches stay as they were.
    std::string full;
    for (int i = 0; i < 150000; ++i)
        full += "a ";
    ASSERT_EQ(document.SetText(full), EditStatus::Done);
    const std::size_t before = document.Text().size();
    EXPECT_EQ(controls.ToggleSuperscript(), EditStatus::Refused);
    EXPECT_EQ(controls.ToggleSubscript(), EditStatus::Refused);
    EXPECT_TRUE(controls.GetSwitches().superscript);
    EXPECT_FALSE(controls.GetSwitches().subscript);
    EXPECT_TRUE(controls.SizeListEnabled());
    EXPECT_EQ(document.Text().size(), before);
}

TEST(FormatControlsTest, TheEmoticonInsertedIsTheChosenOneOrADrawThatBecomesTheChoice)
{
    Document document;
    FormatControls controls(document);
    controls.ChooseEmoticon(12);
    EXPECT_EQ(document.Current().emoticon, 12);
    EXPECT_EQ(controls.EmoticonChoice(), 12);
    for (const int number : { 1, 12, 188 }) {
        EXPECT_EQ(controls.EmoticonToInsert(number), number);
        EXPECT_EQ(controls.EmoticonChoice(), number);
    }
    // Anything else draws 1 to 188; the same seed draws the same pictures.
    std::vector<int> drawn[2];
    for (auto& draws : drawn) {
        controls.SeedEmoticonRandom(7);
        for (const int number : { 0, -1, 189, 0, 0, 0 }) {
            draws.push_back(controls.EmoticonToInsert(number));
            EXPECT_EQ(controls.EmoticonChoice(), draws.back());
            EXPECT_GE(draws.back(), 1);
            EXPECT_LE(draws.back(), 188);
        }
    }
    EXPECT_EQ(drawn[0], drawn[1]);
    EXPECT_GT(std::set<int>(drawn[0].begin(), drawn[0].end()).size(), 1u);
}

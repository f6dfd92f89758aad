#include "layout/LayoutDocument.h"

#include "FakeCanvas.h"
#include "document/Document.h"
#include "io/Settings.h"

#include <gtest/gtest.h>
#include <random>
#include <set>

using namespace quirel;

namespace {

class Layout : public ::testing::Test {
protected:
    // Appends text byte by byte at the given size, each token taking the record current at its last byte.
    void Add(std::string_view text, int size = 10)
    {
        doc.Current().size = size;
        for (char c : text) {
            doc.Append(std::string(1, c));
            doc.StoreCurrentRecord();
        }
    }

    LayoutResult Full()
    {
        doc.Pages().Clear();
        return LayoutDocument(doc, settings, canvas, view, services, options);
    }

    LayoutResult Incremental()
    {
        doc.Pages().shownPage = doc.Pages().pageCount;
        return LayoutDocument(doc, settings, canvas, view, services, options);
    }

    const FakeCanvas::Page& PageNo(int page) const { return FakeCanvas::PageOf(doc.Pages().Slot(page)); }

    // The drawn operation whose text is text (the first one), on the last painted surface.
    const FakeCanvas::Op& Drawn(const std::string& text) const
    {
        for (const auto& op : canvas.ops)
            if (op.text == text) return op;
        static FakeCanvas::Op none { -1, -1, "", "", 0, 0, 0, 0 };
        ADD_FAILURE() << "not drawn: " << text;
        return none;
    }

    Document doc;
    Settings settings;
    FakeCanvas canvas;
    ViewState view;
    LayoutServices services;
    LayoutOptions options;
};

} // namespace

TEST_F(Layout, EmptyDocumentDrawsTheFrameAndTheCursorAtTheMargin)
{
    Full();
    EXPECT_EQ(doc.Pages().pageCount, 1);
    EXPECT_EQ(doc.Pages().shownPage, 1);
    ASSERT_EQ(canvas.ops.size(), 1u);
    EXPECT_TRUE(PageNo(1).framed);
    EXPECT_EQ(canvas.ops[0].text, "|");
    EXPECT_EQ(canvas.ops[0].face, "Consolas");
    EXPECT_EQ(view.cursorX, 40);
    EXPECT_EQ(view.cursorY, 40);
    EXPECT_EQ(TitleStatusLine(doc, settings), "Pagina 1 de 1 TAB: 6 Margen: 40 quirel: 0");
}

TEST_F(Layout, WrapsOnTheEstimatedWidth)
{
    Add(std::string(71, 'a') + "\r" + std::string(72, 'b'));
    Full();
    EXPECT_EQ(Drawn(std::string(71, 'a')).y, 40); // 40 + 71 × 10 = 750 fits within 754
    const auto& wide = Drawn(std::string(72, 'b')); // 760 does not: it moves below its own line
    EXPECT_EQ(wide.x, 40);
    EXPECT_EQ(wide.y, 70);
}

TEST_F(Layout, TokenWiderThanTheLineStartsANewLineEvenAtTheMargin)
{
    Add(std::string(80, 'x') + ")");
    Full();
    const auto& wide = Drawn(std::string(80, 'x'));
    EXPECT_EQ(wide.x, 40);
    EXPECT_EQ(wide.y, 55); // a line feed first, then painted past the right edge, never cut
    EXPECT_EQ(Drawn(")").y, 70); // a sign that does not fit starts the next line alone
    EXPECT_EQ(Drawn(")").x, 40);
}

TEST_F(Layout, BlanksThatDoNotFitStartTheNextLine)
{
    Add(std::string(71, 'a') + "  b");
    Full();
    std::vector<int> blankYs;
    for (const auto& op : canvas.ops)
        if (op.text == " ") blankYs.push_back(op.y);
    // 750 + 10 > 754: the first blank that does not fit opens the next line at the margin.
    EXPECT_EQ(blankYs, (std::vector<int> { 55, 55 }));
    EXPECT_EQ(Drawn(" ").x, 40);
}

TEST_F(Layout, PageIsFullOnlyOnceTheLineStarts800PixelsBelowTheMargin)
{
    // Line ends of size 42 are 47 pixels high: 17 of them put the pen at 839; 16 of size 45 (50 high) at 840.
    Add(std::string(17, '\r'), 42);
    Add("a", 10);
    Full();
    EXPECT_EQ(doc.Pages().pageCount, 1);
    EXPECT_EQ(Drawn("a").y, 839);

    doc.SetText("");
    Add(std::string(16, '\r'), 45);
    Add("a", 10);
    Full();
    EXPECT_EQ(doc.Pages().pageCount, 2);
    EXPECT_EQ(doc.Pages().Slot(2).firstToken, 17);
    EXPECT_EQ(Drawn("a").y, 40);
    EXPECT_EQ(Drawn("a").x, 40);
    EXPECT_TRUE(PageNo(1).framed);
}

TEST_F(Layout, OnlyCarriageReturnBreaksALine)
{
    Add("a\nb\r\nc");
    Full();
    EXPECT_EQ(Drawn("b").y, 40); // the LF is a sign one character wide
    EXPECT_EQ(Drawn("b").x, 60);
    const auto& lf = canvas.ops[3]; // the LF of the CR LF pair starts the new line
    EXPECT_EQ(lf.y, 55);
    EXPECT_EQ(lf.x, 40);
    EXPECT_EQ(Drawn("c").y, 55);
}

TEST_F(Layout, SubscriptHangsBelowTheLineAndTheTextReturnsToIt)
{
    Add("H");
    doc.SetSubscript(true);
    Add("2", doc.Current().size);
    doc.SetSubscript(false);
    Add("O");
    Full();
    EXPECT_EQ(Drawn("H").y, 40);
    const auto& two = Drawn("2");
    EXPECT_EQ(two.x, 50);
    EXPECT_EQ(two.y, 40 + (6 + 5) - 4); // the next line's top at the small size, less 4
    EXPECT_EQ(two.size, 6);
    EXPECT_EQ(Drawn("O").x, 56);
    EXPECT_EQ(Drawn("O").y, 40);
}

TEST_F(Layout, EmoticonIsDrawnWhereItsStartMarkerWas)
{
    Add("a");
    doc.InsertEmoticon(5);
    Add("b");
    Full();
    const auto& picture = Drawn("#emoticon 5");
    EXPECT_EQ(picture.x, 50);
    EXPECT_EQ(picture.y, 40);
    EXPECT_EQ(Drawn("b").x, 50 + 7 * 10);

    // When the line wraps inside the seven blanks, the picture stays at the start marker.
    doc.SetText("");
    Add(std::string(70, 'a'));
    doc.InsertEmoticon(9);
    Full();
    EXPECT_EQ(Drawn("#emoticon 9").x, 740);
    EXPECT_EQ(Drawn("#emoticon 9").y, 40);
}

TEST_F(Layout, IncrementalLayoutStartsAtTheLastPageAndStepsBackWhenItEmpties)
{
    Add(std::string(17, '\r'), 45);
    Add("ab", 10);
    Full();
    ASSERT_EQ(doc.Pages().pageCount, 2);
    ASSERT_EQ(doc.Pages().Slot(2).firstToken, 18);

    Add(" cd");
    canvas.ops.clear();
    Incremental();
    EXPECT_EQ(Drawn("ab").y, 40); // only page 2 was painted again
    EXPECT_EQ(canvas.ops.size(), 4u);

    while (doc.TokenCount() > 17)
        doc.RemoveLastByte();
    Incremental();
    EXPECT_EQ(doc.Pages().pageCount, 1);
    EXPECT_EQ(doc.Pages().shownPage, 1);
}

TEST_F(Layout, StopsAfterPage150AndKeepsTheText)
{
    std::string text;
    for (int i = 0; i < 150 * 9 + 1; ++i)
        text += "a\r";
    Add(text, 90); // nine lines of 95 pixels a page
    const auto kept = doc.Text();
    const auto result = Full();
    EXPECT_TRUE(result.pageLimit);
    EXPECT_EQ(doc.Pages().pageCount, 150);
    EXPECT_EQ(doc.Text(), kept);

    doc.RemoveLastByte();
    doc.RemoveLastByte();
    EXPECT_FALSE(Full().pageLimit);
    EXPECT_EQ(doc.Pages().pageCount, 150);
}

TEST_F(Layout, WordsArePaintedInARegularCaseAndMarkedWhenUnknown)
{
    const std::set<std::string> known = { "casa", "h2o" };
    services.isKnownWord = [&known](std::string_view w) { return known.count(std::string(w)) > 0; };
    doc.Current().textColor = 0x00FF00;
    Add("CASA Casa cAsa H2O casas 3x -casa- \x97"
        "casa m\xB2 ' l'casa");
    Full();
    for (const char* word : { "CASA", "Casa", "casa", "h2o", "3x", "-casa-",
             "\x97"
             "casa",
             "m\xB2" })
        EXPECT_EQ(Drawn(word).color, 0x00FF00u) << word;
    EXPECT_EQ(Drawn("casas").color, 0x0000FFu);
    EXPECT_EQ(Drawn("casas").background, 0xFFFFFFu);
    EXPECT_EQ(Drawn("l'casa").color, 0x0000FFu); // an apostrophe inside the word is part of it
    EXPECT_EQ(Drawn("'").color, 0x00FF00u); // no letter: a sign in any case

    services.isKnownWord = nullptr; // the sensor off
    Full();
    EXPECT_EQ(Drawn("casas").color, 0x00FF00u);
}

TEST_F(Layout, FindPaintsMatchesBlackOnYellowAndCountsThem)
{
    Add("CASA Casa casa casas");
    options.findWord = "casa";
    const auto result = Full();
    EXPECT_EQ(result.matchCount, 3);
    EXPECT_EQ(Drawn("Casa").color, 0x000000u);
    EXPECT_EQ(Drawn("Casa").background, 0x00FFFFu);
    EXPECT_EQ(Drawn("casas").background, 0xFFFFFFu);
}

TEST_F(Layout, TailDrawsTheCompletionThenTheCursorOrRemembersTheWord)
{
    std::vector<std::string> remembered;
    services.completeWord = [](std::string_view w) {
        return w == "ca" ? std::string("sa") : w == "cas" ? std::string("a") : std::string();
    };
    services.rememberWord = [&remembered](std::string_view w) { remembered.emplace_back(w); };
    settings.shadowColor = 0xC0C0C0;
    settings.cursorChar = '_';
    Add("ca");
    Full();
    const auto& completion = Drawn("sa");
    EXPECT_EQ(completion.x, 60);
    EXPECT_EQ(completion.color, 0xC0C0C0u);
    EXPECT_EQ(Drawn("_").x, 80); // the cursor follows the completion and covers none of it
    EXPECT_EQ(view.cursorX, 80);
    Add("s");
    Full();
    EXPECT_EQ(Drawn("a").x, 70); // a completion of one letter is seen too
    EXPECT_EQ(Drawn("_").x, 80);

    // A word is remembered once it is finished (a blank, sign, line end or marker follows it),
    // never while it is being typed.
    Add("a");
    Full();
    EXPECT_TRUE(remembered.empty());
    for (const char* end : { " ", " ", "mesa", ".", "sol", "\r", "luz" }) {
        Add(end);
        Full();
    }
    EXPECT_EQ(remembered, (std::vector<std::string> { "casa", "mesa", "sol" }));
    // Saving finishes the last word too.
    RememberFinishedWord(doc, services, TextEnd::Saved);
    EXPECT_EQ(remembered.back(), "luz");

    options.decorate = Decorate::No; // printing: no frame, completion or cursor, nothing remembered
    remembered.clear();
    Add(" ca");
    Full();
    EXPECT_FALSE(PageNo(1).framed);
    for (const auto& op : canvas.ops)
        EXPECT_TRUE(op.text != "sa" && op.text != "_") << op.text;
    EXPECT_TRUE(remembered.empty());
}

TEST_F(Layout, ALineFeedsByItsTallestText)
{
    // A title at 18 points (23 pixels a line) with its line end at 11 (16): the next line starts
    // below the title, not inside it; a line end taller than its line's text still counts.
    Add("Titulo", 18);
    Add("\r", 11);
    Add("texto", 11);
    Add("\r", 20);
    Add("fin", 11);
    // A line of 18-point words where an 11-point word wraps: the new line starts below them.
    Add("\r", 11);
    Add(std::string(38, 'a'), 18);
    Add(" bb", 11);
    // A line of one size feeds by it as ever.
    Add("\r", 11);
    Add("uno\rdos", 11);
    for (const Decorate decorate : { Decorate::Yes, Decorate::No }) { // the screen and export, and printing
        options.decorate = decorate;
        Full();
        EXPECT_EQ(Drawn("Titulo").y, 40);
        EXPECT_EQ(Drawn("texto").y, 40 + 23);
        EXPECT_EQ(Drawn("fin").y, 63 + 25);
        EXPECT_EQ(Drawn(std::string(38, 'a')).y, 88 + 16);
        EXPECT_EQ(Drawn("bb").y, 104 + 23);
        EXPECT_EQ(Drawn("bb").x, 40);
        EXPECT_EQ(Drawn("uno").y, 127 + 16);
        EXPECT_EQ(Drawn("dos").y, 143 + 16);
    }
}

TEST_F(Layout, TheCursorLineHeightIsItsTallestTextOrTheCursor)
{
    Add("Grande", 30);
    Add(" y", 10);
    Full();
    EXPECT_EQ(view.cursorY, 40);
    EXPECT_EQ(view.cursorLineHeight, 35);
    Add("\r", 10);
    Full();
    EXPECT_EQ(view.cursorY, 75);
    EXPECT_EQ(view.cursorLineHeight, 15); // the cursor glyph at the current size
}

TEST(ScrollCursorLineIntoView, ScrollsInWheelStepsByTheLeastThatShowsTheWholeLine)
{
    struct Case {
        int cursorY, lineHeight, offset, expected;
    };
    const Case cases[] = {
        { 40, 15, 0, 0 }, // in sight: nothing moves
        { 500, 20, -100, -100 },
        { 785, 15, 0, 0 }, // the last visible row is 799
        { 786, 15, 0, -15 },
        { 1000, 30, 0, -240 }, // 1030 − 800 = 230, rounded up to whole steps
        { 1350, 95, 0, -570 }, // never past the wheel's lowest offset
        { 40, 15, -300, -30 }, // above the rows on screen: up until its top shows
        { 0, 15, -45, 0 },
    };
    for (const Case& c : cases) {
        ViewState view;
        view.cursorY = c.cursorY;
        view.cursorLineHeight = c.lineHeight;
        view.scrollOffset = c.offset;
        EXPECT_EQ(ScrollCursorLineIntoView(view), c.expected != c.offset) << c.cursorY;
        EXPECT_EQ(view.scrollOffset, c.expected) << c.cursorY;
    }
}

TEST_F(Layout, ImportGivesEveryTokenTheCurrentFormat)
{
    doc.SetText("uno dos");
    doc.Current().textColor = 0x123456;
    view.importInProgress = true;
    Full();
    EXPECT_EQ(Drawn("dos").color, 0x123456u);
    EXPECT_EQ(RecordTextColor(doc.Records().Get(1)), 0x123456u);
}

namespace {

std::string Rendered(const PageSlot& slot)
{
    if (!slot.picture) return "none";
    std::string out = FakeCanvas::PageOf(slot).framed ? "framed\n" : "\n";
    for (const auto& op : FakeCanvas::PageOf(slot).ops)
        out += std::to_string(op.x) + "," + std::to_string(op.y) + " " + op.text + " " + op.face
            + std::to_string(op.size) + "/" + std::to_string(op.style) + " " + std::to_string(op.color) + "\n";
    return out;
}

} // namespace

TEST_F(Layout, AnEditInsideLaysOutOnlyChangedPagesAndMatchesAFullLayout)
{
    // Some pages of words in three sizes, line ends, superscripts, subscripts and emoticons.
    std::mt19937 random(11);
    const std::vector<std::string> pieces { "casa ", "blanca, ", "muy ", "\r",
        "x\x04"
        "2\x05 ",
        "H\x02"
        "2\x03O ",
        "\x06       \x07", "extraordinariamente " };
    std::string text;
    while (text.size() < 14000)
        text += pieces[random() % pieces.size()];
    doc.SetText(text);
    for (int i = 1; i <= doc.TokenCount(); ++i)
        doc.Records().Set(i, MakeFormatRecord({ 0xFFFFFF, 8 + (i / 40) % 5, 0, 0, 0, 0 }));
    options.insertionInside = true;
    Full();
    ASSERT_GE(doc.Pages().pageCount, 4);

    int stoppedEarly = 0;
    const std::string alphabet = "ab \r.\x04\x05";
    for (int round = 0; round < 300; ++round) {
        const std::size_t pos = random() % (doc.Text().size() + 1);
        std::string bytes;
        for (std::size_t i = random() % 3; i > 0; --i)
            bytes += alphabet[random() % alphabet.size()];
        TextChange change;
        ASSERT_EQ(doc.Replace(pos, random() % 4 == 0 ? 1 + random() % 3 : 0, bytes,
                      MakeFormatRecord({ 0xFFFFFF, 9 + round % 4, 0, 1, 0, 0 }), &change),
            EditStatus::Done);
        options.edit = change.tokens;
        FakeCanvas editCanvas;
        LayoutDocument(doc, settings, editCanvas, view, services, options);
        options.edit.reset();
        stoppedEarly += doc.Pages().surfacePage < doc.Pages().pageCount;

        Document whole;
        whole.SetText(doc.Text());
        for (int i = 1; i <= doc.TokenCount(); ++i)
            whole.Records().Set(i, doc.Records().Get(i));
        FakeCanvas wholeCanvas;
        ViewState wholeView;
        whole.Pages().Clear();
        LayoutDocument(whole, settings, wholeCanvas, wholeView, services, options);
        ASSERT_EQ(doc.Pages().pageCount, whole.Pages().pageCount) << round;
        for (int page = 1; page <= doc.Pages().pageCount; ++page) {
            ASSERT_EQ(doc.Pages().Slot(page).firstToken, whole.Pages().Slot(page).firstToken) << round << " " << page;
            ASSERT_EQ(Rendered(doc.Pages().Slot(page)), Rendered(whole.Pages().Slot(page))) << round << " " << page;
        }
    }
    EXPECT_GT(stoppedEarly, 200) << "most edits lay out a page or two";
}

TEST_F(Layout, MeasuredPlacesFindTheCaretAndTheNearestBoundary)
{
    Add("uno dos\rtres");
    Full();
    const std::size_t drawn = canvas.ops.size();
    const PagePlaces places = MeasurePage(doc, settings, canvas, 1);
    ASSERT_EQ(places.LineCount(), 2);
    // Size 10: every byte is 10 pixels wide, lines 15 high, from the margin at 40.
    const CaretPlace caret = CaretAt(places, 5); // "uno d|os"
    EXPECT_TRUE(caret.found);
    EXPECT_EQ(caret.x, 90);
    EXPECT_EQ(caret.y, 40);
    EXPECT_EQ(CaretAt(places, 7).x, 110) << "before the line end";
    EXPECT_EQ(CaretAt(places, 8).y, 55) << "after it, the next line";
    EXPECT_EQ(LineAt(places, 0), 0);
    EXPECT_EQ(LineAt(places, 54), 0);
    EXPECT_EQ(LineAt(places, 56), 1);
    EXPECT_EQ(LineAt(places, 900), 1);
    const std::size_t size = doc.Text().size();
    EXPECT_EQ(BoundaryOnLine(places, 0, 0, size), 0u) << "left of the text: its start";
    EXPECT_EQ(BoundaryOnLine(places, 0, 94, size), 5u);
    EXPECT_EQ(BoundaryOnLine(places, 0, 500, size), 7u) << "right of it: before the line end";
    EXPECT_EQ(BoundaryOnLine(places, 1, 500, size), size);
    EXPECT_EQ(canvas.ops.size(), drawn) << "measuring draws nothing";
}

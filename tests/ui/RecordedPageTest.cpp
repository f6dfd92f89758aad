
#include "platform/RecordedPage.h"

#include "CanvasTestSupport.h"
#include "document/PageTable.h"
#include "platform/QtCanvas.h"

#include <gtest/gtest.h>

using namespace quirel;
using namespace quirel::test;

namespace {

const QRect kPage(0, 0, kPageWidth, kPageHeight);

class RecordedPageTest : public ::testing::Test {
protected:
    // A page as layout paints it: frame, lines of words in several faces and colours, a marked
    // word, an emoticon over blanks, and a word running past the right edge.
    void PaintTextPage()
    {
        QImage smile(20, 20, QImage::Format_RGB32);
        smile.fill(QColor(255, 0, 255));
        for (int i = 2; i < 18; ++i) {
            smile.setPixel(i, 3, qRgb(30, 30, 200));
            smile.setPixel(i, i, qRgb(250, 220, 10));
        }
        canvas.Emoticons().Set(12, smile);

        canvas.Clear();
        canvas.DrawFrame();
        const char* words[] = { "El", "ni\xF1o", "compr\xF3", "pan", "y", "caf\xE9", "\xBFverdad?", "s\xED" };
        int y = 40;
        for (int line = 0; line < 40; ++line) {
            int x = 40;
            for (int i = 0; x < 700; ++i) {
                const int style = (line % 5 == 0) ? 1 : (line % 7 == 0 ? 6 : 0);
                canvas.SelectFont(line % 3 == 0 ? "Georgia" : "Candara", 12, style, CharSet::Ansi);
                canvas.SetColors(i % 9 == 4 ? 0x0000FF : 0x000000, line % 11 == 3 ? 0x80FFFF : 0xFFFFFF);
                x += canvas.DrawText(x, y, words[(line + i) % 8]);
                x += canvas.DrawText(x, y, " ");
            }
            y += canvas.LineHeight();
        }
        canvas.DrawText(40, y, "          ");
        canvas.DrawEmoticon(12, 50, y);
        canvas.DrawText(600, y + 30, "superextraordinariamente");
    }

    QtCanvas canvas;
};

TEST_F(RecordedPageTest, PagesRoundTripPixelExact)
{
    PageSlot slot;
    canvas.StorePage(slot); // the untouched surface: white, no frame
    EXPECT_EQ(FirstDifference(PageImage(slot), canvas.Image(), kPage), QPoint(-1, -1));

    canvas.DrawFrame();
    canvas.StorePage(slot);
    EXPECT_EQ(FirstDifference(PageImage(slot), canvas.Image(), kPage), QPoint(-1, -1));

    PaintTextPage();
    canvas.StorePage(slot); // the slot's picture is reused
    EXPECT_EQ(FirstDifference(PageImage(slot), canvas.Image(), kPage), QPoint(-1, -1));
    const auto& page = dynamic_cast<const RecordedPage&>(*slot.picture);
    EXPECT_LT(page.MemoryBytes(), 100u * 1024u) << "a text page takes a small part of its 3.5 MB";

    // Cleared again: the slot's picture becomes a blank page.
    canvas.Clear();
    canvas.StorePage(slot);
    EXPECT_TRUE(BoundsOfOther(PageImage(slot), kPage, 0xFFFFFFFFu).isNull());
}

TEST_F(RecordedPageTest, PaintingInStepsGivesThePixelsOfPaintingAtOnce)
{
    // Looking at the image in the middle of a line paints what was drawn so far; the rest of the
    // line must still come out as it does when nothing is looked at before the end.
    QtCanvas atOnce;
    QtCanvas inSteps;
    for (QtCanvas* c : { &atOnce, &inSteps }) {
        c->SelectFont("Candara", 14, 2, CharSet::Ansi);
        c->SetColors(0x000000, 0xE0E0FF);
    }
    int x1 = 40;
    int x2 = 40;
    for (const char* word : { "f", "ff", " ", "fin", "al", " ", "f", "\xEDjate" }) {
        x1 += atOnce.DrawText(x1, 100, word);
        x2 += inSteps.DrawText(x2, 100, word);
        (void)inSteps.Image();
    }
    EXPECT_EQ(FirstDifference(atOnce.Image(), inSteps.Image(), kPage), QPoint(-1, -1));

    PageSlot slot;
    inSteps.StorePage(slot);
    EXPECT_EQ(FirstDifference(PageImage(slot), inSteps.Image(), kPage), QPoint(-1, -1));
}

TEST_F(RecordedPageTest, ABlinkingCursorDoesNotGrowThePage)
{
    // The cursor blink draws the cursor glyph (bold) and a blank (regular) in turn at one place,
    // looking at the image after each; the page keeps one operation for it and shows the last.
    PaintTextPage();
    canvas.SelectFont("Consolas", 10, 0, CharSet::Oem);
    canvas.SetColors(0x000000, 0xFFFFFF);
    canvas.DrawText(400, 1000, "|");
    PageSlot slot;
    canvas.StorePage(slot);
    const std::size_t operations = dynamic_cast<const RecordedPage&>(*slot.picture).OperationCount();
    for (int blink = 0; blink < 1000; ++blink) {
        const bool shown = blink % 2 == 1;
        canvas.SelectFont("Consolas", 10, shown ? 1 : 0, CharSet::Oem);
        canvas.DrawText(400, 1000, shown ? "|" : " ");
        canvas.StorePage(slot);
        if (blink % 100 == 0) (void)canvas.Image();
    }
    EXPECT_EQ(dynamic_cast<const RecordedPage&>(*slot.picture).OperationCount(), operations);

    const QImage blinked = canvas.Image().copy();
    EXPECT_EQ(FirstDifference(PageImage(slot), blinked, kPage), QPoint(-1, -1));
    const QRect ink = BoundsOfOther(blinked, QRect(390, 990, 30, 40), 0xFFFFFFFFu);
    EXPECT_FALSE(ink.isNull()) << "the last blink shows the cursor";
    EXPECT_TRUE(ink.intersects(QRect(400, 1000, 10, 20)));
}

TEST_F(RecordedPageTest, APictureOutlivesTheCanvasThatDrewIt)
{
    PageSlot slot;
    QImage expected;
    {
        QtCanvas other;
        other.DrawFrame();
        other.SelectFont("Georgia", 16, 1, CharSet::Ansi);
        other.SetColors(0x0000FF, 0xFFFFFF);
        other.DrawText(100, 100, "Adi\xF3s");
        other.StorePage(slot);
        expected = other.Image().copy();
    }
    EXPECT_EQ(FirstDifference(PageImage(slot), expected, kPage), QPoint(-1, -1));
}

TEST_F(RecordedPageTest, ASlotWithoutPictureIsAWhiteFramedPage)
{
    PageSlot slot;
    const QImage image = PageImage(slot);
    ASSERT_EQ(image.size(), QSize(kPageWidth, kPageHeight));
    EXPECT_EQ(CountColour(image, kPage, 0xFF000000u), 2 * kPageWidth + 2 * kPageHeight - 4);
    EXPECT_EQ(CountColour(image, kPage.adjusted(1, 1, -1, -1), 0xFFFFFFFFu), (kPageWidth - 2) * (kPageHeight - 2));

    QtCanvas framed;
    framed.DrawFrame();
    EXPECT_EQ(FirstDifference(image, framed.Image(), kPage), QPoint(-1, -1));
}

} // namespace

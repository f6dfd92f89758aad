#include "platform/QtCanvas.h"

#include "CanvasTestSupport.h"
#include "platform/FaceResolver.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <gtest/gtest.h>

using namespace quirel;
using namespace quirel::test;

namespace {

constexpr std::uint32_t kRed = 0x0000FF; // colour references are 0x00BBGGRR
constexpr std::uint32_t kBlue = 0xFF0000;
constexpr std::uint32_t kBlackRef = 0x000000;
constexpr std::uint32_t kWhiteRef = 0xFFFFFF;
constexpr QRgb kRedRgb = 0xFFFF0000u;
constexpr QRgb kBlueRgb = 0xFF0000FFu;
constexpr QRgb kWhiteRgb = 0xFFFFFFFFu;
constexpr QRgb kBlackRgb = 0xFF000000u;

class QtCanvasTest : public ::testing::Test {
protected:
    QtCanvas canvas;
};

TEST_F(QtCanvasTest, TextIsDrawnInItsColourOnAnOpaqueBackgroundOfTheCharacterHeight)
{
    canvas.SelectFont("Candara", 18, 0, CharSet::Ansi);
    canvas.SetColors(kRed, kBlue);
    const int advance = canvas.DrawText(100, 200, "Hola");
    const int height = canvas.CharacterHeight();
    ASSERT_GT(advance, 20);
    const QImage& image = canvas.Image();
    const QRect cell(100, 200, advance, height);

    EXPECT_GT(CountColour(image, cell, kRedRgb), 20) << "solid text pixels";
    // Every pixel of the cell is text, background or a mix of the two: no white left, no green.
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x)
            ASSERT_EQ(qGreen(image.pixel(x, y)), 0) << x << "," << y;
    EXPECT_EQ(image.pixel(cell.topLeft()), kBlueRgb);
    EXPECT_EQ(image.pixel(cell.topRight()), kBlueRgb);
    EXPECT_EQ(image.pixel(cell.bottomRight()), kBlueRgb);
    // Nothing outside the cell.
    EXPECT_EQ(image.pixel(99, 210), kWhiteRgb);
    EXPECT_EQ(image.pixel(100 + advance, 210), kWhiteRgb);
    EXPECT_EQ(image.pixel(110, 199), kWhiteRgb);
    EXPECT_EQ(image.pixel(110, 200 + height), kWhiteRgb);
}

TEST_F(QtCanvasTest, TheAdvanceIsWhereTheNextTextContinuesSeamlessly)
{
    for (const char* face : { "Candara", "Georgia", "Consolas", "Tahoma" }) {
        SCOPED_TRACE(face);
        QtCanvas whole;
        QtCanvas pieces;
        for (QtCanvas* c : { &whole, &pieces }) {
            c->SelectFont(face, 12, 0, CharSet::Ansi);
            c->SetColors(kBlackRef, 0xC0FFC0);
        }
        const int wholeAdvance = whole.DrawText(50, 60, "Caminante, no hay camino");
        int x = 50;
        for (const char* piece : { "Caminante", ",", " ", "no", " ", "hay", " ", "camino" })
            x += pieces.DrawText(x, 60, piece);
        EXPECT_EQ(x - 50, wholeAdvance);
        // The glyphs stand where they stand in the whole line. The only difference allowed is a
        // glyph's overhang into the next cell, which that cell's opaque background covers.
        int differences = 0;
        for (int y = 40; y < 100; ++y) {
            for (int col = 0; col < kPageWidth; ++col) {
                if (whole.Image().pixel(col, y) == pieces.Image().pixel(col, y)) continue;
                ++differences;
                EXPECT_EQ(pieces.Image().pixel(col, y), qRgb(0xC0, 0xFF, 0xC0)) << col << "," << y;
            }
        }
        EXPECT_LE(differences, 4);
    }
}

TEST_F(QtCanvasTest, BoldIsWiderAndDarker)
{
    canvas.SelectFont("Candara", 12, 0, CharSet::Ansi);
    canvas.SetColors(kBlackRef, kWhiteRef);
    const int plain = canvas.DrawText(40, 40, "mundo");
    canvas.SelectFont("Candara", 12, 1, CharSet::Ansi);
    const int bold = canvas.DrawText(40, 80, "mundo");
    EXPECT_GT(bold, plain);
    const QImage& image = canvas.Image();
    EXPECT_GT(CountColour(image, QRect(40, 80, bold, 20), kBlackRgb),
        CountColour(image, QRect(40, 40, plain, 20), kBlackRgb));
}

TEST_F(QtCanvasTest, UnderlineAndStrikeThroughDrawARowAcrossTheWholeText)
{
    // A row of the cell that is text colour from the first to the last pixel.
    auto fullRows = [](const QImage& image, int x, int y, int width, int height) {
        std::vector<int> rows;
        for (int row = y; row < y + height; ++row)
            if (CountColour(image, QRect(x, row, width, 1), kRedRgb) == width) rows.push_back(row - y);
        return rows;
    };
    canvas.SelectFont("Candara", 14, 0, CharSet::Ansi);
    canvas.SetColors(kRed, kWhiteRef);
    const int height = canvas.CharacterHeight();
    const int plain = canvas.DrawText(40, 40, "ojo ojo");
    canvas.SelectFont("Candara", 14, 4, CharSet::Ansi);
    const int underlined = canvas.DrawText(40, 100, "ojo ojo");
    canvas.SelectFont("Candara", 14, 8, CharSet::Ansi);
    const int struck = canvas.DrawText(40, 160, "ojo ojo");
    ASSERT_EQ(plain, underlined);
    ASSERT_EQ(plain, struck);

    const QImage& image = canvas.Image();
    EXPECT_TRUE(fullRows(image, 40, 40, plain, height).empty());
    const auto under = fullRows(image, 40, 100, plain, height);
    const auto strike = fullRows(image, 40, 160, plain, height);
    ASSERT_FALSE(under.empty());
    ASSERT_FALSE(strike.empty());
    // The underline lies below the strike-through, which crosses the small letters.
    EXPECT_GT(under.front(), strike.back());
    const QRect ink = BoundsOfOther(image, QRect(40, 40, plain, height), kWhiteRgb);
    EXPECT_GT(strike.front(), ink.top() - 40);
    EXPECT_LT(strike.back(), ink.bottom() - 40);
}

TEST_F(QtCanvasTest, LineHeightIsCharacterHeightPlusExternalLeading)
{
    // Carlito at 24 pixels (18 points) is 29 high with 5 of leading; Liberation Mono has none.
    canvas.SelectFont("Candara", 18, 0, CharSet::Ansi);
    EXPECT_EQ(canvas.CharacterHeight(), 29);
    EXPECT_EQ(canvas.LineHeight(), 34);
    // Sizes in points become pixels at 96 per inch, rounded: 10 points are 13 pixels.
    struct Case {
        const char* face;
        const char* family;
        int points;
        int pixels;
    };
    for (const Case& c : { Case { "Candara", "Carlito", 10, 13 }, Case { "Candara", "Carlito", 11, 15 },
             Case { "Consolas", "Liberation Mono", 10, 13 }, Case { "Georgia", "Caladea", 36, 48 },
             Case { "Tahoma", "DejaVu Sans", 8, 11 } }) {
        SCOPED_TRACE(c.face);
        QFont font(QString::fromLatin1(c.family));
        font.setPixelSize(c.pixels);
        const QFontMetrics metrics(font);
        canvas.SelectFont(c.face, c.points, 0, CharSet::Ansi);
        EXPECT_EQ(canvas.CharacterHeight(), metrics.height());
        EXPECT_EQ(canvas.LineHeight(), metrics.height() + std::max(0, metrics.leading()));
    }
}

TEST_F(QtCanvasTest, WindowsLatinBytesDrawTheirCharactersAndControlsDrawBlank)
{
    canvas.SelectFont("Georgia", 20, 0, CharSet::Ansi);
    canvas.SetColors(kBlackRef, kWhiteRef);
    const int n = canvas.DrawText(40, 40, "n");
    const int enye = canvas.DrawText(100, 40, "\xF1");
    const QImage& image = canvas.Image();
    const QRect inkN = BoundsOfOther(image, QRect(40, 40, n, 40), kWhiteRgb);
    const QRect inkEnye = BoundsOfOther(image, QRect(100, 40, enye, 40), kWhiteRgb);
    EXPECT_EQ(inkN.bottom(), inkEnye.bottom());
    EXPECT_LT(inkEnye.top(), inkN.top() - 2) << "the tilde stands above the n";

    // The removed-word marker, the tab and LF are one blank wide and leave no ink.
    const int blank = canvas.TextAdvance(" ");
    for (const char* control : { "\x01", "\t", "\n" }) {
        const int advance = canvas.DrawText(200, 100, control);
        EXPECT_EQ(advance, blank);
        EXPECT_TRUE(BoundsOfOther(canvas.Image(), QRect(180, 80, 60, 60), kWhiteRgb).isNull());
    }
}

TEST_F(QtCanvasTest, TextPartlyOffThePageIsClippedAndKeepsItsAdvance)
{
    canvas.SelectFont("Candara", 20, 0, CharSet::Ansi);
    canvas.SetColors(kBlackRef, kBlue);
    const int inside = canvas.TextAdvance("extraordinariamente");
    EXPECT_EQ(canvas.DrawText(700, 1110, "extraordinariamente"), inside);
    EXPECT_EQ(canvas.DrawText(-30, -10, "extraordinariamente"), inside);
    EXPECT_EQ(canvas.DrawText(900, 2000, "fuera"), canvas.TextAdvance("fuera"));
    EXPECT_EQ(canvas.Image().pixel(793, 1121), kBlueRgb);
    EXPECT_EQ(canvas.Image().pixel(0, 0), kBlueRgb);
}

TEST_F(QtCanvasTest, ClearLeavesAWhitePageAndTheFrameIsOnePixelAroundIt)
{
    canvas.SelectFont("Candara", 12, 5, CharSet::Ansi);
    canvas.SetColors(kRed, kBlue);
    canvas.DrawFrame();
    canvas.DrawText(0, 0, "esquina");
    canvas.DrawText(760, 1100, "esquina");
    canvas.DrawText(300, 500, "centro");
    canvas.Clear();
    const QRect page(0, 0, kPageWidth, kPageHeight);
    EXPECT_TRUE(BoundsOfOther(canvas.Image(), page, kWhiteRgb).isNull());

    canvas.DrawFrame();
    const QImage& image = canvas.Image();
    EXPECT_EQ(CountColour(image, page, kBlackRgb), 2 * kPageWidth + 2 * kPageHeight - 4);
    for (const QPoint corner : { QPoint(0, 0), QPoint(793, 0), QPoint(0, 1121), QPoint(793, 1121), QPoint(0, 500) })
        EXPECT_EQ(image.pixel(corner), kBlackRgb);
    EXPECT_EQ(image.pixel(1, 1), kWhiteRgb);
}

TEST_F(QtCanvasTest, WhiteBackgroundCoversWhatWasDrawnBefore)
{
    // Drawing on a white background must still paint the white cell over earlier drawing,
    // including the frame.
    canvas.DrawFrame();
    canvas.SelectFont("Consolas", 12, 0, CharSet::Ansi);
    canvas.SetColors(kBlackRef, kBlue);
    const int blue = canvas.DrawText(0, 300, "          ");
    canvas.SetColors(kBlackRef, kWhiteRef);
    const int white = canvas.DrawText(0, 300, "   ");
    ASSERT_LT(white, blue);
    const QImage& image = canvas.Image();
    const int height = canvas.CharacterHeight();
    EXPECT_EQ(CountColour(image, QRect(0, 300, white, height), kWhiteRgb), white * height);
    EXPECT_EQ(CountColour(image, QRect(white, 300, blue - white, height), kBlueRgb), (blue - white) * height);

    canvas.DrawText(100, 0, "  ");
    EXPECT_EQ(canvas.Image().pixel(101, 0), kWhiteRgb) << "the cell covers the frame";
    EXPECT_EQ(canvas.Image().pixel(99, 0), kBlackRgb);
}

TEST_F(QtCanvasTest, EmoticonsDrawTheirOpaquePixelsOnly)
{
    QImage smile(20, 20, QImage::Format_RGB32);
    smile.fill(QColor(255, 0, 255));
    for (int y = 5; y < 15; ++y)
        for (int x = 5; x < 15; ++x)
            smile.setPixel(x, y, qRgb(255, 200, 0));
    smile.setPixel(19, 19, qRgb(254, 0, 255)); // close to magenta is still a colour
    canvas.Emoticons().Set(7, smile);
    QImage flag(40, 24, QImage::Format_RGB32); // drawn at half size: 20 × 12
    flag.fill(QColor(0, 128, 0));
    canvas.Emoticons().Set(9, flag);

    canvas.SelectFont("Consolas", 12, 0, CharSet::Ansi);
    canvas.SetColors(kBlackRef, kBlue);
    canvas.DrawText(100, 100, "          ");
    canvas.DrawText(100, 110, "          ");
    canvas.DrawEmoticon(7, 100, 100);
    canvas.DrawEmoticon(9, 300, 300);
    const QImage& image = canvas.Image();
    EXPECT_EQ(CountColour(image, QRect(100, 100, 20, 20), qRgb(255, 200, 0)), 100);
    EXPECT_EQ(image.pixel(119, 119), qRgb(254, 0, 255));
    EXPECT_EQ(image.pixel(100, 100), kBlueRgb) << "magenta is transparent";
    EXPECT_EQ(image.pixel(118, 118), kBlueRgb);
    EXPECT_EQ(CountColour(image, QRect(0, 0, kPageWidth, kPageHeight), qRgb(255, 0, 255)), 0);
    EXPECT_EQ(BoundsOfOther(image, QRect(280, 280, 60, 60), kWhiteRgb), QRect(300, 300, 20, 12));

    // Numbers without a picture draw nothing.
    const QImage before = image.copy();
    for (const int number : { 0, -3, 189, 1000 })
        canvas.DrawEmoticon(number, 400, 400);
    EXPECT_EQ(FirstDifference(before, canvas.Image(), QRect(0, 0, kPageWidth, kPageHeight)), QPoint(-1, -1));
}

TEST_F(QtCanvasTest, SubstitutesGiveAMonospacedConsolasAndRealFacesForTheOthers)
{
    struct Case {
        const char* face;
        const char* family;
    };
    for (const Case& c : { Case { "Consolas", "Liberation Mono" }, Case { "Courier New", "Liberation Mono" },
             Case { "Candara", "Carlito" }, Case { "Segoe UI", "Carlito" }, Case { "Georgia", "Caladea" },
             Case { "MS Sans Serif", "Liberation Sans" }, Case { "Tahoma", "DejaVu Sans" } }) {
        const QString family = FaceResolver::Shared().Family(QString::fromLatin1(c.face));
        EXPECT_EQ(family, QString::fromLatin1(c.family)) << c.face;
        EXPECT_EQ(QFontInfo(QFont(family)).family(), family) << c.face;
        // Documents and settings may write a name in any case.
        EXPECT_EQ(FaceResolver::Shared().Family(QString::fromLatin1(c.face).toUpper()), family) << c.face;
    }
    // The cursor is drawn in Consolas with the OEM character set.
    canvas.SelectFont("Consolas", 10, 0, CharSet::Oem);
    EXPECT_EQ(canvas.TextAdvance("i"), canvas.TextAdvance("W"));
    EXPECT_EQ(canvas.TextAdvance("|"), canvas.TextAdvance("m"));
    canvas.SelectFont("Candara", 10, 0, CharSet::Ansi);
    EXPECT_LT(canvas.TextAdvance("i"), canvas.TextAdvance("W"));
    EXPECT_TRUE(FaceResolver::Shared().StandIns(QStringLiteral("Carlito")).isEmpty())
        << "installed faces stay themselves";
    EXPECT_EQ(FaceResolver::Shared().Family(QStringLiteral("caladea")), QStringLiteral("Caladea"));
}

} // namespace

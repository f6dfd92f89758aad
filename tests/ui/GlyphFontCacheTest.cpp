#include "CanvasTestSupport.h"
#include "document/Cp1252.h"
#include "document/PageTable.h"
#include "platform/GlyphFont.h"
#include "platform/QtCanvas.h"
#include "platform/RecordedPage.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

using namespace quirel;
using namespace quirel::test;

namespace {

// The program's font substitutes are not installed here: they are process-wide, and tests that
// run later count pixels of the faces they get without them.
class GlyphFontCacheTest : public ::testing::Test { };

// Fonts are measured without making a font for each size: the heights must still be Qt's own, and
// each advance within a pixel of Qt's.
TEST_F(GlyphFontCacheTest, MeasuresAsQtDoes)
{
    GlyphFontCache cache;
    const std::string text = Utf8ToCp1252("AaWiñÑ¿?0 m.é");
    // The families the program's faces are drawn with (named directly: no substitutes here).
    for (const char* face :
        { "Carlito", "Caladea", "Liberation Mono", "DejaVu Sans", "Liberation Serif", "Liberation Sans Narrow" })
        for (const int points : { 1, 6, 10, 13, 36, 90, 255 })
            for (int style = 0; style < 4; ++style) {
                SCOPED_TRACE(std::string(face) + " " + std::to_string(points) + " " + std::to_string(style));
                QFont font(QString::fromLatin1(face));
                font.setPixelSize(PointsToPixels(points));
                font.setWeight((style & 1) ? QFont::Bold : QFont::Normal);
                font.setItalic((style & 2) != 0);
                font.setKerning(false);
                const QFontMetrics qt(font);
                const GlyphMetrics& ours = *cache.Metrics(cache.Id(face, points, style));
                EXPECT_EQ(ours.ascent, qt.ascent());
                EXPECT_EQ(ours.height, qt.height());
                EXPECT_EQ(ours.lineHeight, qt.height() + std::max(0, qt.leading()));
                EXPECT_EQ(ours.lineThickness, std::max(1, qt.lineWidth()));
                for (const char c : text) {
                    const QChar shown(static_cast<char16_t>(Cp1252ToUnicode(static_cast<unsigned char>(c))));
                    EXPECT_NEAR(ours.advance[static_cast<unsigned char>(c)], qt.horizontalAdvance(shown), 1) << c;
                }
            }
}

// A document may cycle through more formats than fonts are kept: the fonts ready to draw stay
// few, and a page whose fonts were dropped paints again exactly as before.
TEST_F(GlyphFontCacheTest, ManyFormatsKeepFewFontsAndPagesPaintTheSameAgain)
{
    QtCanvas canvas;
    PageTable pages;
    const char* faces[] = { "Carlito", "Caladea", "Liberation Mono", "DejaVu Sans", "Liberation Sans", "DejaVu Serif" };
    for (int page = 1; page <= 3; ++page) {
        canvas.Clear();
        canvas.DrawFrame();
        int x = 40;
        int y = 40;
        for (int i = 0; i < 300; ++i) {
            canvas.SelectFont(faces[(i + page) % 6], 8 + (i / 6 + page * 13) % 40, (i / 120) % 4, CharSet::Ansi);
            canvas.SetColors(static_cast<std::uint32_t>(i * 2654435761u) & 0xFFFFFF, 0xFFFFFF);
            x += canvas.DrawText(x, y,
                "pal\xE1"
                "bra ");
            if (x > 650) {
                x = 40;
                y += canvas.LineHeight();
            }
        }
        canvas.StorePage(pages.Slot(page));
    }
    const QImage first = PageImage(pages.Slot(1));
    const QImage second = PageImage(pages.Slot(2));
    // More fonts were drawn with than are kept.
    EXPECT_EQ(canvas.Fonts().DrawingFontsHeld(), GlyphFontCache::kDrawingFonts);
    EXPECT_EQ(FirstDifference(PageImage(pages.Slot(1)), first, QRect(0, 0, kPageWidth, kPageHeight)), QPoint(-1, -1));
    EXPECT_EQ(FirstDifference(PageImage(pages.Slot(2)), second, QRect(0, 0, kPageWidth, kPageHeight)), QPoint(-1, -1));
    EXPECT_NE(FirstDifference(first, second, QRect(0, 0, kPageWidth, kPageHeight)), QPoint(-1, -1));
}

} // namespace

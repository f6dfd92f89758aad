#include "platform/GlyphFontCache.h"

#include "CanvasTestSupport.h"
#include "document/Cp1252.h"
#include "document/FormatRecord.h"
#include "document/PageTable.h"
#include "platform/QtCanvas.h"
#include "platform/RecordedPage.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
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
    // The families the program's faces are drawn with (named directly: no substitutes here), and
    // a name no system has, which measures as the face the system falls back to.
    for (const char* face : { "Carlito", "Caladea", "Liberation Mono", "DejaVu Sans", "Liberation Serif",
             "Liberation Sans Narrow", "Tipo Ausente" })
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

// More faces are measured than faces are kept: their measures go with them and are made again,
// each id still measuring as its own face and size.
TEST_F(GlyphFontCacheTest, FacesDroppedAndMadeAgainMeasureAlike)
{
    GlyphFontCache cache;
    struct Seen {
        FontId id;
        int ascent;
        int lineHeight;
        int advance;
    };
    std::vector<Seen> seen;
    const QStringList families = QFontDatabase::families();
    for (const QString& family : families)
        for (int style = 0; style < 4; ++style)
            for (const int points : { 7, 12, 40 }) {
                const FontId id = cache.Id(family.toStdString(), points, style);
                const auto metrics = cache.Metrics(id);
                seen.push_back({ id, metrics->ascent, metrics->lineHeight, metrics->advance['W'] });
            }
    if (static_cast<std::size_t>(families.size()) * 4 <= GlyphFontCache::kFaces)
        GTEST_SKIP() << "too few faces installed to drop some";
    for (const Seen& before : seen) {
        const auto metrics = cache.Metrics(before.id);
        ASSERT_EQ(metrics->ascent, before.ascent) << before.id;
        ASSERT_EQ(metrics->lineHeight, before.lineHeight) << before.id;
        ASSERT_EQ(metrics->advance['W'], before.advance) << before.id;
    }
}

// A file may name hundreds of faces this system lacks, each in many sizes and styles. Every such
// name is drawn with the face the system falls back to, and shares that face's measures and
// drawing fonts: what is held grows with the faces drawn, not with the names times sizes times
// styles (each of which once cost a full match of the name). The page looks exactly as if it
// named the fallback face itself.
TEST_F(GlyphFontCacheTest, UnknownNamesShareTheFallbackFaceAndPaintAsIt)
{
    QFont probe(QStringLiteral("Tipo Ausente 0"));
    probe.setStyleStrategy(QFont::NoFontMerging);
    const std::string fallback = QFontInfo(probe).family().toStdString();
    ASSERT_NE(fallback, "Tipo Ausente 0");

    struct Case {
        int points;
        int style;
    };
    const Case cases[] = { { 1, 0 }, { 8, 1 }, { 10, 0 }, { 11, 2 }, { 24, 3 }, { 48, 1 }, { 254, 0 } };
    QtCanvas named;
    QtCanvas unknown;
    PageTable pages;
    GlyphFontCache& fonts = unknown.Fonts();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.points) + " points, style " + std::to_string(c.style));
        const FontId own = fonts.Id(fallback, c.points, c.style);
        for (int name = 0; name < 256; ++name) {
            const FontId id = fonts.Id("Tipo Ausente " + std::to_string(name), c.points, c.style);
            ASSERT_EQ(fonts.Metrics(id).get(), fonts.Metrics(own).get()) << name;
            ASSERT_EQ(fonts.Font(id).get(), fonts.Font(own).get()) << name;
        }
    }
    // One drawing font for each size and style drawn, whatever the names.
    EXPECT_EQ(fonts.DrawingFontsHeld(), std::size(cases));

    // The same lines, one drawn with the names and one with the fallback face, pixel for pixel.
    for (QtCanvas* canvas : { &named, &unknown }) {
        canvas->Clear();
        canvas->DrawFrame();
        int y = 20;
        int name = 0;
        for (const Case& c : cases) {
            if (c.points > 100) continue; // the page holds the others
            int x = 30;
            for (const char* word : { "Ca\xF1\xF3n ", "\xBFqu\xE9? ", "Wafle " }) {
                const int n = name++;
                canvas->SelectFont(canvas == &named ? fallback : "Tipo Ausente " + std::to_string(n), c.points,
                    c.style | (n % 3 == 0 ? kStyleUnderline : 0), CharSet::Ansi);
                canvas->SetColors(0x1F2F3F, 0xFFFFFF);
                x += canvas->DrawText(x, y, word);
            }
            y += canvas->LineHeight();
        }
    }
    named.StorePage(pages.Slot(1));
    unknown.StorePage(pages.Slot(2));
    const QImage expected = PageImage(pages.Slot(1));
    EXPECT_GT(BoundsOfOther(expected, QRect(30, 20, 700, 300), 0xFFFFFFFFu).height(), 100) << "text was drawn";
    EXPECT_EQ(
        FirstDifference(PageImage(pages.Slot(2)), expected, QRect(0, 0, kPageWidth, kPageHeight)), QPoint(-1, -1));
}

} // namespace

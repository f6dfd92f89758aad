#include "platform/QtCanvas.h"

#include "document/PageTable.h"
#include "platform/CompressedPage.h"

#include <algorithm>

namespace quirel {

namespace {

// Glyph coverage a (1 to 254) of colour over the pixel below, per channel (x + x/256 + 128) / 256
// as the division by 255.
inline QRgb Blend(QRgb below, QRgb colour, unsigned a)
{
    const unsigned ia = 255u - a;
    std::uint32_t rb = (colour & 0xFF00FFu) * a + (below & 0xFF00FFu) * ia;
    std::uint32_t g = (colour & 0x00FF00u) * a + (below & 0x00FF00u) * ia;
    rb = ((rb + ((rb >> 8) & 0xFF00FFu) + 0x800080u) >> 8) & 0xFF00FFu;
    g = ((g + ((g >> 8) & 0x00FF00u) + 0x008000u) >> 8) & 0x00FF00u;
    return 0xFF000000u | rb | g;
}

constexpr int kDefaultPoints = 10;

} // namespace

QtCanvas::QtCanvas()
{
    SelectFont("Tahoma", kDefaultPoints, 0, CharSet::Ansi);
}

void QtCanvas::Clear()
{
    m_surface.Clear();
}

void QtCanvas::DrawFrame()
{
    m_surface.DrawFrame();
}

void QtCanvas::SelectFont(std::string_view face, int sizePoints, int style, CharSet)
{
    // Layout selects a font for nearly every token, mostly the one already selected.
    if (sizePoints == m_sizePoints && style == m_style && face == m_face) return;
    // Underline and strike-through are lines drawn with the text; the glyphs are the same.
    m_font = &m_fonts.Get(face, sizePoints, style & 3);
    m_face.assign(face);
    m_sizePoints = sizePoints;
    m_style = style;
}

int QtCanvas::LineHeight()
{
    return m_font->LineHeight();
}

void QtCanvas::SetColors(std::uint32_t text, std::uint32_t background)
{
    m_text = ToRgb(text);
    m_background = ToRgb(background);
}

int QtCanvas::DrawText(int x, int y, std::string_view text)
{
    const GlyphFont& font = *m_font;
    const int advance = font.TextAdvance(text);
    if (advance <= 0) return advance;
    const int height = font.Height();
    m_surface.Fill(x, y, x + advance, y + height, m_background);

    QRgb* pixels = m_surface.Pixels();
    const int baseline = y + font.Ascent();
    int inkTop = baseline;
    int inkBottom = baseline;
    int inkLeft = x;
    int inkRight = x;
    DrawGlyphs(pixels, x, baseline, text, inkTop, inkBottom, inkLeft, inkRight);
    m_surface.MarkChanged(inkLeft, inkTop, inkRight, inkBottom);

    const int thickness = font.LineThickness();
    if (m_style & 4) {
        const int top = baseline + font.UnderlineTop();
        m_surface.Fill(x, top, x + advance, top + thickness, m_text);
    }
    if (m_style & 8) {
        const int top = baseline + font.StrikeTop();
        m_surface.Fill(x, top, x + advance, top + thickness, m_text);
    }
    return advance;
}

void QtCanvas::DrawGlyphs(
    QRgb* pixels, int x, int baseline, std::string_view text, int& inkTop, int& inkBottom, int& inkLeft, int& inkRight)
{
    GlyphFont& font = *m_font;
    const QRgb colour = m_text;
    int pen = x;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const GlyphFont::Mask& mask = font.GlyphMask(byte);
        const int left = pen + mask.left;
        const int top = baseline + mask.top;
        pen += font.Advance(byte);
        if (mask.width == 0) continue;
        // Only the part of the glyph that lies on the page is drawn.
        const int x0 = std::max(left, 0);
        const int x1 = std::min(left + mask.width, kPageWidth);
        const int y0 = std::max(top, 0);
        const int y1 = std::min(top + mask.height, kPageHeight);
        if (x0 >= x1 || y0 >= y1) continue;
        inkLeft = std::min(inkLeft, x0);
        inkRight = std::max(inkRight, x1);
        inkTop = std::min(inkTop, y0);
        inkBottom = std::max(inkBottom, y1);
        const std::uint8_t* coverage = font.Coverage(mask) + (y0 - top) * mask.width + (x0 - left);
        for (int row = y0; row < y1; ++row, coverage += mask.width) {
            QRgb* line = pixels + row * PageSurface::Stride();
            for (int col = x0; col < x1; ++col) {
                const unsigned a = coverage[col - x0];
                if (a == 0) continue;
                line[col] = a == 255 ? colour : Blend(line[col], colour, a);
            }
        }
    }
}

void QtCanvas::DrawEmoticon(int number, int x, int y)
{
    const EmoticonPictures::Picture* picture = m_emoticons.Get(number);
    if (!picture) return;
    QRgb* pixels = m_surface.Pixels();
    for (const auto& run : picture->runs) {
        const int row = y + run.y;
        if (row < 0 || row >= kPageHeight) continue;
        const int x0 = std::max(x + run.x, 0);
        const int x1 = std::min(x + run.x + run.length, kPageWidth);
        if (x0 >= x1) continue;
        const QRgb* source = picture->pixels.data() + run.start + (x0 - x - run.x);
        std::copy(source, source + (x1 - x0), pixels + row * PageSurface::Stride() + x0);
    }
    m_surface.MarkChanged(x, y, x + picture->width, y + picture->height);
}

void QtCanvas::StorePage(PageSlot& slot)
{
    CompressedPage::Store(m_surface, slot);
}

} // namespace quirel

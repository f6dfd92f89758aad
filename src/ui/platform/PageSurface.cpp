#include "platform/PageSurface.h"

#include "document/FormatRecord.h"

#include <algorithm>
#include <cstring>

namespace quirel {

namespace {

// Glyph coverage a (1 to 254) of colour over the pixel below; per channel (x + x / 256 + 128) / 256
// stands for the division by 255.
inline QRgb Blend(QRgb below, QRgb colour, unsigned a)
{
    const unsigned ia = 255u - a;
    std::uint32_t rb = (colour & 0xFF00FFu) * a + (below & 0xFF00FFu) * ia;
    std::uint32_t g = (colour & 0x00FF00u) * a + (below & 0x00FF00u) * ia;
    rb = ((rb + ((rb >> 8) & 0xFF00FFu) + 0x800080u) >> 8) & 0xFF00FFu;
    g = ((g + ((g >> 8) & 0x00FF00u) + 0x008000u) >> 8) & 0x00FF00u;
    return 0xFF000000u | rb | g;
}

} // namespace

PageSurface::PageSurface()
    : PageSurface(QImage())
{
}

PageSurface::PageSurface(QImage&& image)
    : m_image(std::move(image))
{
    if (m_image.width() != kPageWidth || m_image.height() != kPageHeight || m_image.format() != QImage::Format_RGB32)
        m_image = QImage(kPageWidth, kPageHeight, QImage::Format_RGB32);
    m_pixels = reinterpret_cast<QRgb*>(m_image.bits());
    // White is every byte 0xFF.
    std::memset(m_pixels, 0xFF, static_cast<std::size_t>(m_image.sizeInBytes()));
}

QRgb* PageSurface::Pixels()
{
    // Someone kept a shallow copy of the image: give them their own pixels before we draw.
    if (!m_image.isDetached()) m_pixels = reinterpret_cast<QRgb*>(m_image.bits());
    return m_pixels;
}

void PageSurface::Clear()
{
    QRgb* pixels = Pixels();
    for (int y = 0; y < kPageHeight; ++y) {
        RowExtent& row = m_rows[static_cast<std::size_t>(y)];
        QRgb* line = pixels + y * Stride();
        if (m_framed && (y == 0 || y == kPageHeight - 1)) {
            std::fill(line, line + kPageWidth, kWhite);
        } else {
            if (row.begin < row.end) std::fill(line + row.begin, line + row.end, kWhite);
            if (m_framed) {
                line[0] = kWhite;
                line[kPageWidth - 1] = kWhite;
            }
        }
        row = RowExtent {};
    }
    m_framed = false;
}

void PageSurface::DrawFrame()
{
    QRgb* pixels = Pixels();
    for (const int y : { 0, kPageHeight - 1 }) {
        if (y >= m_clipY0 && y < m_clipY1)
            std::fill(pixels + y * Stride() + m_clipX0, pixels + y * Stride() + m_clipX1, kBlack);
    }
    const int y0 = std::max(m_clipY0, 1);
    const int y1 = std::min(m_clipY1, kPageHeight - 1);
    for (int y = y0; y < y1; ++y) {
        if (m_clipX0 == 0) pixels[y * Stride()] = kBlack;
        if (m_clipX1 == kPageWidth) pixels[y * Stride() + kPageWidth - 1] = kBlack;
    }
    if (m_clipX0 == 0 && m_clipY0 == 0 && m_clipX1 == kPageWidth && m_clipY1 == kPageHeight) {
        // The frame is part of the blank page now; rows that were touched keep their extents.
        m_framed = true;
    } else if (!m_framed) {
        // Part of a frame is not part of the blank page: its pixels are marked like any drawing.
        MarkChanged(m_clipX0, m_clipY0, m_clipX1, std::min(m_clipY1, 1));
        MarkChanged(m_clipX0, std::max(m_clipY0, kPageHeight - 1), m_clipX1, m_clipY1);
        if (m_clipX0 == 0) MarkChanged(0, y0, 1, y1);
        if (m_clipX1 == kPageWidth) MarkChanged(kPageWidth - 1, y0, kPageWidth, y1);
    }
}

void PageSurface::Restore(const QRect& area)
{
    const int x0 = std::max(area.left(), 0);
    const int y0 = std::max(area.top(), 0);
    const int x1 = std::min(area.left() + area.width(), kPageWidth);
    const int y1 = std::min(area.top() + area.height(), kPageHeight);
    if (x0 >= x1 || y0 >= y1) return;
    QRgb* pixels = Pixels();
    for (int y = y0; y < y1; ++y) {
        QRgb* line = pixels + y * Stride();
        RowExtent& row = m_rows[static_cast<std::size_t>(y)];
        if (m_framed && (y == 0 || y == kPageHeight - 1)) {
            std::fill(line + x0, line + x1, kBlack);
        } else {
            std::fill(line + x0, line + x1, kWhite);
            if (m_framed && x0 == 0) line[0] = kBlack;
            if (m_framed && x1 == kPageWidth) line[kPageWidth - 1] = kBlack;
        }
        // A row given back whole is blank again.
        if (x0 <= row.begin && x1 >= row.end) row = RowExtent {};
    }
}

void PageSurface::SetClip(const QRect& clip)
{
    m_clipX0 = std::clamp(clip.left(), 0, kPageWidth);
    m_clipY0 = std::clamp(clip.top(), 0, kPageHeight);
    m_clipX1 = std::clamp(clip.left() + clip.width(), m_clipX0, kPageWidth);
    m_clipY1 = std::clamp(clip.top() + clip.height(), m_clipY0, kPageHeight);
}

void PageSurface::MarkRow(int y, int x0, int x1)
{
    RowExtent& row = m_rows[static_cast<std::size_t>(y)];
    if (row.begin >= row.end) {
        row.begin = static_cast<std::int16_t>(x0);
        row.end = static_cast<std::int16_t>(x1);
    } else {
        row.begin = static_cast<std::int16_t>(std::min<int>(row.begin, x0));
        row.end = static_cast<std::int16_t>(std::max<int>(row.end, x1));
    }
}

void PageSurface::MarkChanged(int x0, int y0, int x1, int y1)
{
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, kPageWidth);
    y1 = std::min(y1, kPageHeight);
    if (x0 >= x1) return;
    for (int y = y0; y < y1; ++y)
        MarkRow(y, x0, x1);
}

void PageSurface::Fill(int x0, int y0, int x1, int y1, QRgb colour)
{
    x0 = std::max(x0, m_clipX0);
    y0 = std::max(y0, m_clipY0);
    x1 = std::min(x1, m_clipX1);
    y1 = std::min(y1, m_clipY1);
    if (x0 >= x1 || y0 >= y1) return;
    QRgb* pixels = Pixels();
    if (colour != kWhite) {
        for (int y = y0; y < y1; ++y) {
            std::fill(pixels + y * Stride() + x0, pixels + y * Stride() + x1, colour);
            MarkRow(y, x0, x1);
        }
        return;
    }
    // White over white changes nothing: only the part that may differ from the blank page, and
    // frame pixels, need writing.
    for (int y = y0; y < y1; ++y) {
        QRgb* line = pixels + y * Stride();
        if (m_framed && (y == 0 || y == kPageHeight - 1)) {
            std::fill(line + x0, line + x1, kWhite);
            MarkRow(y, x0, x1);
            continue;
        }
        const RowExtent& row = m_rows[static_cast<std::size_t>(y)];
        const int begin = std::max<int>(x0, row.begin);
        const int end = std::min<int>(x1, row.end);
        if (begin < end) std::fill(line + begin, line + end, kWhite);
        if (m_framed) {
            if (x0 == 0) {
                line[0] = kWhite;
                MarkRow(y, 0, 1);
            }
            if (x1 == kPageWidth) {
                line[kPageWidth - 1] = kWhite;
                MarkRow(y, kPageWidth - 1, kPageWidth);
            }
        }
    }
}

int PageSurface::DrawText(
    GlyphFont& font, int decorations, int x, int y, std::string_view text, QRgb colour, QRgb background)
{
    const int advance = font.TextAdvance(text);
    if (advance <= 0) return advance;
    Fill(x, y, x + advance, y + font.Height(), background);
    const int baseline = y + font.Ascent();
    DrawGlyphs(font, x, baseline, text, colour, background);
    const int thickness = font.LineThickness();
    if (decorations & kStyleUnderline) {
        const int top = baseline + font.UnderlineTop();
        Fill(x, top, x + advance, top + thickness, colour);
    }
    if (decorations & kStyleStrikeOut) {
        const int top = baseline + font.StrikeTop();
        Fill(x, top, x + advance, top + thickness, colour);
    }
    return advance;
}

const PageSurface::BlendTable& PageSurface::TableFor(QRgb colour, QRgb background)
{
    for (const BlendTable& table : m_tables) {
        if (table.colour == colour && table.background == background) return table;
    }
    BlendTable& table = m_tables[m_nextTable];
    m_nextTable = (m_nextTable + 1) % m_tables.size();
    table.colour = colour;
    table.background = background;
    table.values[0] = background;
    for (unsigned a = 1; a < 255; ++a)
        table.values[a] = Blend(background, colour, a);
    table.values[255] = colour;
    return table;
}

void PageSurface::DrawGlyphs(GlyphFont& font, int x, int baseline, std::string_view text, QRgb colour, QRgb background)
{
    QRgb* pixels = Pixels();
    const QRgb* onBackground = TableFor(colour, background).values.data();
    int inkLeft = kPageWidth;
    int inkRight = 0;
    int inkTop = kPageHeight;
    int inkBottom = 0;
    int pen = x;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const GlyphFont::Mask& mask = font.GlyphMask(byte);
        const int left = pen + mask.left;
        const int top = baseline + mask.top;
        pen += font.Advance(byte);
        // Only the part of the glyph that lies inside the clip is drawn.
        const int x0 = std::max(left, m_clipX0);
        const int x1 = std::min(left + mask.width, m_clipX1);
        const int y0 = std::max(top, m_clipY0);
        const int y1 = std::min(top + mask.height, m_clipY1);
        if (x0 >= x1 || y0 >= y1) continue;
        inkLeft = std::min(inkLeft, x0);
        inkRight = std::max(inkRight, x1);
        inkTop = std::min(inkTop, y0);
        inkBottom = std::max(inkBottom, y1);
        if (x0 == left && x1 == left + mask.width && y0 == top && y1 == top + mask.height) {
            // The whole glyph is inside the clip: visit only its inked pixels.
            QRgb* origin = pixels + top * Stride() + left;
            const std::int32_t* offsets = font.InkOffsets(mask);
            const std::uint8_t* alphas = font.InkCoverage(mask);
            for (std::uint32_t i = 0; i < mask.inkCount; ++i) {
                QRgb* pixel = origin + offsets[i];
                const unsigned a = alphas[i];
                const QRgb below = *pixel;
                *pixel = below == background ? onBackground[a] : (a == 255 ? colour : Blend(below, colour, a));
            }
            continue;
        }
        const int width = x1 - x0;
        const std::uint8_t* coverage = font.Coverage(mask) + (y0 - top) * mask.width + (x0 - left);
        QRgb* line = pixels + y0 * Stride() + x0;
        for (int row = y0; row < y1; ++row, coverage += mask.width, line += Stride()) {
            for (int col = 0; col < width; ++col) {
                const unsigned a = coverage[col];
                if (a == 0) continue;
                const QRgb below = line[col];
                line[col] = below == background ? onBackground[a] : (a == 255 ? colour : Blend(below, colour, a));
            }
        }
    }
    if (inkLeft < inkRight) MarkChanged(inkLeft, inkTop, inkRight, inkBottom);
}

void PageSurface::DrawPicture(const EmoticonPictures::Picture& picture, int x, int y)
{
    QRgb* pixels = Pixels();
    for (const auto& run : picture.runs) {
        const int row = y + run.y;
        if (row < m_clipY0 || row >= m_clipY1) continue;
        const int x0 = std::max(x + run.x, m_clipX0);
        const int x1 = std::min(x + run.x + run.length, m_clipX1);
        if (x0 >= x1) continue;
        const QRgb* source = picture.pixels.data() + run.start + (x0 - x - run.x);
        std::copy(source, source + (x1 - x0), pixels + row * Stride() + x0);
    }
    MarkChanged(std::max(x, m_clipX0), std::max(y, m_clipY0), std::min(x + picture.width, m_clipX1),
        std::min(y + picture.height, m_clipY1));
}

} // namespace quirel

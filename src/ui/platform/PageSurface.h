#pragma once

#include "layout/Canvas.h"
#include "platform/EmoticonPictures.h"
#include "platform/GlyphFont.h"

#include <QImage>
#include <QRect>
#include <array>
#include <cstdint>
#include <string_view>

namespace quirel {

// Columns [begin, end) of a page row that may differ from the blank row; empty when begin >= end.
struct RowExtent {
    std::int16_t begin = 0;
    std::int16_t end = 0;
};

// A page-sized RGB32 image (794 × 1122) that remembers, row by row, which columns may differ from
// the blank page: white, with the black one-pixel frame once the frame was drawn. Clearing and
// restoring touch only those columns, and white fills over untouched parts cost nothing, which
// matters because a page is mostly white and a long document lays out 150 of them at once.
class PageSurface {
public:
    static constexpr QRgb kWhite = 0xFFFFFFFFu;
    static constexpr QRgb kBlack = 0xFF000000u;

    // A white page without frame; the second form reuses image's pixels when it is a page-sized RGB32 image.
    PageSurface();
    explicit PageSurface(QImage&& image);
    PageSurface(const PageSurface&) = delete;
    PageSurface& operator=(const PageSurface&) = delete;

    // The image. A copy taken of it shares its pixels and sees later drawing: use copy() to keep one.
    const QImage& Image() const { return m_image; }
    // Pixels for writing (row y starts at y × Stride()); callers mark what they change.
    QRgb* Pixels();
    const QRgb* Pixels() const { return reinterpret_cast<const QRgb*>(m_image.constBits()); }
    static constexpr int Stride() { return kPageWidth; }

    // White page without frame.
    void Clear();
    // Gives the pixels of area (clipped to the page) back to the blank page: white, with the frame
    // where the frame was drawn.
    void Restore(const QRect& area);
    // Drawing from now on changes only pixels inside clip (and on the page); ResetClip allows the
    // whole page again. Painting the same drawing clipped to a rectangle gives, inside it, the
    // pixels of painting it unclipped.
    void SetClip(const QRect& clip);
    void ResetClip() { SetClip(QRect(0, 0, kPageWidth, kPageHeight)); }
    // The one-pixel black rectangle (0, 0)-(793, 1121).
    void DrawFrame();
    // Fills [x0, x1) × [y0, y1), clipped.
    void Fill(int x0, int y0, int x1, int y1, QRgb colour);
    // Text with the top-left corner of its cell at (x, y): an opaque cell of the background, the
    // advance wide and the character height high, then the glyphs in the text colour, then the
    // underline (decoration bit 4) and strike-through (bit 8) across the cell. Returns the advance.
    int DrawText(GlyphFont& font, int decorations, int x, int y, std::string_view text, QRgb colour, QRgb background);
    // The opaque pixels of picture with its top-left corner at (x, y).
    void DrawPicture(const EmoticonPictures::Picture& picture, int x, int y);

    // Gives the image away; the surface is left without pixels and must not be drawn on again.
    QImage TakeImage() { return std::move(m_image); }

    // Records that pixels in [x0, x1) × [y0, y1) (clipped) may have changed.
    void MarkChanged(int x0, int y0, int x1, int y1);

private:
    void MarkRow(int y, int x0, int x1);
    void DrawGlyphs(GlyphFont& font, int x, int baseline, std::string_view text, QRgb colour, QRgb background);

    // Colour over background at each glyph coverage: most glyph pixels land on their own cell's
    // background, and a table look-up is cheaper than a blend. A few pairs are kept.
    struct BlendTable {
        QRgb colour = 0;
        QRgb background = 0;
        std::array<QRgb, 256> values {};
    };
    const BlendTable& TableFor(QRgb colour, QRgb background);

    QImage m_image;
    QRgb* m_pixels = nullptr;
    std::array<RowExtent, kPageHeight> m_rows {};
    bool m_framed = false;
    // The clip as [x0, x1) × [y0, y1), always inside the page.
    int m_clipX0 = 0;
    int m_clipY0 = 0;
    int m_clipX1 = kPageWidth;
    int m_clipY1 = kPageHeight;
    std::array<BlendTable, 4> m_tables {};
    std::size_t m_nextTable = 0;
};

} // namespace quirel

#pragma once

#include "layout/Canvas.h"

#include <QImage>
#include <array>
#include <cstdint>

namespace quirel {

// Columns [begin, end) of a page row that may differ from the blank row; empty when begin >= end.
struct RowExtent {
    std::int16_t begin = 0;
    std::int16_t end = 0;
};

// A page-sized RGB32 image (794 × 1122) that remembers, row by row, which columns may differ from
// the blank page: white, with the black one-pixel frame once the frame was drawn. Clearing and
// compressing touch only those columns, and white fills over untouched parts cost nothing, which
// matters because a page is mostly white and a long document lays out 150 of them at once.
class PageSurface {
public:
    static constexpr QRgb kWhite = 0xFFFFFFFFu;
    static constexpr QRgb kBlack = 0xFF000000u;

    PageSurface();
    PageSurface(const PageSurface&) = delete;
    PageSurface& operator=(const PageSurface&) = delete;

    // The image. A copy taken of it shares its pixels and sees later drawing: use copy() to keep one.
    const QImage& Image() const { return m_image; }
    // Pixels for writing (row y starts at y × Stride()); callers mark what they change.
    QRgb* Pixels();
    const QRgb* Pixels() const { return reinterpret_cast<const QRgb*>(m_image.constBits()); }
    static constexpr int Stride() { return kPageWidth; }

    const RowExtent& Row(int y) const { return m_rows[static_cast<std::size_t>(y)]; }
    const RowExtent* Rows() const { return m_rows.data(); }
    bool Framed() const { return m_framed; }
    // Pixel of the blank page at (x, y), with or without the frame.
    static QRgb BlankPixel(int x, int y, bool framed)
    {
        return framed && (x == 0 || y == 0 || x == kPageWidth - 1 || y == kPageHeight - 1) ? kBlack : kWhite;
    }

    // White page without frame.
    void Clear();
    // The one-pixel black rectangle (0, 0)-(793, 1121).
    void DrawFrame();
    // Fills [x0, x1) × [y0, y1), clipped to the page.
    void Fill(int x0, int y0, int x1, int y1, QRgb colour);
    // Records that pixels in [x0, x1) × [y0, y1) (clipped) may have changed.
    void MarkChanged(int x0, int y0, int x1, int y1);

private:
    void MarkRow(int y, int x0, int x1);

    QImage m_image;
    QRgb* m_pixels = nullptr;
    std::array<RowExtent, kPageHeight> m_rows {};
    bool m_framed = false;
};

} // namespace quirel

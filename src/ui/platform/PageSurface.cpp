#include "platform/PageSurface.h"

#include <algorithm>

namespace quirel {

PageSurface::PageSurface()
    : m_image(kPageWidth, kPageHeight, QImage::Format_RGB32)
{
    m_image.fill(kWhite);
    m_pixels = reinterpret_cast<QRgb*>(m_image.bits());
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
    std::fill(pixels, pixels + kPageWidth, kBlack);
    QRgb* last = pixels + (kPageHeight - 1) * Stride();
    std::fill(last, last + kPageWidth, kBlack);
    for (int y = 1; y < kPageHeight - 1; ++y) {
        pixels[y * Stride()] = kBlack;
        pixels[y * Stride() + kPageWidth - 1] = kBlack;
    }
    // The frame is part of the blank page now; rows that were touched keep their extents.
    m_framed = true;
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
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, kPageWidth);
    y1 = std::min(y1, kPageHeight);
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

} // namespace quirel

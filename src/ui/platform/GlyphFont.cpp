#include "platform/GlyphFont.h"

#include "layout/Canvas.h"

#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <iterator>

namespace quirel {

GlyphFont::GlyphFont(
    QRawFont raw, std::shared_ptr<const GlyphTable> glyphs, std::shared_ptr<const GlyphMetrics> metrics)
    : m_raw(std::move(raw))
    , m_glyph(std::move(glyphs))
    , m_metrics(std::move(metrics))
{
}

bool GlyphFont::InkInsideCell(std::string_view text)
{
    const int advance = TextAdvance(text);
    int pen = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const Mask& mask = GlyphMask(byte);
        if (mask.width > 0
            && (pen + mask.left < 0 || pen + mask.left + mask.width > advance || mask.top < -Ascent()
                || mask.top + mask.height > Height() - Ascent()))
            return false;
        pen += Advance(byte);
    }
    return true;
}

QRect GlyphFont::TextInk(std::string_view text)
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool inked = false;
    int pen = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const Mask& mask = GlyphMask(byte);
        if (mask.width > 0) {
            const int x0 = pen + mask.left;
            const int x1 = x0 + mask.width;
            const int y1 = mask.top + mask.height;
            left = inked ? std::min(left, x0) : x0;
            right = inked ? std::max(right, x1) : x1;
            top = inked ? std::min(top, static_cast<int>(mask.top)) : mask.top;
            bottom = inked ? std::max(bottom, y1) : y1;
            inked = true;
        }
        pen += Advance(byte);
    }
    return inked ? QRect(left, top, right - left, bottom - top) : QRect();
}

std::uint16_t GlyphFont::RenderMask(unsigned char byte)
{
    m_masks.emplace_back();
    const auto place = static_cast<std::uint16_t>(m_masks.size());
    m_maskPlace[byte] = place;
    const quint32 glyph = (*m_glyph)[byte];
    // The coverage FreeType gives the glyph at whole-pixel placement, as Qt's painter blends it, and
    // where it stands from the pen on the baseline.
    const QImage coverage = m_raw.alphaMapForGlyph(glyph, QRawFont::PixelAntialiasing);
    if (coverage.isNull()) return place; // a glyph that inks nothing
    if (coverage.format() != QImage::Format_Alpha8) {
        RenderMaskPainted(byte);
        return place;
    }
    const QRectF box = m_raw.boundingRect(glyph);
    StoreMask(byte, coverage, qRound(box.x()), qRound(box.y()));
    return place;
}

void GlyphFont::RenderMaskPainted(unsigned char byte)
{
    // Room around the cell for italic overhang and marks above the ascent.
    const int pad = Height() / 2 + 2;
    QImage scratch(std::max(0, static_cast<int>(Advance(byte))) + 2 * pad, Height() + 2 * pad,
        QImage::Format_ARGB32_Premultiplied);
    scratch.fill(Qt::transparent);
    {
        QPainter painter(&scratch);
        painter.setPen(Qt::black);
        QGlyphRun run;
        run.setRawFont(m_raw);
        const quint32 glyph = (*m_glyph)[byte];
        const QPointF origin(0, 0);
        run.setRawData(&glyph, &origin, 1);
        painter.drawGlyphRun(QPointF(pad, pad + Ascent()), run);
    }
    StoreMask(byte, scratch.convertToFormat(QImage::Format_Alpha8), -pad, -pad - Ascent());
}

void GlyphFont::StoreMask(unsigned char byte, const QImage& coverage, int originX, int originY)
{
    // The inked part of the image only (FreeType's images are close to it already; a large glyph
    // has tens of thousands of pixels).
    const auto inked = [](uchar alpha) { return alpha != 0; };
    const int width = coverage.width();
    const int height = coverage.height();
    int left = width;
    int right = -1;
    int top = height;
    int bottom = -1;
    for (int y = 0; y < height; ++y) {
        const uchar* row = coverage.constScanLine(y);
        const uchar* first = std::find_if(row, row + width, inked);
        if (first == row + width) continue;
        const auto last
            = std::find_if(std::make_reverse_iterator(row + width), std::make_reverse_iterator(first), inked);
        left = std::min(left, static_cast<int>(first - row));
        right = std::max(right, static_cast<int>(last.base() - row) - 1);
        top = std::min(top, y);
        bottom = y;
    }
    Mask& mask = m_masks[m_maskPlace[byte] - 1u];
    if (right < 0) return;
    mask.left = static_cast<std::int16_t>(originX + left);
    mask.top = static_cast<std::int16_t>(originY + top);
    mask.width = static_cast<std::int16_t>(right - left + 1);
    mask.height = static_cast<std::int16_t>(bottom - top + 1);
    mask.offset = static_cast<std::uint32_t>(m_coverage.size());
    mask.inkStart = static_cast<std::uint32_t>(m_inkOffsets.size());
    for (int y = top; y <= bottom; ++y) {
        const uchar* row = coverage.constScanLine(y);
        m_coverage.insert(m_coverage.end(), row + left, row + right + 1);
        const std::int32_t rowStart = (y - top) * kPageWidth - left;
        for (int x = left; x <= right; ++x) {
            if (row[x] != 0) {
                m_inkOffsets.push_back(rowStart + x);
                m_inkCoverage.push_back(row[x]);
            }
        }
    }
    mask.inkCount = static_cast<std::uint32_t>(m_inkOffsets.size()) - mask.inkStart;
}

} // namespace quirel

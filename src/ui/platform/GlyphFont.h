#pragma once

#include "platform/FontTables.h"

#include <QImage>
#include <QRawFont>
#include <QRect>
#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace quirel {

// One face at one pixel size and style, ready to draw Windows-1252 text fast: the metrics, and for
// each byte a coverage mask rendered once by Qt when first drawn. Text is placed glyph by glyph
// at whole pixels.
class GlyphFont {
public:
    // raw is the face at the pixel size; (*glyphs)[b] the glyph of byte b (0 for none); metrics how
    // the face measures at that size. A font holds little of its own (a page may draw with hundreds):
    // the tables are shared with its face and size, and masks are kept only for the bytes drawn.
    GlyphFont(QRawFont raw, std::shared_ptr<const GlyphTable> glyphs, std::shared_ptr<const GlyphMetrics> metrics);

    // Coverage of one byte's glyph: `width` × `height` alpha values (0 to 255) whose top-left
    // lies at (pen x + left, baseline + top). The same pixels without the empty ones: `inkCount`
    // offsets from the top-left on a page row of kPageWidth pixels, with their coverage.
    struct Mask {
        std::int16_t left = 0;
        std::int16_t top = 0;
        std::int16_t width = 0;
        std::int16_t height = 0;
        std::uint32_t offset = 0;
        std::uint32_t inkStart = 0;
        std::uint32_t inkCount = 0;
    };

    const GlyphMetrics& Metrics() const { return *m_metrics; }
    int Advance(unsigned char byte) const { return m_metrics->advance[byte]; }
    int TextAdvance(std::string_view text) const { return m_metrics->TextAdvance(text); }
    // True when no glyph of text inks a pixel outside its cell (advance wide, character height high).
    bool InkInsideCell(std::string_view text);
    // The rectangle the glyphs of text ink, relative to the pen where the text starts on the
    // baseline (null when nothing is inked). Glyphs may reach outside their cells.
    QRect TextInk(std::string_view text);
    const Mask& GlyphMask(unsigned char byte)
    {
        std::uint16_t held = m_maskPlace[byte];
        if (held == 0) held = RenderMask(byte);
        return m_masks[held - 1u];
    }
    const std::uint8_t* Coverage(const Mask& mask) const { return m_coverage.data() + mask.offset; }
    const std::int32_t* InkOffsets(const Mask& mask) const { return m_inkOffsets.data() + mask.inkStart; }
    const std::uint8_t* InkCoverage(const Mask& mask) const { return m_inkCoverage.data() + mask.inkStart; }

    int Ascent() const { return m_metrics->ascent; }
    int Height() const { return m_metrics->height; }
    int LineHeight() const { return m_metrics->lineHeight; }
    int UnderlineTop() const { return m_metrics->underlineTop; }
    int StrikeTop() const { return m_metrics->strikeTop; }
    int LineThickness() const { return m_metrics->lineThickness; }

private:
    // Renders byte's mask and returns 1 + its place in m_masks.
    std::uint16_t RenderMask(unsigned char byte);
    // The same through Qt's painter, for a face whose glyphs are not plain coverage (bitmaps).
    void RenderMaskPainted(unsigned char byte);
    // Keeps the inked part of coverage (an 8-bit alpha image) as byte's mask; its top-left pixel
    // lies at (originX, originY) from the pen on the baseline.
    void StoreMask(unsigned char byte, const QImage& coverage, int originX, int originY);

    QRawFont m_raw;
    std::shared_ptr<const GlyphTable> m_glyph;
    std::shared_ptr<const GlyphMetrics> m_metrics;
    std::vector<Mask> m_masks; // of the bytes drawn so far
    std::array<std::uint16_t, 256> m_maskPlace {}; // 1 + the byte's place in m_masks; 0: not rendered yet
    std::vector<std::uint8_t> m_coverage;
    std::vector<std::int32_t> m_inkOffsets;
    std::vector<std::uint8_t> m_inkCoverage;
};

} // namespace quirel

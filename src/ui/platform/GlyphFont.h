#pragma once

#include "layout/Canvas.h"

#include <QFont>
#include <QRawFont>
#include <QRect>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quirel {

// One face at one pixel size and style, ready to draw Windows-1252 text fast: for each of the
// 256 bytes an integer advance and a coverage mask rendered once by Qt. Text is placed glyph by
// glyph at whole pixels, so the pen always moves by the sum of the advances it drew (no kerning).
class GlyphFont {
public:
    // Style bits as in a format record: 1 bold, 2 italic, 4 underline, 8 strike-through.
    GlyphFont(const QString& family, int pixelSize, int style);

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

    int Advance(unsigned char byte) const { return m_advance[byte]; }
    int TextAdvance(std::string_view text) const;
    // True when no glyph of text inks a pixel outside its cell (advance wide, character height high).
    bool InkInsideCell(std::string_view text);
    // The rectangle the glyphs of text ink, relative to the pen where the text starts on the
    // baseline (null when nothing is inked). Glyphs may reach outside their cells.
    QRect TextInk(std::string_view text);
    const Mask& GlyphMask(unsigned char byte)
    {
        if (!m_ready[byte]) RenderMask(byte);
        return m_masks[byte];
    }
    const std::uint8_t* Coverage(const Mask& mask) const { return m_coverage.data() + mask.offset; }
    const std::int32_t* InkOffsets(const Mask& mask) const { return m_inkOffsets.data() + mask.inkStart; }
    const std::uint8_t* InkCoverage(const Mask& mask) const { return m_inkCoverage.data() + mask.inkStart; }

    int Ascent() const { return m_ascent; }
    // Character height: ascent plus descent.
    int Height() const { return m_height; }
    // Character height plus external leading (a negative leading counts as none).
    int LineHeight() const { return m_lineHeight; }
    int Style() const { return m_style; }
    // Underline and strike-through: rows relative to the baseline (down is positive) and thickness.
    int UnderlineTop() const { return m_underlineTop; }
    int StrikeTop() const { return m_strikeTop; }
    int LineThickness() const { return m_lineThickness; }

private:
    void RenderMask(unsigned char byte);

    QFont m_font;
    QRawFont m_raw;
    int m_style = 0;
    int m_ascent = 0;
    int m_height = 0;
    int m_lineHeight = 0;
    int m_underlineTop = 0;
    int m_strikeTop = 0;
    int m_lineThickness = 1;
    std::array<quint32, 256> m_glyph {};
    std::array<std::int16_t, 256> m_advance {};
    std::array<Mask, 256> m_masks {};
    std::array<bool, 256> m_ready {};
    std::vector<std::uint8_t> m_coverage;
    std::vector<std::int32_t> m_inkOffsets;
    std::vector<std::uint8_t> m_inkCoverage;
};

// Every font the canvas has used, kept for the life of the canvas, keyed by face bytes, size and style.
class GlyphFontCache {
public:
    // The font of a Windows-1252 face name at a size in points (at 96 pixels per inch) and style.
    // Page pictures share the fonts they were drawn with, so a font outlives the cache when needed.
    const std::shared_ptr<GlyphFont>& Get(std::string_view face, int sizePoints, int style);

private:
    std::unordered_map<std::string, std::shared_ptr<GlyphFont>> m_fonts;
    std::string m_key;
};

// Pixel size of a size in points on the 96-dpi page: 10 points are 13 pixels.
int PointsToPixels(int sizePoints);

} // namespace quirel

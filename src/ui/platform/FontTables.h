#pragma once

#include <QRawFont>
#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

namespace quirel {

// Records hold sizes up to 255 points; on the 96-dpi page that is at most kMaxPixels pixels.
inline constexpr int kMaxPoints = 255;
inline constexpr int kMaxPixels = (kMaxPoints * 96 + 36) / 72;

// Pixel size of a size in points on the 96-dpi page: 10 points are 13 pixels.
int PointsToPixels(int sizePoints);

// How one face measures at one size and style: the whole-pixel advance of each of the 256
// Windows-1252 bytes (no kerning: the pen always moves by the sum of the advances) and the heights
// layout and painting use. Small (some 530 bytes) and quick to make.
struct GlyphMetrics {
    std::array<std::int16_t, 256> advance {};
    int ascent = 0;
    int height = 0; // character height: ascent plus descent
    int lineHeight = 0; // character height plus external leading (a negative leading counts as none)
    // Underline and strike-through: rows relative to the baseline (down is positive) and thickness.
    int underlineTop = 0;
    int strikeTop = 0;
    int lineThickness = 1;

    int TextAdvance(std::string_view text) const
    {
        int sum = 0;
        for (const char c : text)
            sum += advance[static_cast<unsigned char>(c)];
        return sum;
    }
};

// The glyph of each Windows-1252 byte in a face (0 for none).
using GlyphTable = std::array<quint32, 256>;

// A face in one style as its tables give it: its glyphs and their design advances, which scale to
// every size, so that no font needs to be made to measure a size.
struct FaceDesign {
    QRawFont design; // the face at as many pixels as it has design units to the em
    std::shared_ptr<GlyphTable> glyphs = std::make_shared<GlyphTable>();
    std::array<double, 256> units {}; // design advance of each byte's glyph, in design units
    double unitsPerEm = 0;
};

// The design of the face raw was made from (control bytes take the blank's glyph: the tab, the
// line feed and the removed-word marker are painted as one blank).
FaceDesign ReadFaceDesign(const QRawFont& raw);

// How face measures at a pixel size: heights from a copy of the design font at that size (no font
// is looked up or matched again), advances scaled from the design units.
GlyphMetrics MeasureFace(const FaceDesign& face, int pixels);

} // namespace quirel

#pragma once

#include "layout/Canvas.h"
#include "platform/LruCache.h"

#include <QFont>
#include <QImage>
#include <QRawFont>
#include <QRect>
#include <QSet>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quirel {

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

// One face at one pixel size and style, ready to draw Windows-1252 text fast: the metrics, and for
// each byte a coverage mask rendered once by Qt when first drawn. Text is placed glyph by glyph
// at whole pixels.
class GlyphFont {
public:
    using GlyphTable = std::array<quint32, 256>;
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

// A face, size and style as known to one GlyphFontCache.
using FontId = std::uint32_t;

// The fonts of a canvas and of the page pictures it records, by face bytes, size in points and
// style. A document may cycle through thousands of formats, so nothing large is kept for each:
// the measures of a font come from its face's design advances scaled to the size (no font is
// made to measure a size), faces named after one installed stand-in share its face, and the fonts
// ready to draw, which hold Qt's font engines and the rendered glyphs, are bounded and the least
// recently used go first. Page pictures hold ids and ask for the font when they are painted.
class GlyphFontCache {
public:
    // Enough for a page whose every word is in another font: painting it again renders nothing anew.
    static constexpr std::size_t kDrawingFonts = 512;
    static constexpr std::size_t kMeasuredFonts = 4096; // faces at pixel sizes
    static constexpr std::size_t kFaces = 64;
    static constexpr std::size_t kFaceNames = 4096;

    GlyphFontCache();
    ~GlyphFontCache();
    GlyphFontCache(const GlyphFontCache&) = delete;
    GlyphFontCache& operator=(const GlyphFontCache&) = delete;

    // The id of a Windows-1252 face name at a size in points (at 96 pixels per inch; sizes beyond
    // 0 to 255 points draw as the nearest of those) and style bits (1 bold, 2 italic; underline and
    // strike-through are drawn lines and do not count). An id stays valid, and names the same
    // font, for the life of the cache. Finding it makes nothing for a name seen before.
    FontId Id(std::string_view face, int sizePoints, int style);
    // How the font measures.
    std::shared_ptr<const GlyphMetrics> Metrics(FontId id);
    // The font ready to draw, with the same metrics.
    std::shared_ptr<GlyphFont> Font(FontId id);
    // How many fonts ready to draw are held now (at most kDrawingFonts).
    std::size_t DrawingFontsHeld() const { return m_drawing.Size(); }

private:
    struct Face;
    // A face name as documents give it, and the faces its styles are drawn with while those are held.
    struct Name {
        std::string face;
        std::array<std::weak_ptr<Face>, 4> faces;
        // The measures of the name in each style and size (by MeasureSlot), as 1 + their place in
        // m_measuredList; 0 for none yet. Made when the name is first measured.
        std::vector<std::uint16_t> measures;
    };
    struct NameHash {
        using is_transparent = void; // NOLINT(readability-identifier-naming): the standard library's name
        std::size_t operator()(std::string_view name) const { return std::hash<std::string_view> {}(name); }
    };
    // The family that draws a face name: Qt's name for it and the case-folded one faces are kept by.
    struct Family {
        QString qtName;
        std::string name;
    };
    // An id is its name's number, its size in points (0 to 255) and its style bits.
    static constexpr int kNameShift = 10;
    static std::uint32_t NameOf(FontId id) { return id >> kNameShift; }
    static int PointsOf(FontId id) { return static_cast<int>((id >> 2) & 0xFF); }
    static int StyleOf(FontId id) { return static_cast<int>(id & 3); }
    static constexpr std::size_t kMeasureSlots = 4 * 256;
    static std::size_t MeasureSlot(FontId id) { return id & (kMeasureSlots - 1); }
    std::uint32_t NameIndex(std::string_view face);
    const Family& FamilyOf(const std::string& face);
    std::shared_ptr<Face> FaceOf(FontId id);
    static std::shared_ptr<const GlyphMetrics> MeasureFace(const Face& face, int pixels);
    // A face at a pixel size, as a key.
    static std::uint64_t SizedKey(const Face& face, int pixels);

    std::vector<Name> m_names; // by number
    std::unordered_map<std::string, std::uint32_t, NameHash, std::equal_to<>> m_nameNumbers;
    struct RecentName {
        std::uintptr_t place = 0; // where the face name's bytes were
        std::uint32_t index = 0;
    };
    // A slot for each place, spread by its address: a font table's names lie a string apart, and a
    // document's table holds up to 256 of them.
    static constexpr int kRecentNameBits = 9;
    static std::size_t RecentNameSlot(std::uintptr_t place)
    {
        return static_cast<std::size_t>(
            (static_cast<std::uint64_t>(place) * 0x9E3779B97F4A7C15u) >> (64 - kRecentNameBits));
    }
    std::array<RecentName, std::size_t { 1 } << kRecentNameBits> m_recentNames {};
    QSet<QString> m_installed; // the installed families, case-folded
    // The family the system draws a name with that neither it nor the stand-in table knows; found
    // once (empty: such names are matched one by one).
    std::optional<QString> m_fallbackFamily;
    std::unordered_map<std::string, Family> m_families; // face name → the family that draws it
    LruCache<std::string, std::shared_ptr<Face>> m_faces; // by family and style
    std::uint32_t m_faceSerial = 0;
    // Measures and fonts ready to draw by face and pixel size: names drawn by one face share them,
    // and they are as many as the faces and sizes drawn, whatever the names and formats of a file.
    // Measures are small and quick to make again: when kMeasuredFonts are held, all are dropped.
    std::vector<std::shared_ptr<const GlyphMetrics>> m_measuredList;
    std::uint32_t m_measuresGeneration = 1; // faces' places in the list hold while theirs is this
    LruCache<std::uint64_t, std::shared_ptr<GlyphFont>> m_drawing;
    // The drawing-font keys of ids asked for lately, a slot for each by its id: the painter asks
    // for font after font, most of them seen a moment before.
    struct RecentDrawing {
        FontId id = ~FontId { 0 };
        std::uint64_t key = 0;
    };
    static constexpr int kRecentBits = 10;
    static std::size_t RecentSlot(FontId id) { return (id * 2654435761u) >> (32 - kRecentBits); }
    std::array<RecentDrawing, std::size_t { 1 } << kRecentBits> m_recentDrawings {};
    FontId m_lastDrawingId = 0;
    std::shared_ptr<GlyphFont> m_lastDrawing; // the font asked for last, one of m_drawing
};

// Pixel size of a size in points on the 96-dpi page: 10 points are 13 pixels.
int PointsToPixels(int sizePoints);

} // namespace quirel

#pragma once

#include "platform/FontTables.h"
#include "platform/GlyphFont.h"
#include "platform/LruCache.h"

#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quirel {

// A face, size and style as known to one GlyphFontCache.
using FontId = std::uint32_t;

// The fonts of a canvas and of the page pictures it records, by face bytes, size in points and
// style. A document may cycle through thousands of formats, so nothing large is kept for each:
// the measures of a font come from its face's design advances scaled to the size (no font is
// made to measure a size) and are kept with the face, names drawn with one family (see
// FaceResolver) share its faces, and the faces and the fonts ready to draw, which hold Qt's font
// engines and the rendered glyphs, are bounded caches whose least recently used go first. Page
// pictures hold ids and ask for the font when they are painted.
class GlyphFontCache {
public:
    // Enough for a page whose every word is in another font: painting it again renders nothing anew.
    static constexpr std::size_t kDrawingFonts = 512;
    // Faces in a style, with their measures at the sizes asked for.
    static constexpr std::size_t kFaces = 64;

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
    // A face name as documents give it, the family that draws it (found when first drawn) and the
    // faces its styles are drawn with while those are held.
    struct Name {
        std::string face;
        QString family;
        std::string familyKey; // the family case-folded: faces are kept by it
        std::array<std::weak_ptr<Face>, 4> faces;
        // The same faces as plain pointers, valid while the weak ones have not expired: the layout
        // asks for a name's face at nearly every token of a file whose tokens change format.
        std::array<Face*, 4> held {};
    };
    struct NameHash {
        using is_transparent = void; // NOLINT(readability-identifier-naming): the standard library's name
        std::size_t operator()(std::string_view name) const { return std::hash<std::string_view> {}(name); }
    };
    // An id is its name's number, its size in points (0 to 255) and its style bits.
    static constexpr int kNameShift = 10;
    static std::uint32_t NameOf(FontId id) { return id >> kNameShift; }
    static int PointsOf(FontId id) { return static_cast<int>((id >> 2) & 0xFF); }
    static int StyleOf(FontId id) { return static_cast<int>(id & 3); }
    std::uint32_t NameIndex(std::string_view face);
    // The face of id, held by m_faces: valid until the next face is made.
    Face& FaceOf(FontId id);
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
    LruCache<std::string, std::shared_ptr<Face>> m_faces; // by family and style
    std::uint32_t m_faceSerial = 0;
    // Fonts ready to draw by face and pixel size: names drawn by one face share them, and they are
    // as many as the faces and sizes drawn, whatever the names and formats of a file.
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

} // namespace quirel

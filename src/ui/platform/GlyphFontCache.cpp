#include "platform/GlyphFontCache.h"

#include "document/FormatRecord.h"
#include "platform/FaceResolver.h"
#include "platform/QtText.h"

#include <QFont>
#include <algorithm>

namespace quirel {

// A face in one style: its design, and its measures by pixel size (made when first asked for).
struct GlyphFontCache::Face {
    std::uint32_t serial = 0; // which face of the cache: a face made again gets a new one
    FaceDesign design;
    std::vector<std::shared_ptr<const GlyphMetrics>> measures;
};

GlyphFontCache::GlyphFontCache()
    : m_faces(kFaces)
    , m_drawing(kDrawingFonts)
{
}

GlyphFontCache::~GlyphFontCache() = default;

FontId GlyphFontCache::Id(std::string_view face, int sizePoints, int style)
{
    const auto points = static_cast<FontId>(std::clamp(sizePoints, 0, kMaxPoints));
    return NameIndex(face) << kNameShift | points << 2 | static_cast<FontId>(style & kFontStyleBits);
}

std::uint32_t GlyphFontCache::NameIndex(std::string_view face)
{
    // The layout passes the face names of the document's font table: the same bytes at the same
    // place come again and again, and a glance at a small table finds them without hashing.
    const auto place = reinterpret_cast<std::uintptr_t>(face.data());
    RecentName& recent = m_recentNames[RecentNameSlot(place)];
    if (recent.place == place && recent.index < m_names.size() && m_names[recent.index].face == face)
        return recent.index;
    std::uint32_t index = 0;
    if (const auto found = m_nameNumbers.find(face); found != m_nameNumbers.end()) {
        index = found->second;
    } else {
        index = static_cast<std::uint32_t>(m_names.size());
        m_names.push_back({ std::string(face), {}, {}, {} });
        m_nameNumbers.emplace(m_names.back().face, index);
    }
    recent = { place, index };
    return index;
}

GlyphFontCache::Face& GlyphFontCache::FaceOf(FontId id)
{
    Name& fontName = m_names[NameOf(id)];
    const auto style = static_cast<std::size_t>(StyleOf(id));
    std::weak_ptr<Face>& known = fontName.faces[style];
    if (!known.expired()) return *fontName.held[style];
    if (fontName.familyKey.empty()) {
        // All the names one family draws share its faces, which Qt then matches only once.
        fontName.family = FaceResolver::Shared().Family(FromCp1252(fontName.face));
        fontName.familyKey = fontName.family.toCaseFolded().toStdString();
        fontName.familyKey.push_back('\0');
    }
    std::string key = fontName.familyKey;
    key.push_back(static_cast<char>('0' + style));
    const std::shared_ptr<Face>& made = m_faces.Get(key, [&] {
        QFont font(fontName.family);
        // One face, no stand-ins for missing glyphs: the pass draws only the face's own glyphs.
        font.setStyleStrategy(QFont::NoFontMerging);
        font.setPixelSize(PointsToPixels(PointsOf(id)));
        font.setWeight((style & kStyleBold) ? QFont::Bold : QFont::Normal);
        font.setItalic((style & kStyleItalic) != 0);
        font.setKerning(false);
        auto face = std::make_shared<Face>();
        face->serial = ++m_faceSerial;
        face->design = ReadFaceDesign(QRawFont::fromFont(font));
        return face;
    });
    known = made;
    fontName.held[style] = made.get();
    return *made;
}

std::shared_ptr<const GlyphMetrics> GlyphFontCache::Metrics(FontId id)
{
    // Names of one face at one size measure alike: one measure serves them all.
    Face& face = FaceOf(id);
    if (face.measures.empty()) face.measures.resize(kMaxPixels + 1);
    const int pixels = PointsToPixels(PointsOf(id));
    std::shared_ptr<const GlyphMetrics>& held = face.measures[static_cast<std::size_t>(pixels)];
    if (!held) held = std::make_shared<const GlyphMetrics>(MeasureFace(face.design, pixels));
    return held;
}

std::uint64_t GlyphFontCache::SizedKey(const Face& face, int pixels)
{
    return static_cast<std::uint64_t>(face.serial) << 16 | static_cast<std::uint64_t>(pixels);
}

std::shared_ptr<GlyphFont> GlyphFontCache::Font(FontId id)
{
    // Text mostly comes in runs of one font.
    if (m_lastDrawing && id == m_lastDrawingId) return m_lastDrawing;
    // Names of one face at one size draw alike: one font serves them all. Which one an id draws
    // with is found once in a while (a key of a face made again since still names a font that
    // draws the same).
    RecentDrawing& recent = m_recentDrawings[RecentSlot(id)];
    const int pixels = PointsToPixels(PointsOf(id));
    if (recent.id != id) recent = { id, SizedKey(FaceOf(id), pixels) };
    m_lastDrawing = m_drawing.Get(recent.key, [&] {
        auto metrics = Metrics(id);
        const Face& face = FaceOf(id);
        // The face matched once, at the size: the copy keeps the hinting and smoothing the
        // system's settings gave the face, and no font is looked up again.
        QRawFont sized = face.design.design;
        sized.setPixelSize(pixels);
        return std::make_shared<GlyphFont>(std::move(sized), face.design.glyphs, std::move(metrics));
    });
    m_lastDrawingId = id;
    return m_lastDrawing;
}

} // namespace quirel

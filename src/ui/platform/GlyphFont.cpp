#include "platform/GlyphFont.h"

#include "document/Cp1252.h"
#include "document/FormatRecord.h"
#include "platform/QtText.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <iterator>

namespace quirel {

namespace {

// Control characters have no useful glyph in the faces we use (most show the missing-glyph
// box); the tab, the line feed and the removed-word marker are painted as one blank instead.
bool IsControlByte(unsigned char byte)
{
    const char32_t code = Cp1252ToUnicode(byte);
    return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

// Records hold sizes up to 255 points.
constexpr int kMaxPoints = 255;
constexpr int kMaxPixels = (kMaxPoints * 96 + 36) / 72;

unsigned BigEndian16(const QByteArray& bytes, qsizetype at)
{
    return static_cast<unsigned>(static_cast<unsigned char>(bytes[at])) << 8
        | static_cast<unsigned char>(bytes[at + 1]);
}

// The design advances of glyphs read from the face's horizontal metrics table, which is what
// loading each glyph would give, at a small part of the cost. False, with units untouched, when
// the face has no such table or it does not agree with a glyph measured the slow way (a face drawn
// from scaled pictures, a table that is damaged).
bool DesignAdvancesFromTables(
    const QRawFont& design, const std::array<quint32, 256>& glyphs, std::array<double, 256>& units)
{
    const QByteArray header = design.fontTable("hhea");
    const QByteArray metrics = design.fontTable("hmtx");
    constexpr qsizetype kLongMetricsCount = 34; // offset of numberOfHMetrics in the header
    if (header.size() < kLongMetricsCount + 2) return false;
    const unsigned longMetrics = BigEndian16(header, kLongMetricsCount);
    if (longMetrics == 0 || metrics.size() < 4 * static_cast<qsizetype>(longMetrics)) return false;
    std::array<double, 256> read {};
    for (std::size_t byte = 0; byte < 256; ++byte) {
        // Glyphs beyond the long metrics share the last advance.
        const unsigned entry = std::min<unsigned>(glyphs[byte], longMetrics - 1);
        read[byte] = BigEndian16(metrics, 4 * static_cast<qsizetype>(entry));
    }
    const std::size_t probe = static_cast<unsigned char>('n');
    const QList<QPointF> measured
        = design.advancesForGlyphIndexes(QList<quint32> { glyphs[probe] }, QRawFont::UseDesignMetrics);
    if (measured.size() != 1 || std::abs(measured[0].x() - read[probe]) > 1e-6) return false;
    units = read;
    return true;
}

// The family Qt draws a name with that is not installed, by the system's fallback rules.
QString FallbackFamily(const QString& name)
{
    QFont font(name);
    font.setStyleStrategy(QFont::NoFontMerging);
    return QFontInfo(font).family();
}

} // namespace

int PointsToPixels(int sizePoints)
{
    const int points = std::clamp(sizePoints, 1, kMaxPoints);
    return (points * 96 + 36) / 72; // at most kMaxPixels
}

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

// A face in one style: its glyphs and their design advances, which scale to every size.
struct GlyphFontCache::Face {
    std::uint32_t serial = 0; // which face of the cache: a face made again gets a new one
    QRawFont design; // the face at as many pixels as it has design units to the em
    std::shared_ptr<GlyphFont::GlyphTable> glyph = std::make_shared<GlyphFont::GlyphTable>();
    std::array<double, 256> units {}; // design advance of each byte's glyph, in design units
    double unitsPerEm = 0;
    // The face's measures by pixel size, as 1 + their place in the cache's list (0: none yet),
    // valid while measuresGeneration is the cache's.
    std::uint32_t measuresGeneration = 0;
    std::array<std::uint16_t, kMaxPixels + 1> measures {};
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
        m_names.push_back({ std::string(face), {}, {} });
        m_nameNumbers.emplace(m_names.back().face, index);
    }
    recent = { place, index };
    return index;
}

const GlyphFontCache::Family& GlyphFontCache::FamilyOf(const std::string& face)
{
    // Faces named after ones this system lacks (Candara, Verdana…) are drawn with their installed
    // stand-in: all the names of one stand-in share its face, which Qt then matches only once.
    if (const auto known = m_families.find(face); known != m_families.end()) return known->second;
    if (m_installed.isEmpty()) {
        const QStringList families = QFontDatabase::families();
        for (const QString& installed : families)
            m_installed.insert(installed.toCaseFolded());
    }
    const auto isInstalled = [this](const QString& name) { return m_installed.contains(name.toCaseFolded()); };
    if (m_families.size() >= kFaceNames) m_families.clear();
    QString family = FromCp1252(face);
    if (!isInstalled(family)) {
        bool standsIn = false;
        for (const QString& standIn : QFont::substitutes(family)) {
            if (isInstalled(standIn)) {
                family = standIn;
                standsIn = true;
                break;
            }
        }
        // A name neither installed nor given a stand-in (a damaged file, one from another system)
        // is drawn with the face the system gives a name it knows nothing of. That face is found
        // by one full match per run, not one per name: a file naming hundreds of missing faces
        // opens as fast as one naming a single face. Family outranks weight and slant in the
        // match, so the four styles fall back to one family; a family Qt splits by maker
        // ("[urw]") may not, and then each name keeps its own faces, matched per style.
        if (!standsIn) {
            if (!m_fallbackFamily) {
                QString fallback = FallbackFamily(QStringLiteral("Quirel: no such face"));
                if (fallback.contains(QLatin1Char('[')) || !isInstalled(fallback)) fallback.clear();
                m_fallbackFamily = std::move(fallback);
            }
            if (!m_fallbackFamily->isEmpty()) family = *m_fallbackFamily;
        }
    }
    // Qt keeps its substitutes in small letters: the face is known by the case-folded name.
    std::string name = family.toCaseFolded().toStdString();
    return m_families.emplace(face, Family { std::move(family), std::move(name) }).first->second;
}

std::shared_ptr<GlyphFontCache::Face> GlyphFontCache::FaceOf(FontId id)
{
    Name& fontName = m_names[NameOf(id)];
    const int style = StyleOf(id);
    std::weak_ptr<Face>& known = fontName.faces[static_cast<std::size_t>(style)];
    if (auto held = known.lock()) return held;
    const Family& family = FamilyOf(fontName.face);
    std::string name = family.name;
    name.push_back('\0');
    name.push_back(static_cast<char>('0' + style));
    std::shared_ptr<Face> made = m_faces.Get(name, [&] {
        QFont font(family.qtName);
        // One face, no stand-ins for missing glyphs: the pass draws only the face's own glyphs.
        font.setStyleStrategy(QFont::NoFontMerging);
        font.setPixelSize(PointsToPixels(PointsOf(id)));
        font.setWeight((style & kStyleBold) ? QFont::Bold : QFont::Normal);
        font.setItalic((style & kStyleItalic) != 0);
        font.setKerning(false);
        auto face = std::make_shared<Face>();
        face->serial = ++m_faceSerial;
        const QRawFont raw = QRawFont::fromFont(font);
        face->unitsPerEm = raw.unitsPerEm() > 0 ? raw.unitsPerEm() : 1000;
        face->design = raw;
        face->design.setPixelSize(face->unitsPerEm);
        QString all(256, QChar(' '));
        for (int byte = 0; byte < 256; ++byte) {
            if (!IsControlByte(static_cast<unsigned char>(byte)))
                all[byte] = QChar(static_cast<char16_t>(Cp1252ToUnicode(static_cast<unsigned char>(byte))));
        }
        const QList<quint32> glyphs = face->design.glyphIndexesForString(all);
        for (int byte = 0; byte < 256 && byte < glyphs.size(); ++byte)
            (*face->glyph)[static_cast<std::size_t>(byte)] = glyphs[byte];
        if (!DesignAdvancesFromTables(face->design, *face->glyph, face->units)) {
            const QList<QPointF> advances = face->design.advancesForGlyphIndexes(glyphs, QRawFont::UseDesignMetrics);
            for (int byte = 0; byte < 256 && byte < advances.size(); ++byte)
                face->units[static_cast<std::size_t>(byte)] = advances[byte].x();
        }
        return face;
    });
    known = made;
    return made;
}

std::shared_ptr<const GlyphMetrics> GlyphFontCache::Metrics(FontId id)
{
    // The layout asks for the measures of nearly every token, and a file may give each token
    // another name, size and style: the name's own table answers without a search.
    Name& name = m_names[NameOf(id)];
    if (!name.measures.empty()) {
        if (const std::uint16_t held = name.measures[MeasureSlot(id)]) return m_measuredList[held - 1u];
    }
    const auto face = FaceOf(id);
    const int pixels = PointsToPixels(PointsOf(id));
    // Names of one face at one size measure alike: one measure serves them all.
    if (face->measuresGeneration != m_measuresGeneration) {
        face->measures.fill(0);
        face->measuresGeneration = m_measuresGeneration;
    }
    std::uint16_t& held = face->measures[static_cast<std::size_t>(pixels)];
    if (held == 0) {
        if (m_measuredList.size() >= kMeasuredFonts) {
            // All measures go, and every name and face forgets where its were.
            m_measuredList.clear();
            ++m_measuresGeneration;
            for (Name& other : m_names)
                other.measures.clear();
            return Metrics(id);
        }
        m_measuredList.push_back(MeasureFace(*face, pixels));
        held = static_cast<std::uint16_t>(m_measuredList.size());
    }
    if (name.measures.empty()) name.measures.assign(kMeasureSlots, 0);
    name.measures[MeasureSlot(id)] = held;
    return m_measuredList[held - 1u];
}

std::shared_ptr<const GlyphMetrics> GlyphFontCache::MeasureFace(const Face& face, int pixels)
{
    // The heights of the face at this size come from a copy of the design font at that size,
    // which costs little more than the copy: no font is looked up or matched again.
    QRawFont sized = face.design;
    sized.setPixelSize(pixels);
    auto made = std::make_shared<GlyphMetrics>();
    made->ascent = qRound(sized.ascent());
    made->height = made->ascent + qRound(sized.descent());
    made->lineHeight = made->height + std::max(0, qRound(sized.leading()));
    made->lineThickness = std::max(1, qRound(sized.lineThickness()));
    made->underlineTop = std::max(1, qRound(sized.underlinePosition())) - made->lineThickness / 2;
    made->strikeTop = -std::max(1, made->ascent / 3) - made->lineThickness / 2;
    const double scale = pixels / face.unitsPerEm;
    for (std::size_t byte = 0; byte < 256; ++byte)
        made->advance[byte] = static_cast<std::int16_t>(std::floor(face.units[byte] * scale + 0.5));
    return made;
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
    std::shared_ptr<Face> face;
    const int pixels = PointsToPixels(PointsOf(id));
    if (recent.id != id) {
        face = FaceOf(id);
        recent = { id, SizedKey(*face, pixels) };
    }
    m_lastDrawing = m_drawing.Get(recent.key, [&] {
        if (!face) face = FaceOf(id);
        const auto metrics = Metrics(id);
        // The face matched once, at the size: the copy keeps the hinting and smoothing the
        // system's settings gave the face, and no font is looked up again.
        QRawFont sized = face->design;
        sized.setPixelSize(pixels);
        return std::make_shared<GlyphFont>(std::move(sized), face->glyph, metrics);
    });
    m_lastDrawingId = id;
    return m_lastDrawing;
}

} // namespace quirel

#include "platform/FontTables.h"

#include "document/Cp1252.h"

#include <QByteArray>
#include <QList>
#include <QPointF>
#include <QString>
#include <algorithm>
#include <cmath>

namespace quirel {

namespace {

// Control characters have no useful glyph in the faces we use (most show the missing-glyph box).
bool IsControlByte(unsigned char byte)
{
    const char32_t code = Cp1252ToUnicode(byte);
    return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

unsigned BigEndian16(const QByteArray& bytes, qsizetype at)
{
    return static_cast<unsigned>(static_cast<unsigned char>(bytes[at])) << 8
        | static_cast<unsigned char>(bytes[at + 1]);
}

// The design advances of glyphs read from the face's horizontal metrics table, which is what
// loading each glyph would give, at a small part of the cost. False, with units untouched, when
// the face has no such table or it does not agree with a glyph measured the slow way (a face drawn
// from scaled pictures, a table that is damaged).
bool DesignAdvancesFromTables(const QRawFont& design, const GlyphTable& glyphs, std::array<double, 256>& units)
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

} // namespace

int PointsToPixels(int sizePoints)
{
    const int points = std::clamp(sizePoints, 1, kMaxPoints);
    return (points * 96 + 36) / 72;
}

FaceDesign ReadFaceDesign(const QRawFont& raw)
{
    FaceDesign face;
    face.unitsPerEm = raw.unitsPerEm() > 0 ? raw.unitsPerEm() : 1000;
    face.design = raw;
    face.design.setPixelSize(face.unitsPerEm);
    QString all(256, QChar(' '));
    for (int byte = 0; byte < 256; ++byte) {
        if (!IsControlByte(static_cast<unsigned char>(byte)))
            all[byte] = QChar(static_cast<char16_t>(Cp1252ToUnicode(static_cast<unsigned char>(byte))));
    }
    const QList<quint32> glyphs = face.design.glyphIndexesForString(all);
    for (int byte = 0; byte < 256 && byte < glyphs.size(); ++byte)
        (*face.glyphs)[static_cast<std::size_t>(byte)] = glyphs[byte];
    if (!DesignAdvancesFromTables(face.design, *face.glyphs, face.units)) {
        const QList<QPointF> advances = face.design.advancesForGlyphIndexes(glyphs, QRawFont::UseDesignMetrics);
        for (int byte = 0; byte < 256 && byte < advances.size(); ++byte)
            face.units[static_cast<std::size_t>(byte)] = advances[byte].x();
    }
    return face;
}

GlyphMetrics MeasureFace(const FaceDesign& face, int pixels)
{
    QRawFont sized = face.design;
    sized.setPixelSize(pixels);
    GlyphMetrics made;
    made.ascent = qRound(sized.ascent());
    made.height = made.ascent + qRound(sized.descent());
    made.lineHeight = made.height + std::max(0, qRound(sized.leading()));
    made.lineThickness = std::max(1, qRound(sized.lineThickness()));
    made.underlineTop = std::max(1, qRound(sized.underlinePosition())) - made.lineThickness / 2;
    made.strikeTop = -std::max(1, made.ascent / 3) - made.lineThickness / 2;
    const double scale = pixels / face.unitsPerEm;
    for (std::size_t byte = 0; byte < 256; ++byte)
        made.advance[byte] = static_cast<std::int16_t>(std::floor(face.units[byte] * scale + 0.5));
    return made;
}

} // namespace quirel

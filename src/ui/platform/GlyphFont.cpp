#include "platform/GlyphFont.h"

#include "document/Cp1252.h"
#include "document/FormatRecord.h"
#include "platform/QtText.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>

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

} // namespace

int PointsToPixels(int sizePoints)
{
    const int points = std::clamp(sizePoints, 1, kMaxPoints);
    return (points * 96 + 36) / 72;
}

GlyphFont::GlyphFont(const QString& family, int pixelSize, int style)
    : m_style(style)
{
    m_font.setFamily(family);
    m_font.setPixelSize(pixelSize);
    m_font.setWeight((style & kStyleBold) ? QFont::Bold : QFont::Normal);
    m_font.setItalic((style & kStyleItalic) != 0);
    m_font.setKerning(false);

    const QFontMetrics metrics(m_font);
    m_ascent = metrics.ascent();
    m_height = metrics.height();
    m_lineHeight = m_height + std::max(0, metrics.leading());
    m_lineThickness = std::max(1, metrics.lineWidth());
    m_underlineTop = std::max(1, metrics.underlinePos()) - m_lineThickness / 2;
    m_strikeTop = -metrics.strikeOutPos() - m_lineThickness / 2;

    m_raw = QRawFont::fromFont(m_font);
    std::string all(256, ' ');
    for (int byte = 0; byte < 256; ++byte) {
        if (!IsControlByte(static_cast<unsigned char>(byte)))
            all[static_cast<std::size_t>(byte)] = static_cast<char>(byte);
    }
    const QList<quint32> glyphs = m_raw.glyphIndexesForString(FromCp1252(all));
    const QList<QPointF> advances = m_raw.advancesForGlyphIndexes(glyphs);
    for (int byte = 0; byte < 256 && byte < glyphs.size() && byte < advances.size(); ++byte) {
        m_glyph[byte] = glyphs[byte];
        m_advance[byte] = static_cast<std::int16_t>(std::lround(advances[byte].x()));
    }
}

int GlyphFont::TextAdvance(std::string_view text) const
{
    int advance = 0;
    for (const char c : text)
        advance += m_advance[static_cast<unsigned char>(c)];
    return advance;
}

bool GlyphFont::InkInsideCell(std::string_view text)
{
    const int advance = TextAdvance(text);
    int pen = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const Mask& mask = GlyphMask(byte);
        if (mask.width > 0
            && (pen + mask.left < 0 || pen + mask.left + mask.width > advance || mask.top < -m_ascent
                || mask.top + mask.height > m_height - m_ascent))
            return false;
        pen += m_advance[byte];
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
        pen += m_advance[byte];
    }
    return inked ? QRect(left, top, right - left, bottom - top) : QRect();
}

void GlyphFont::RenderMask(unsigned char byte)
{
    m_ready[byte] = true;
    // Room around the cell for italic overhang and marks above the ascent.
    const int pad = m_height / 2 + 2;
    QImage scratch(m_advance[byte] + 2 * pad, m_height + 2 * pad, QImage::Format_ARGB32_Premultiplied);
    scratch.fill(Qt::transparent);
    {
        QPainter painter(&scratch);
        painter.setPen(Qt::black);
        QGlyphRun run;
        run.setRawFont(m_raw);
        const quint32 glyph = m_glyph[byte];
        const QPointF origin(0, 0);
        run.setRawData(&glyph, &origin, 1);
        painter.drawGlyphRun(QPointF(pad, pad + m_ascent), run);
    }

    int left = scratch.width();
    int right = -1;
    int top = scratch.height();
    int bottom = -1;
    for (int y = 0; y < scratch.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        for (int x = 0; x < scratch.width(); ++x) {
            if (qAlpha(row[x]) != 0) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    Mask& mask = m_masks[byte];
    if (right < 0) return;
    mask.left = static_cast<std::int16_t>(left - pad);
    mask.top = static_cast<std::int16_t>(top - pad - m_ascent);
    mask.width = static_cast<std::int16_t>(right - left + 1);
    mask.height = static_cast<std::int16_t>(bottom - top + 1);
    mask.offset = static_cast<std::uint32_t>(m_coverage.size());
    mask.inkStart = static_cast<std::uint32_t>(m_inkOffsets.size());
    for (int y = top; y <= bottom; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        for (int x = left; x <= right; ++x) {
            const auto alpha = static_cast<std::uint8_t>(qAlpha(row[x]));
            m_coverage.push_back(alpha);
            if (alpha != 0) {
                m_inkOffsets.push_back((y - top) * kPageWidth + (x - left));
                m_inkCoverage.push_back(alpha);
            }
        }
    }
    mask.inkCount = static_cast<std::uint32_t>(m_inkOffsets.size()) - mask.inkStart;
}

const std::shared_ptr<GlyphFont>& GlyphFontCache::Get(std::string_view face, int sizePoints, int style)
{
    m_key.assign(face);
    m_key.push_back('\0');
    m_key.append(std::to_string(sizePoints));
    m_key.push_back('/');
    m_key.append(std::to_string(style));
    auto found = m_fonts.find(m_key);
    if (found != m_fonts.end()) return found->second;
    const QString family = FromCp1252(face);
    auto font = std::make_shared<GlyphFont>(family, PointsToPixels(sizePoints), style);
    return m_fonts.emplace(m_key, std::move(font)).first->second;
}

} // namespace quirel

#include "EmoticonPictures.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QRawFont>
#include <algorithm>

namespace quirel::resourcegen {

namespace {

// The colour emoji font holds its pictures as bitmaps of this many pixels per em; drawing at
// that size and scaling down afterwards keeps the most detail.
constexpr int kEmojiPixelSize = 109;
constexpr int kCanvasSize = 256;

// Pixels of less opacity than this become the transparent key; the rest are made opaque.
// Keying instead of blending keeps pink fringes out of the edges.
constexpr int kAlphaThreshold = 112;

constexpr char32_t kZeroWidthJoiner = 0x200D;
constexpr char32_t kEmojiPresentation = 0xFE0F;

QFont EmojiFont()
{
    QFont font(QStringLiteral("Noto Color Emoji"));
    font.setPixelSize(kEmojiPixelSize);
    // Without a fallback a missing glyph shows up as an error here and never as a
    // black-and-white picture from some other font.
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}

QString ToQString(const std::u32string& text)
{
    return QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size()));
}

QString Describe(const std::u32string& emoji)
{
    QStringList codes;
    for (char32_t c : emoji)
        codes << QStringLiteral("U+%1").arg(static_cast<uint>(c), 4, 16, QLatin1Char('0')).toUpper();
    return codes.join(QLatin1Char(' '));
}

// The font must know every code point and shape the whole sequence into one picture.
bool CheckGlyphs(const std::u32string& emoji, QString* error)
{
    const QFont font = EmojiFont();
    const QRawFont raw = QRawFont::fromFont(font);
    if (!raw.isValid() || raw.familyName() != QStringLiteral("Noto Color Emoji")) {
        *error = QStringLiteral("the font \"Noto Color Emoji\" is not installed (Debian: fonts-noto-color-emoji)");
        return false;
    }
    for (char32_t c : emoji) {
        if (c == kZeroWidthJoiner || c == kEmojiPresentation) continue;
        if (!raw.supportsCharacter(static_cast<uint>(c))) {
            *error = QStringLiteral("the emoji font has no glyph for %1").arg(Describe({ c }));
            return false;
        }
    }
    const QFontMetricsF metrics(font);
    const qreal single = metrics.horizontalAdvance(QString::fromUcs4(U"\U0001F600", 1));
    if (metrics.horizontalAdvance(ToQString(emoji)) > single * 1.5) {
        *error = QStringLiteral("the emoji font draws %1 as more than one picture").arg(Describe(emoji));
        return false;
    }
    return true;
}

QRect OpaqueBounds(const QImage& image)
{
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) == 0) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// Every pixel of at least the threshold's opacity keeps its own colour, fully opaque; the
// others become the key. A drawn pixel that happens to be pure magenta is moved off the key.
QImage KeyOutTransparency(const QImage& drawn)
{
    const QImage straight = drawn.convertToFormat(QImage::Format_ARGB32);
    QImage keyed(straight.size(), QImage::Format_RGB32);
    for (int y = 0; y < straight.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(straight.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(keyed.scanLine(y));
        for (int x = 0; x < straight.width(); ++x) {
            if (qAlpha(in[x]) < kAlphaThreshold) {
                out[x] = kEmoticonKey;
                continue;
            }
            const QRgb colour = qRgb(qRed(in[x]), qGreen(in[x]), qBlue(in[x]));
            out[x] = colour == kEmoticonKey ? qRgb(254, 0, 255) : colour;
        }
    }
    return keyed;
}

const EmoticonSource& SourceOf(int number)
{
    return EmoticonSources().at(static_cast<std::size_t>(number - 1));
}

} // namespace

QSize EmoticonPictureSize(int number)
{
    return number == 9 || number == 22 ? QSize(20, 12) : QSize(20, 20);
}

QImage DrawEmojiFitted(const std::u32string& emoji, int width, int height, QString* error)
{
    if (!CheckGlyphs(emoji, error)) return {};
    QImage canvas(kCanvasSize, kCanvasSize, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    {
        QPainter painter(&canvas);
        painter.setFont(EmojiFont());
        painter.drawText(canvas.rect(), Qt::AlignCenter, ToQString(emoji));
    }
    const QRect bounds = OpaqueBounds(canvas);
    if (bounds.isEmpty()) {
        *error = QStringLiteral("the emoji font drew nothing for %1").arg(Describe(emoji));
        return {};
    }
    // Scaling the premultiplied picture averages colour and coverage together, so the
    // transparent surroundings do not darken the edges.
    const QImage scaled = canvas.copy(bounds).scaled(width, height, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QImage fitted(width, height, QImage::Format_ARGB32_Premultiplied);
    fitted.fill(Qt::transparent);
    QPainter painter(&fitted);
    painter.drawImage((width - scaled.width()) / 2, (height - scaled.height()) / 2, scaled);
    return fitted;
}

QImage DrawEmoticon(int number, QString* error)
{
    if (number < 1 || number > kEmoticonCount) {
        *error = QStringLiteral("no emoticon %1").arg(number);
        return {};
    }
    const EmoticonSource& source = SourceOf(number);
    const QSize size = EmoticonPictureSize(number);
    if (source.drawByHand) {
        const QImage drawn = source.drawByHand();
        if (drawn.size() != size) {
            *error = QStringLiteral("the hand-drawn picture is not %1 × %2").arg(size.width()).arg(size.height());
            return {};
        }
        return KeyOutTransparency(drawn);
    }
    if (source.badge.empty()) {
        const QImage drawn = DrawEmojiFitted(source.emoji, size.width(), size.height(), error);
        return drawn.isNull() ? QImage() : KeyOutTransparency(drawn);
    }
    // A face a little smaller in the lower left, the badge in the upper right over it.
    const int faceSize = size.height() - 3;
    const int badgeSize = size.height() / 2;
    const QImage face = DrawEmojiFitted(source.emoji, faceSize, faceSize, error);
    const QImage badge = face.isNull() ? QImage() : DrawEmojiFitted(source.badge, badgeSize, badgeSize, error);
    if (badge.isNull()) return {};
    QImage drawn(size, QImage::Format_ARGB32_Premultiplied);
    drawn.fill(Qt::transparent);
    {
        QPainter painter(&drawn);
        painter.drawImage(0, size.height() - faceSize, face);
        painter.drawImage(size.width() - badgeSize, 0, badge);
    }
    return KeyOutTransparency(drawn);
}

} // namespace quirel::resourcegen

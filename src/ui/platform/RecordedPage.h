#pragma once

#include "document/PageTable.h"
#include "platform/EmoticonPictures.h"
#include "platform/GlyphFontCache.h"
#include "platform/PageSurface.h"

#include <QImage>
#include <QRect>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quirel {

// A page picture kept as the drawing that made it: the frame, the text cells (position, font,
// colours, bytes) and the emoticons, in order. Everything on a page comes from these few
// operations, so painting them again on a white page gives back exactly the same pixels, while a
// page of text takes some tens of kilobytes and storing it costs a copy.
class RecordedPage final : public PagePicture {
public:
    // A white page without frame, whose text will be drawn with the fonts of fonts.
    explicit RecordedPage(std::shared_ptr<GlyphFontCache> fonts)
        : m_cache(std::move(fonts))
    {
    }

    // Forgets everything: a white page without frame.
    void Clear();
    void AddFrame();
    // Text drawn at (x, y) in font (of the page's cache) with decoration bits (4 underline, 8
    // strike-through) and colours, as one opaque cell. Returns the index of the operation written:
    // text over the same cell as the text just before, that stays inside its cell, replaces it (the
    // blinking cursor leaves one operation, not one per blink).
    std::size_t AddText(
        FontId font, int decorations, int x, int y, std::string_view text, QRgb colour, QRgb background);
    void AddPicture(std::shared_ptr<const EmoticonPictures::Picture> picture, int x, int y);

    // Paints the operations from the first-th on onto surface, and returns how many there are
    // (the first to paint next time): painting in steps gives the pixels of painting at once.
    std::size_t PaintOn(PageSurface& surface, std::size_t first = 0) const;
    // Paints the index-th operation onto surface.
    void PaintOperation(PageSurface& surface, std::size_t index) const;
    // The rectangle of the page whose pixels painting the index-th operation may change (its whole
    // cell, glyphs reaching outside it, lines; the whole page for the frame), clipped to the page.
    QRect InkBounds(std::size_t index) const;
    // How many operations, from the first, this page and other have in common: the same drawing
    // (kind, place, font, colours, bytes, picture), so painting them gives the same pixels.
    std::size_t CommonPrefix(const RecordedPage& other) const;
    // Paints the operations on a white page in target, reusing target's buffer when it already is
    // a 794 × 1122 RGB32 image.
    void PaintInto(QImage& target) const;

    std::size_t OperationCount() const { return m_ops.size(); }
    // Bytes held by this picture, its own object included (the shared font cache and pictures not).
    std::size_t MemoryBytes() const;

private:
    enum class Kind : std::uint8_t { Frame, Text, Picture };
    struct Op {
        Kind kind = Kind::Frame;
        std::uint8_t decorations = 0;
        std::uint16_t unused = 0;
        std::uint32_t resource = 0; // text: its font in m_cache; picture: index into m_pictures
        std::int32_t x = 0;
        std::int32_t y = 0;
        QRgb colour = 0;
        QRgb background = 0;
        std::uint32_t start = 0; // text bytes in m_text
        std::uint32_t length = 0;
    };

    std::string_view TextOf(const Op& op) const { return std::string_view(m_text).substr(op.start, op.length); }

    std::vector<Op> m_ops;
    std::string m_text;
    std::shared_ptr<GlyphFontCache> m_cache;
    std::vector<std::shared_ptr<const EmoticonPictures::Picture>> m_pictures;
};

// The picture of slot as an image: its painted page, or a white page with the black frame when the
// slot has no picture.
QImage PageImage(const PageSlot& slot);
// The same into target, reusing its buffer when it already is a 794 × 1122 RGB32 image.
void PaintPageInto(const PageSlot& slot, QImage& target);

} // namespace quirel

#pragma once

#include "document/PageTable.h"
#include "platform/PageSurface.h"

#include <QImage>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace quirel {

// A page picture kept small: rows of the blank page (white, framed or not) cost nothing, the others
// are runs of white, runs of one colour and literal pixels, with the page's colours as one-byte
// codes. A text page takes some tens of kilobytes instead of 3.5 MB, and packs and unpacks in well
// under a millisecond. Unpacking gives back exactly the pixels that were packed.
class CompressedPage final : public PagePicture {
public:
    // Packs the surface (only the parts its rows say may differ from the blank page are read).
    static std::unique_ptr<CompressedPage> FromSurface(const PageSurface& surface);
    // Packs any 794 × 1122 image; null when the image has another size.
    static std::unique_ptr<CompressedPage> FromImage(const QImage& image);
    // Packs the surface into slot's picture, reusing the picture the slot already holds.
    static void Store(const PageSurface& surface, PageSlot& slot);

    // Unpacks into target, which becomes a 794 × 1122 RGB32 image (its buffer is reused when it is one).
    void DecodeInto(QImage& target) const;
    bool Framed() const { return m_framed; }
    // Bytes held by this picture, its own object included.
    std::size_t MemoryBytes() const;

private:
    CompressedPage() = default;
    void Pack(const QRgb* pixels, int stride, const RowExtent* rows, bool framed);

    bool m_framed = false;
    // Row y's bytes are [m_rowStart[y], m_rowStart[y + 1]); a row without bytes is a blank row.
    std::vector<std::uint32_t> m_rowStart;
    std::vector<std::uint8_t> m_bytes;
    std::vector<QRgb> m_palette;
};

// The picture of slot as an image: its painted page, or a white page with the black frame when the
// slot has no picture.
QImage DecodePage(const PageSlot& slot);
// The same into target, reusing its buffer when it is already a 794 × 1122 RGB32 image.
void DecodePageInto(const PageSlot& slot, QImage& target);

} // namespace quirel

#include "platform/CompressedPage.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace quirel {

namespace {

// A packed row: its first column that differs from the blank row (two bytes), then operations
// up to its last such column. An operation byte holds the kind in its two high bits and the
// count in the six low bits: 0 to 62 for 1 to 63 pixels, 63 when the count follows in two bytes.
enum Op : std::uint8_t { kWhiteRun = 0, kColourRun = 1, kLiteral = 2 };
constexpr int kShortCount = 63;
// A colour is a palette code; this code announces a colour outside the palette, as three bytes.
constexpr std::uint8_t kDirectColour = 255;
constexpr std::size_t kMaxPalette = 255;

constexpr QRgb kWhite = PageSurface::kWhite;

// Colour → palette code, for the packing of one page.
class PaletteIndex {
public:
    explicit PaletteIndex(std::vector<QRgb>& palette)
        : m_palette(palette)
    {
        m_palette.clear();
        m_keys.fill(0);
    }

    // Code of colour, added to the palette while there is room; kDirectColour when full.
    std::uint8_t Code(QRgb colour)
    {
        // Every stored colour is opaque, so 0 marks a free slot.
        std::size_t slot = Hash(colour);
        while (true) {
            if (m_keys[slot] == colour) return m_codes[slot];
            if (m_keys[slot] == 0) break;
            slot = (slot + 1) & (kSlots - 1);
        }
        if (m_palette.size() >= kMaxPalette) return kDirectColour;
        m_keys[slot] = colour;
        m_codes[slot] = static_cast<std::uint8_t>(m_palette.size());
        m_palette.push_back(colour);
        return m_codes[slot];
    }

private:
    static constexpr std::size_t kSlots = 1024;
    static std::size_t Hash(QRgb colour) { return (colour * 0x9E3779B1u) >> 22; }

    std::vector<QRgb>& m_palette;
    std::array<QRgb, kSlots> m_keys;
    std::array<std::uint8_t, kSlots> m_codes {};
};

class RowWriter {
public:
    RowWriter(std::vector<std::uint8_t>& out, PaletteIndex& palette)
        : m_out(out)
        , m_palette(palette)
    {
    }

    void Count(Op op, int count)
    {
        if (count <= kShortCount) {
            m_out.push_back(static_cast<std::uint8_t>((op << 6) | (count - 1)));
        } else {
            m_out.push_back(static_cast<std::uint8_t>((op << 6) | kShortCount));
            m_out.push_back(static_cast<std::uint8_t>(count & 0xFF));
            m_out.push_back(static_cast<std::uint8_t>(count >> 8));
        }
    }

    void Colour(QRgb colour)
    {
        const std::uint8_t code = m_palette.Code(colour);
        m_out.push_back(code);
        if (code == kDirectColour) {
            m_out.push_back(static_cast<std::uint8_t>(colour));
            m_out.push_back(static_cast<std::uint8_t>(colour >> 8));
            m_out.push_back(static_cast<std::uint8_t>(colour >> 16));
        }
    }

    void Literal(const QRgb* pixels, int count)
    {
        if (count <= 0) return;
        Count(kLiteral, count);
        for (int i = 0; i < count; ++i)
            Colour(pixels[i]);
    }

private:
    std::vector<std::uint8_t>& m_out;
    PaletteIndex& m_palette;
};

// Packs pixels [begin, end) of one row (begin and end differ from the blank row).
void PackRow(const QRgb* row, int begin, int end, RowWriter& writer, std::vector<std::uint8_t>& out)
{
    out.push_back(static_cast<std::uint8_t>(begin & 0xFF));
    out.push_back(static_cast<std::uint8_t>(begin >> 8));
    int literal = begin;
    int x = begin;
    while (x < end) {
        const QRgb pixel = row[x];
        int next = x + 1;
        while (next < end && row[next] == pixel)
            ++next;
        const int count = next - x;
        // A run pays when it is cheaper than the same pixels as literal codes.
        if ((pixel == kWhite && count >= 2) || count >= 3) {
            writer.Literal(row + literal, x - literal);
            if (pixel == kWhite) {
                writer.Count(kWhiteRun, count);
            } else {
                writer.Count(kColourRun, count);
                writer.Colour(pixel);
            }
            literal = next;
        }
        x = next;
    }
    writer.Literal(row + literal, end - literal);
}

// The three kinds of blank row.
struct BlankRows {
    std::array<QRgb, kPageWidth> white;
    std::array<QRgb, kPageWidth> framedEdge;
    std::array<QRgb, kPageWidth> framedMiddle;

    BlankRows()
    {
        white.fill(kWhite);
        framedEdge.fill(PageSurface::kBlack);
        framedMiddle.fill(kWhite);
        framedMiddle.front() = PageSurface::kBlack;
        framedMiddle.back() = PageSurface::kBlack;
    }

    const QRgb* Row(int y, bool framed) const
    {
        if (!framed) return white.data();
        return (y == 0 || y == kPageHeight - 1) ? framedEdge.data() : framedMiddle.data();
    }
};

const BlankRows& Blank()
{
    static const BlankRows rows;
    return rows;
}

void PrepareTarget(QImage& target)
{
    if (target.width() != kPageWidth || target.height() != kPageHeight || target.format() != QImage::Format_RGB32)
        target = QImage(kPageWidth, kPageHeight, QImage::Format_RGB32);
}

} // namespace

void CompressedPage::Pack(const QRgb* pixels, int stride, const RowExtent* rows, bool framed)
{
    m_framed = framed;
    m_rowStart.assign(kPageHeight + 1, 0);
    // Packing goes through one scratch buffer; the picture keeps an exact-size copy.
    static thread_local std::vector<std::uint8_t> scratch;
    scratch.clear();
    PaletteIndex palette(m_palette);
    RowWriter writer(scratch, palette);
    for (int y = 0; y < kPageHeight; ++y) {
        m_rowStart[static_cast<std::size_t>(y)] = static_cast<std::uint32_t>(scratch.size());
        const QRgb* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
        const QRgb* blank = Blank().Row(y, framed);
        int begin = std::max<int>(rows[y].begin, 0);
        int end = std::min<int>(rows[y].end, kPageWidth);
        while (begin < end && row[begin] == blank[begin])
            ++begin;
        while (end > begin && row[end - 1] == blank[end - 1])
            --end;
        if (begin < end) PackRow(row, begin, end, writer, scratch);
    }
    m_rowStart[kPageHeight] = static_cast<std::uint32_t>(scratch.size());
    m_bytes.assign(scratch.begin(), scratch.end());
    m_bytes.shrink_to_fit();
    m_palette.shrink_to_fit();
}

std::unique_ptr<CompressedPage> CompressedPage::FromSurface(const PageSurface& surface)
{
    std::unique_ptr<CompressedPage> page(new CompressedPage);
    page->Pack(surface.Pixels(), PageSurface::Stride(), surface.Rows(), surface.Framed());
    return page;
}

std::unique_ptr<CompressedPage> CompressedPage::FromImage(const QImage& image)
{
    if (image.width() != kPageWidth || image.height() != kPageHeight) return nullptr;
    const QImage rgb = image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
    std::array<RowExtent, kPageHeight> rows;
    rows.fill(RowExtent { 0, static_cast<std::int16_t>(kPageWidth) });
    std::unique_ptr<CompressedPage> page(new CompressedPage);
    // RGB32 pixels carry 0xFF in their unused high byte once Qt wrote them; make sure of it.
    QImage opaque = rgb.copy();
    for (int y = 0; y < kPageHeight; ++y) {
        auto* row = reinterpret_cast<QRgb*>(opaque.scanLine(y));
        for (int x = 0; x < kPageWidth; ++x)
            row[x] |= 0xFF000000u;
    }
    page->Pack(reinterpret_cast<const QRgb*>(opaque.constBits()), static_cast<int>(opaque.bytesPerLine() / 4),
        rows.data(), false);
    return page;
}

void CompressedPage::Store(const PageSurface& surface, PageSlot& slot)
{
    auto* page = dynamic_cast<CompressedPage*>(slot.picture.get());
    if (!page) {
        slot.picture = FromSurface(surface);
        return;
    }
    page->Pack(surface.Pixels(), PageSurface::Stride(), surface.Rows(), surface.Framed());
}

void CompressedPage::DecodeInto(QImage& target) const
{
    PrepareTarget(target);
    auto* pixels = reinterpret_cast<QRgb*>(target.bits());
    const int stride = static_cast<int>(target.bytesPerLine() / 4);
    const std::uint8_t* bytes = m_bytes.data();
    const QRgb* palette = m_palette.data();
    for (int y = 0; y < kPageHeight; ++y) {
        QRgb* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
        std::memcpy(row, Blank().Row(y, m_framed), kPageWidth * sizeof(QRgb));
        std::size_t at = m_rowStart[static_cast<std::size_t>(y)];
        const std::size_t end = m_rowStart[static_cast<std::size_t>(y) + 1];
        if (at == end) continue;
        int x = bytes[at] | (bytes[at + 1] << 8);
        at += 2;
        while (at < end) {
            const std::uint8_t op = bytes[at++];
            int count = (op & 63) + 1;
            if (count > kShortCount) {
                count = bytes[at] | (bytes[at + 1] << 8);
                at += 2;
            }
            count = std::min(count, kPageWidth - x);
            auto colour = [&]() {
                const std::uint8_t code = bytes[at++];
                if (code != kDirectColour) return palette[code];
                const QRgb direct = 0xFF000000u | bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16);
                at += 3;
                return direct;
            };
            switch (op >> 6) {
            case kWhiteRun:
                std::fill(row + x, row + x + count, kWhite);
                break;
            case kColourRun:
                std::fill(row + x, row + x + count, colour());
                break;
            default:
                for (int i = 0; i < count; ++i)
                    row[x + i] = colour();
                break;
            }
            x += count;
        }
    }
}

std::size_t CompressedPage::MemoryBytes() const
{
    return sizeof(*this) + m_rowStart.capacity() * sizeof(std::uint32_t) + m_bytes.capacity()
        + m_palette.capacity() * sizeof(QRgb);
}

void DecodePageInto(const PageSlot& slot, QImage& target)
{
    if (const auto* page = dynamic_cast<const CompressedPage*>(slot.picture.get())) {
        page->DecodeInto(target);
        return;
    }
    PrepareTarget(target);
    for (int y = 0; y < kPageHeight; ++y)
        std::memcpy(target.scanLine(y), Blank().Row(y, true), kPageWidth * sizeof(QRgb));
}

QImage DecodePage(const PageSlot& slot)
{
    QImage image;
    DecodePageInto(slot, image);
    return image;
}

} // namespace quirel

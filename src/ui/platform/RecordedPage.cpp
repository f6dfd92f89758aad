#include "platform/RecordedPage.h"

#include "document/FormatRecord.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace quirel {

namespace {

// Length of the longest common beginning of a and b.
std::size_t CommonLength(std::string_view a, std::string_view b)
{
    const std::size_t length = std::min(a.size(), b.size());
    constexpr std::size_t kBlock = 64;
    std::size_t i = 0;
    while (i + kBlock <= length && std::memcmp(a.data() + i, b.data() + i, kBlock) == 0)
        i += kBlock;
    while (i < length && a[i] == b[i])
        ++i;
    return i;
}

} // namespace

void RecordedPage::Clear()
{
    m_ops.clear();
    m_text.clear();
    m_pictures.clear();
}

void RecordedPage::AddFrame()
{
    m_ops.push_back(Op {});
}

std::size_t RecordedPage::AddText(
    FontId font, int decorations, int x, int y, std::string_view text, QRgb colour, QRgb background)
{
    if (text.empty()) return m_ops.size();
    // Text drawn again over the same cell (the blinking cursor, every half second) replaces the
    // text before it when nothing of that text lies outside the cell: the page stays the same
    // size however long it blinks.
    if (!m_ops.empty()) {
        const Op& last = m_ops.back();
        if (last.kind == Kind::Text && last.x == x && last.y == y && last.decorations == 0) {
            const auto lastMetrics = m_cache->Metrics(last.resource);
            const auto metrics = m_cache->Metrics(font);
            const std::string_view lastText = std::string_view(m_text).substr(last.start, last.length);
            if (lastMetrics->height == metrics->height
                && lastMetrics->TextAdvance(lastText) == metrics->TextAdvance(text)
                && m_cache->Font(last.resource)->InkInsideCell(lastText)) {
                m_text.resize(last.start);
                m_ops.pop_back();
            }
        }
    }
    Op op;
    op.kind = Kind::Text;
    op.decorations = static_cast<std::uint8_t>(decorations);
    op.resource = font;
    op.x = x;
    op.y = y;
    op.colour = colour;
    op.background = background;
    op.start = static_cast<std::uint32_t>(m_text.size());
    op.length = static_cast<std::uint32_t>(text.size());
    m_text.append(text);
    m_ops.push_back(op);
    return m_ops.size() - 1;
}

void RecordedPage::AddPicture(std::shared_ptr<const EmoticonPictures::Picture> picture, int x, int y)
{
    if (!picture) return;
    // At most kEmoticonCount different pictures: each is kept once.
    auto found = std::find(m_pictures.begin(), m_pictures.end(), picture);
    if (found == m_pictures.end()) found = m_pictures.insert(found, std::move(picture));
    Op op;
    op.kind = Kind::Picture;
    op.resource = static_cast<std::uint32_t>(found - m_pictures.begin());
    op.x = x;
    op.y = y;
    m_ops.push_back(op);
}

std::size_t RecordedPage::PaintOn(PageSurface& surface, std::size_t first) const
{
    for (std::size_t i = first; i < m_ops.size(); ++i)
        PaintOperation(surface, i);
    return m_ops.size();
}

void RecordedPage::PaintOperation(PageSurface& surface, std::size_t index) const
{
    const Op& op = m_ops[index];
    switch (op.kind) {
    case Kind::Frame:
        surface.DrawFrame();
        break;
    case Kind::Text:
        surface.DrawText(*m_cache->Font(op.resource), op.decorations, op.x, op.y, TextOf(op), op.colour, op.background);
        break;
    case Kind::Picture:
        surface.DrawPicture(*m_pictures[op.resource], op.x, op.y);
        break;
    }
}

QRect RecordedPage::InkBounds(std::size_t index) const
{
    const QRect page(0, 0, kPageWidth, kPageHeight);
    const Op& op = m_ops[index];
    switch (op.kind) {
    case Kind::Frame:
        return page;
    case Kind::Picture: {
        const auto& picture = *m_pictures[op.resource];
        return QRect(op.x, op.y, picture.width, picture.height) & page;
    }
    case Kind::Text:
        break;
    }
    const std::shared_ptr<GlyphFont> held = m_cache->Font(op.resource);
    GlyphFont& font = *held;
    const std::string_view text = TextOf(op);
    const int advance = font.TextAdvance(text);
    const int baseline = op.y + font.Ascent();
    QRect ink = QRect(op.x, op.y, advance, font.Height()) | font.TextInk(text).translated(op.x, baseline);
    if (op.decorations & kStyleUnderline)
        ink |= QRect(op.x, baseline + font.UnderlineTop(), advance, font.LineThickness());
    if (op.decorations & kStyleStrikeOut)
        ink |= QRect(op.x, baseline + font.StrikeTop(), advance, font.LineThickness());
    return ink & page;
}

std::size_t RecordedPage::CommonPrefix(const RecordedPage& other) const
{
    // Equal operations have their bytes at the same place of both texts, so one look at how
    // far the texts agree answers for the bytes of all of them.
    static_assert(std::has_unique_object_representations_v<Op>, "operations are compared as bytes");
    if (m_cache != other.m_cache) return 0; // font ids of different caches do not compare
    const std::size_t sameText = CommonLength(m_text, other.m_text);
    const std::size_t count = std::min(m_ops.size(), other.m_ops.size());
    std::size_t i = 0;
    for (; i < count; ++i) {
        const Op& op = m_ops[i];
        if (std::memcmp(&op, &other.m_ops[i], sizeof(Op)) != 0) break;
        if (op.kind == Kind::Text && op.start + op.length > sameText) break;
        if (op.kind == Kind::Picture && m_pictures[op.resource] != other.m_pictures[op.resource]) break;
    }
    return i;
}

void RecordedPage::PaintInto(QImage& target) const
{
    PageSurface surface(std::move(target));
    PaintOn(surface);
    target = surface.TakeImage();
}

std::size_t RecordedPage::MemoryBytes() const
{
    return sizeof(*this) + m_ops.capacity() * sizeof(Op) + m_text.capacity()
        + m_pictures.capacity() * sizeof(m_pictures[0]);
}

void PaintPageInto(const PageSlot& slot, QImage& target)
{
    if (const auto* page = dynamic_cast<const RecordedPage*>(slot.picture.get())) {
        page->PaintInto(target);
        return;
    }
    PageSurface surface(std::move(target));
    surface.DrawFrame();
    target = surface.TakeImage();
}

QImage PageImage(const PageSlot& slot)
{
    QImage image;
    PaintPageInto(slot, image);
    return image;
}

} // namespace quirel

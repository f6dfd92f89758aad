#include "platform/RecordedPage.h"

#include <algorithm>

namespace quirel {

void RecordedPage::Clear()
{
    m_ops.clear();
    m_text.clear();
    m_fonts.clear();
    m_pictures.clear();
    m_lastFont = 0;
}

void RecordedPage::AddFrame()
{
    m_ops.push_back(Op {});
}

std::uint16_t RecordedPage::FontIndex(const std::shared_ptr<GlyphFont>& font)
{
    // Pages use a few fonts, mostly the one of the text before.
    if (m_lastFont < m_fonts.size() && m_fonts[m_lastFont] == font) return static_cast<std::uint16_t>(m_lastFont);
    const auto found = std::find(m_fonts.begin(), m_fonts.end(), font);
    m_lastFont = static_cast<std::size_t>(found - m_fonts.begin());
    if (found == m_fonts.end()) m_fonts.push_back(font);
    return static_cast<std::uint16_t>(m_lastFont);
}

std::size_t RecordedPage::AddText(const std::shared_ptr<GlyphFont>& font, int decorations, int x, int y,
    std::string_view text, QRgb colour, QRgb background)
{
    if (text.empty()) return m_ops.size();
    const std::uint16_t index = FontIndex(font);
    // Text drawn again over the same cell (the blinking cursor, every half second) replaces the
    // text before it when nothing of that text lies outside the cell: the page stays the same
    // size however long it blinks.
    if (!m_ops.empty()) {
        const Op& last = m_ops.back();
        if (last.kind == Kind::Text && last.x == x && last.y == y && last.decorations == 0) {
            GlyphFont& lastFont = *m_fonts[last.resource];
            const std::string_view lastText = std::string_view(m_text).substr(last.start, last.length);
            if (lastFont.Height() == font->Height() && lastFont.TextAdvance(lastText) == font->TextAdvance(text)
                && lastFont.InkInsideCell(lastText)) {
                m_text.resize(last.start);
                m_ops.pop_back();
            }
        }
    }
    Op op;
    op.kind = Kind::Text;
    op.decorations = static_cast<std::uint8_t>(decorations);
    op.resource = index;
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
    // At most 188 different pictures: each is kept once.
    auto found = std::find(m_pictures.begin(), m_pictures.end(), picture);
    if (found == m_pictures.end()) found = m_pictures.insert(found, std::move(picture));
    Op op;
    op.kind = Kind::Picture;
    op.resource = static_cast<std::uint16_t>(found - m_pictures.begin());
    op.x = x;
    op.y = y;
    m_ops.push_back(op);
}

std::size_t RecordedPage::PaintOn(PageSurface& surface, std::size_t first) const
{
    for (std::size_t i = first; i < m_ops.size(); ++i) {
        const Op& op = m_ops[i];
        switch (op.kind) {
        case Kind::Frame:
            surface.DrawFrame();
            break;
        case Kind::Text:
            surface.DrawText(*m_fonts[op.resource], op.decorations, op.x, op.y,
                std::string_view(m_text).substr(op.start, op.length), op.colour, op.background);
            break;
        case Kind::Picture:
            surface.DrawPicture(*m_pictures[op.resource], op.x, op.y);
            break;
        }
    }
    return m_ops.size();
}

void RecordedPage::DecodeInto(QImage& target) const
{
    PageSurface surface(std::move(target));
    PaintOn(surface);
    target = surface.TakeImage();
}

std::size_t RecordedPage::MemoryBytes() const
{
    return sizeof(*this) + m_ops.capacity() * sizeof(Op) + m_text.capacity() + m_fonts.capacity() * sizeof(m_fonts[0])
        + m_pictures.capacity() * sizeof(m_pictures[0]);
}

void DecodePageInto(const PageSlot& slot, QImage& target)
{
    if (const auto* page = dynamic_cast<const RecordedPage*>(slot.picture.get())) {
        page->DecodeInto(target);
        return;
    }
    PageSurface surface(std::move(target));
    surface.DrawFrame();
    target = surface.TakeImage();
}

QImage DecodePage(const PageSlot& slot)
{
    QImage image;
    DecodePageInto(slot, image);
    return image;
}

} // namespace quirel

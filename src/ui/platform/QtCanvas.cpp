#include "platform/QtCanvas.h"

#include "document/PageTable.h"

#include <algorithm>

namespace quirel {

namespace {

constexpr int kDefaultPoints = 10;

} // namespace

QtCanvas::QtCanvas()
{
    SelectFont("Tahoma", kDefaultPoints, 0, CharSet::Ansi);
}

void QtCanvas::Clear()
{
    m_page.Clear();
    m_painted = 0;
    // The image is cleared when it is next looked at.
}

void QtCanvas::DrawFrame()
{
    m_page.AddFrame();
}

void QtCanvas::SelectFont(std::string_view face, int sizePoints, int style, CharSet)
{
    // Layout selects a font for nearly every token, mostly the one already selected.
    if (sizePoints == m_sizePoints && style == m_style && face == m_face) return;
    // Underline and strike-through are lines drawn with the text; the glyphs are the same.
    m_font = m_fonts.Get(face, sizePoints, style & 3);
    m_face.assign(face);
    m_sizePoints = sizePoints;
    m_style = style;
}

int QtCanvas::LineHeight()
{
    return m_font->LineHeight();
}

void QtCanvas::SetColors(std::uint32_t text, std::uint32_t background)
{
    m_text = ToRgb(text);
    m_background = ToRgb(background);
}

int QtCanvas::DrawText(int x, int y, std::string_view text)
{
    const int advance = m_font->TextAdvance(text);
    // A replaced operation is painted again from its place.
    if (advance > 0)
        m_painted = std::min(m_painted, m_page.AddText(m_font, m_style & 12, x, y, text, m_text, m_background));
    return advance;
}

void QtCanvas::DrawEmoticon(int number, int x, int y)
{
    m_page.AddPicture(m_emoticons.Get(number), x, y);
}

void QtCanvas::StorePage(PageSlot& slot)
{
    if (auto* page = dynamic_cast<RecordedPage*>(slot.picture.get()))
        *page = m_page;
    else
        slot.picture = std::make_unique<RecordedPage>(m_page);
}

const QImage& QtCanvas::Image()
{
    if (m_painted == 0) m_surface.Clear();
    m_painted = m_page.PaintOn(m_surface, m_painted);
    return m_surface.Image();
}

} // namespace quirel

#include "platform/QtCanvas.h"

#include "document/FormatRecord.h"
#include "document/PageTable.h"

#include <utility>

namespace quirel {

namespace {

constexpr int kDefaultPoints = 10;
// A change covering more of the page than this is painted by clearing the page and painting
// everything: clearing touches only what was drawn, while giving a rectangle back touches all of it.
constexpr int kLargestPartialArea = kPageWidth * kPageHeight / 2;

// Whether a and b share a pixel (QRect::intersects, inline: it runs for every operation).
bool Overlap(const QRect& a, const QRect& b)
{
    return a.left() <= b.right() && b.left() <= a.right() && a.top() <= b.bottom() && b.top() <= a.bottom()
        && !a.isEmpty() && !b.isEmpty();
}

} // namespace

QtCanvas::QtCanvas()
    : m_fonts(std::make_shared<GlyphFontCache>())
    , m_page(m_fonts)
    , m_painted(m_fonts)
{
    SelectFont("Tahoma", kDefaultPoints, 0, CharSet::Ansi);
}

void QtCanvas::Clear()
{
    m_page.Clear();
    // The image changes when it is next looked at.
    m_recordingChanged = true;
}

void QtCanvas::DrawFrame()
{
    m_page.AddFrame();
    m_recordingChanged = true;
}

void QtCanvas::SelectFont(std::string_view face, int sizePoints, int style, CharSet)
{
    // Layout selects a font for nearly every token, mostly the one already selected.
    if (sizePoints == m_sizePoints && style == m_style && face == m_face) return;
    // Underline and strike-through are lines drawn with the text; the glyphs are the same.
    m_font = m_fonts->Id(face, sizePoints, style & kFontStyleBits);
    m_metrics = m_fonts->Metrics(m_font);
    m_face.assign(face);
    m_sizePoints = sizePoints;
    m_style = style;
}

int QtCanvas::LineHeight()
{
    return m_metrics->lineHeight;
}

void QtCanvas::SetColors(std::uint32_t text, std::uint32_t background)
{
    m_text = ToRgb(text);
    m_background = ToRgb(background);
}

int QtCanvas::DrawText(int x, int y, std::string_view text)
{
    const int advance = m_metrics->TextAdvance(text);
    if (advance > 0) {
        m_page.AddText(m_font, m_style & kDecorationBits, x, y, text, m_text, m_background);
        m_recordingChanged = true;
    }
    return advance;
}

void QtCanvas::DrawEmoticon(int number, int x, int y)
{
    m_page.AddPicture(m_emoticons.Get(number), x, y);
    m_recordingChanged = true;
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
    PaintChanges();
    return m_surface.Image();
}

QRect QtCanvas::TakeChangedRect()
{
    PaintChanges();
    return std::exchange(m_changedRect, QRect());
}

void QtCanvas::PaintChanges()
{
    if (!m_recordingChanged) return;
    m_recordingChanged = false;
    const std::size_t count = m_page.OperationCount();
    const std::size_t before = m_painted.OperationCount();
    const std::size_t common = m_page.CommonPrefix(m_painted);
    if (common == count && common == before) return;

    // Every pixel outside band is painted by the common operations alone, the same as before.
    QRect band;
    for (std::size_t i = common; i < before; ++i)
        band |= m_paintedInk[i];
    m_paintedInk.resize(common);
    for (std::size_t i = common; i < count; ++i) {
        m_paintedInk.push_back(m_page.InkBounds(i));
        band |= m_paintedInk.back();
    }
    if (common == before) {
        // Only new drawing: it goes on top of what is there.
        m_page.PaintOn(m_surface, common);
    } else if (band.width() * band.height() > kLargestPartialArea) {
        m_surface.Clear();
        m_page.PaintOn(m_surface);
    } else {
        m_surface.Restore(band);
        m_surface.SetClip(band);
        for (std::size_t i = 0; i < count; ++i) {
            if (Overlap(m_paintedInk[i], band)) m_page.PaintOperation(m_surface, i);
        }
        m_surface.ResetClip();
    }
    m_painted = m_page;
    m_changedRect |= band;
}

} // namespace quirel

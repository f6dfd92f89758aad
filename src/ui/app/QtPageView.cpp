#include "app/QtPageView.h"

#include "editor/Editor.h"
#include "platform/QtText.h"
#include "platform/RecordedPage.h"

#include <QWidget>

namespace quirel {

QtPageView::QtPageView(Editor& editor)
    : m_editor(editor)
{
}

const QImage& QtPageView::ShownPicture()
{
    const auto& pages = m_editor.GetDocument().Pages();
    if (pages.shownPage == pages.surfacePage) {
        if (m_wholeSurfaceQueued) {
            m_wholeSurfaceQueued = false;
            m_canvas.TakeChangedRect();
        }
        return m_canvas.Image();
    }
    PaintPageInto(pages.Slot(pages.shownPage), m_pageImage);
    return m_pageImage;
}

void QtPageView::ShowPage()
{
    const auto& pages = m_editor.GetDocument().Pages();
    const ShownView view { pages.shownPage, pages.shownPage == pages.surfacePage, m_editor.View().scrollOffset };
    // The caret inside the text is drawn over the page: where it was and where it is are drawn again.
    const QRect caret = CaretRect();
    if (m_surface && caret != m_caret) {
        if (!m_caret.isEmpty()) m_surface->update(m_caret);
        if (!caret.isEmpty()) m_surface->update(caret);
    }
    m_caret = caret;
    if (view.onCanvas && view == m_shown) {
        // The same page at the same place: only what changed on the work surface is drawn again
        // (a keystroke changes the end of the page, a blink the cursor).
        const QRect changed = m_canvas.TakeChangedRect();
        if (m_surface && !changed.isEmpty()) m_surface->update(changed.translated(0, view.offset));
    } else {
        // Another page or another scroll offset: the whole surface, painted when it is drawn.
        if (m_surface) m_surface->update();
        m_wholeSurfaceQueued = true;
    }
    m_shown = view;
}

QRect QtPageView::CaretRect() const
{
    const ViewState& view = m_editor.View();
    const auto& pages = m_editor.GetDocument().Pages();
    if (!view.insertionInside || !view.caretOn || pages.shownPage != view.insertionPage) return {};
    return { view.cursorX - 1, view.cursorY + view.scrollOffset, kCaretWidth, std::max(1, view.cursorLineHeight) };
}

QColor QtPageView::CaretColour() const
{
    return QColor::fromRgb(QtCanvas::ToRgb(static_cast<std::uint32_t>(m_editor.GetSettings().cursorColor)));
}

void QtPageView::SetCaption(const std::string& caption)
{
    emit CaptionChanged(FromCp1252(caption));
}

void QtPageView::ControlsChanged()
{
    emit ControlsFollow();
}

PixelView QtPageView::PagePicture(const PageSlot& slot)
{
    return m_pixels.Paint(slot);
}

void QtPageView::Close()
{
    emit Closed();
}

} // namespace quirel

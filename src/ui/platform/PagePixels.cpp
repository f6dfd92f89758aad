#include "platform/PagePixels.h"

#include "platform/PageSurface.h"
#include "platform/RecordedPage.h"

namespace quirel {

PagePixels::PagePixels() = default;
PagePixels::~PagePixels() = default;

PixelView PagePixels::Paint(const PageSlot& slot)
{
    if (m_surface)
        m_surface->Clear();
    else
        m_surface = std::make_unique<PageSurface>();
    if (const auto* page = dynamic_cast<const RecordedPage*>(slot.picture.get()))
        page->PaintOn(*m_surface);
    else
        m_surface->DrawFrame();
    return { reinterpret_cast<const std::uint32_t*>(m_surface->Pixels()), kPageWidth, kPageHeight,
        PageSurface::Stride() };
}

} // namespace quirel

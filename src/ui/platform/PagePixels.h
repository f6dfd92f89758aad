#pragma once

#include "io/BitmapFile.h"

#include <memory>

namespace quirel {

class PageSurface;
struct PageSlot;

// The page pictures of export and printing, painted one after another on one page surface:
// clearing it touches only what the page before painted, instead of filling a whole page white.
// The surface is made at the first use.
class PagePixels {
public:
    PagePixels();
    ~PagePixels();

    // The picture of slot, the same pixels PaintPageInto gives (a slot without picture is a white
    // page with its frame); valid until the next call.
    PixelView Paint(const PageSlot& slot);

private:
    std::unique_ptr<PageSurface> m_surface;
};

} // namespace quirel

#pragma once

#include "io/BitmapFile.h"

#include <string>

namespace quirel {

struct PageSlot;

// The window's view of the editor: the shown page, the caption and the controls around the page,
// the pictures of stored pages, and the end of the program.
class PageView {
public:
    virtual ~PageView() = default;
    // Shows the picture of the shown page at the scroll offset (a layout calls it at each page
    // break too, so the new page shows while the rest is laid out).
    virtual void ShowPage() = 0;
    // The window caption (Windows-1252).
    virtual void SetCaption(const std::string& caption) = 0;
    // After a command: the menus' checks and swatches, the lists' state and the ruler follow the editor.
    virtual void ControlsChanged() = 0;
    // The picture of a page slot (794 × 1122) for export and printing: its painted page, or a white
    // page with the frame when it has none. Valid until the next call.
    virtual PixelView PagePicture(const PageSlot& slot) = 0;
    // "Salir" has run and the settings are written: the program ends.
    virtual void Close() = 0;
};

} // namespace quirel

#pragma once

#include "platform/QtCanvas.h"

#include <QImage>

class QWidget;

namespace quirel {

class Editor;

// The pictures of the document's pages as the editing surface shows them: the work surface (the
// canvas the layout draws the last page on) and, for any page before it, its stored picture.
// After a change it asks the surface to draw again only what changed.
class QtPageView {
public:
    explicit QtPageView(Editor& editor);
    QtPageView(const QtPageView&) = delete;
    QtPageView& operator=(const QtPageView&) = delete;

    // The surface that shows the pictures (drawn again when they change); may be null.
    void ShowOn(QWidget* surface) { m_surface = surface; }
    QtCanvas& Canvas() { return m_canvas; }

    // The picture of the shown page: the work surface for the last page, which it holds, and the
    // stored picture for any other.
    const QImage& ShownPicture();
    // The shown page changed, or what is on it: the surface draws again what it has to.
    void ShowCurrentPage();

private:
    Editor& m_editor;
    QtCanvas m_canvas;
    QWidget* m_surface = nullptr;
    QImage m_pageImage; // a page before the last, painted from its record when it is shown
    // What the surface was last asked to show: a page, whether it was the work surface's, and at
    // which scroll offset.
    struct ShownView {
        int page = -1;
        bool onCanvas = false;
        int offset = 0;
        bool operator==(const ShownView&) const = default;
    };
    ShownView m_shown;
    // The whole surface is to be drawn: what changed on the work surface until then is shown by it.
    bool m_wholeSurfaceQueued = false;
};

} // namespace quirel

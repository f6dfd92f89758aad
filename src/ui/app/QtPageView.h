#pragma once

#include "layout/PageView.h"
#include "platform/PagePixels.h"
#include "platform/QtCanvas.h"

#include <QColor>
#include <QImage>
#include <QObject>
#include <QRect>
#include <QString>

class QWidget;

namespace quirel {

class Editor;

// The editor's view in the window. It holds the pictures of the document's pages as the editing
// surface shows them: the work surface (the canvas the layout draws the last page on) and, for any
// page before it, its stored picture; after a change it asks the surface to draw again only what
// changed. The caption, the controls and the end of the program it hands to the window.
class QtPageView final : public QObject, public PageView {
    Q_OBJECT
public:
    explicit QtPageView(Editor& editor);

    void ShowPage() override;
    void SetCaption(const std::string& caption) override;
    void ControlsChanged() override;
    PixelView PagePicture(const PageSlot& slot) override;
    void Close() override;

    // The surface that shows the pictures (drawn again when they change); may be null.
    void ShowOn(QWidget* surface) { m_surface = surface; }
    QtCanvas& Canvas() { return m_canvas; }

    // The picture of the shown page: the work surface for the page it holds (the last one laid
    // out), and the stored picture for any other.
    const QImage& ShownPicture();
    // The caret of an insertion point inside the text, in surface pixels, while it shows on the
    // shown page (empty otherwise), and its colour: drawn over the page picture.
    QRect CaretRect() const;
    QColor CaretColour() const;
    static constexpr int kCaretWidth = 2;

signals:
    void CaptionChanged(const QString& caption);
    void ControlsFollow();
    void Closed();

private:
    Editor& m_editor;
    PagePixels m_pixels; // pictures of stored pages for export and printing
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
    QRect m_caret; // where the caret was last shown
    // The whole surface is to be drawn: what changed on the work surface until then is shown by it.
    bool m_wholeSurfaceQueued = false;
};

} // namespace quirel

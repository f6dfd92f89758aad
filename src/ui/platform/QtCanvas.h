#pragma once

#include "layout/Canvas.h"
#include "platform/EmoticonPictures.h"
#include "platform/GlyphFontCache.h"
#include "platform/PageSurface.h"
#include "platform/RecordedPage.h"

#include <QImage>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quirel {

// The work surface of the layout. Drawing is recorded (the page's frame, text cells and emoticons)
// and painted onto a QImage (794 × 1122, RGB32) only when the image is looked at; a page
// picture stored in a slot is a copy of the recording. Laying out a long document therefore costs
// little more than walking its tokens, and a page is painted when it is shown, printed or exported.
// Text is measured and painted glyph by glyph from per-font tables of the 256 Windows-1252 bytes.
//
// The last page is laid out again from its start after every keystroke, and comes out the same
// but for its end. So the image is brought up to date by comparing the new recording with the
// one it shows: only the rectangle that the operations after their common beginning touch, old
// and new, is given back to the blank page and painted again with every operation that reaches
// into it, clipped to it. Outside it, the same operations paint the same pixels.
class QtCanvas final : public Canvas {
public:
    QtCanvas();

    void Clear() override;
    void DrawFrame() override;
    void SelectFont(std::string_view face, int sizePoints, int style, CharSet charSet) override;
    int LineHeight() override;
    void SetColors(std::uint32_t text, std::uint32_t background) override;
    int DrawText(int x, int y, std::string_view text) override;
    void DrawEmoticon(int number, int x, int y) override;
    void StorePage(PageSlot& slot) override;

    // Character height of the selected font (the height of the opaque background behind text).
    int CharacterHeight() const { return m_metrics->height; }
    int TextAdvance(std::string_view text) const override { return m_metrics->TextAdvance(text); }
    // The fonts this canvas and its page pictures draw with.
    GlyphFontCache& Fonts() { return *m_fonts; }

    // Everything drawn since the last Clear, painted. A copy shares the pixels and sees later
    // drawing: use copy() to keep one.
    const QImage& Image();
    // Brings the image up to date as Image() does and returns the rectangle of it that changed
    // since the last call (empty when nothing did): what a view of the image has to draw again.
    QRect TakeChangedRect();
    // The emoticon pictures this canvas draws (to supply pictures from elsewhere with Set).
    EmoticonPictures& Emoticons() { return m_emoticons; }

    // Colour of the page image for a colour reference 0x00BBGGRR.
    static QRgb ToRgb(std::uint32_t colorRef)
    {
        return 0xFF000000u | ((colorRef & 0xFFu) << 16) | (colorRef & 0xFF00u) | ((colorRef >> 16) & 0xFFu);
    }

private:
    std::shared_ptr<GlyphFontCache> m_fonts;
    EmoticonPictures m_emoticons;
    void PaintChanges();

    RecordedPage m_page;
    PageSurface m_surface;
    // The recording m_surface shows, and the ink bounds of each of its operations.
    RecordedPage m_painted;
    std::vector<QRect> m_paintedInk;
    // m_page may differ from m_painted.
    bool m_recordingChanged = false;
    // Pixels changed since the last TakeChangedRect.
    QRect m_changedRect;

    FontId m_font = 0;
    std::shared_ptr<const GlyphMetrics> m_metrics;
    std::string m_face;
    int m_sizePoints = -1;
    int m_style = -1;
    QRgb m_text = 0xFF000000u;
    QRgb m_background = 0xFFFFFFFFu;
};

} // namespace quirel

#pragma once

#include <cstdint>
#include <string_view>

namespace quirel {

struct PageSlot;

// Page geometry in device pixels (an A4 page at 96 pixels per inch).
inline constexpr int kPageWidth = 794;
inline constexpr int kPageHeight = 1122;
// The page is full once the pen is this far below the top margin; it is also the visible height.
inline constexpr int kPageBodyHeight = 800;

enum class CharSet { Ansi, Oem };

// The work surface on which a page is laid out and painted (794 × 1122), and the page pictures it
// fills. Colours are 0x00BBGGRR; text is Windows-1252. Implemented over QImage in the UI library;
// tests use fakes with fixed metrics.
class Canvas {
public:
    virtual ~Canvas() = default;

    // Fills the surface with white.
    virtual void Clear() = 0;
    // The page frame: a one-pixel black unfilled rectangle around the whole surface.
    virtual void DrawFrame() = 0;

    // Selects the font for the text that follows: face name (Windows-1252), size in points,
    // style bits (1 bold, 2 italic, 4 underline, 8 strike-through), character set.
    virtual void SelectFont(std::string_view face, int sizePoints, int style, CharSet charSet) = 0;
    // Line height of the selected font: its character height plus its external leading, in pixels.
    virtual int LineHeight() = 0;
    // Text colour and the colour of the opaque background behind text.
    virtual void SetColors(std::uint32_t text, std::uint32_t background) = 0;
    // Draws text with its top-left corner at (x, y) on an opaque background of the character
    // height; returns the advance in pixels (the pen moves right by that much).
    virtual int DrawText(int x, int y, std::string_view text) = 0;
    // The advance DrawText would return for text in the selected font, drawing nothing.
    virtual int TextAdvance(std::string_view text) const = 0;
    // Draws emoticon picture number (1 to kEmoticonCount) with its top-left corner at (x, y); magenta
    // pixels are transparent. Unknown numbers draw nothing.
    virtual void DrawEmoticon(int number, int x, int y) = 0;

    // Copies the surface into the picture of slot (creating it when the slot has none).
    virtual void StorePage(PageSlot& slot) = 0;
};

} // namespace quirel

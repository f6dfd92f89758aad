#pragma once

#include "layout/EmoticonNames.h"

#include <QImage>
#include <QString>
#include <vector>

namespace quirel::resourcegen {

using quirel::kEmoticonCount;
inline constexpr QRgb kEmoticonKey = 0xFFFF00FF; // magenta: the painter leaves these pixels out

// Where one emoticon picture comes from: an emoji sequence of the colour emoji font, and an
// optional small second emoji set into its top-right corner (the note of the whistling face).
// A picture drawn by hand names the emoji it stands for and the function that draws it.
struct EmoticonSource {
    std::u32string emoji;
    std::u32string badge;
    const char* description;
    QImage (*drawByHand)() = nullptr;
};

// The emoticons in list order, number 1 first; kEmoticonCount entries, no two alike.
const std::vector<EmoticonSource>& EmoticonSources();

// Width and height of emoticon `number`: 20 × 20, the two flags (9 and 22) 20 × 12.
QSize EmoticonPictureSize(int number);

// Draws emoticon `number` (1..kEmoticonCount) as an opaque RGB32 picture of its size in which
// every transparent pixel is kEmoticonKey and no drawn pixel is. Returns a null image and
// describes the fault in *error when the emoji font cannot draw the emoji as one glyph.
QImage DrawEmoticon(int number, QString* error);

// Draws `emoji` from the colour emoji font scaled to fit width × height, centred, on a
// transparent ARGB32 picture (used for menu pictures too). Null image and *error on failure.
QImage DrawEmojiFitted(const std::u32string& emoji, int width, int height, QString* error);

} // namespace quirel::resourcegen

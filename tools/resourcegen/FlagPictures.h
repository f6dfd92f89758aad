#pragma once

#include <QImage>

namespace quirel::resourcegen {

// The two flag emoticons, 20 × 12, drawn pixel by pixel: at this size the emoji font's waving
// flags, scaled down, blur the stripes of the United States flag into pink. Both are flat,
// opaque ARGB32 pictures.
QImage DrawFlagOfSpain();

// Eleven one-pixel stripes, six red and five white, fill rows 0 to 10 so that the flag starts
// and ends with red as the real one does; row 11 stays transparent.
QImage DrawFlagOfUnitedStates();

} // namespace quirel::resourcegen

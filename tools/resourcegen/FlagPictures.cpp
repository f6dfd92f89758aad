#include "FlagPictures.h"

namespace quirel::resourcegen {

namespace {

constexpr int kWidth = 20;
constexpr int kHeight = 12;

QImage Blank()
{
    QImage flag(kWidth, kHeight, QImage::Format_ARGB32);
    flag.fill(Qt::transparent);
    return flag;
}

void Paint(QImage& flag, int left, int top, int right, int bottom, QRgb colour)
{
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x)
            flag.setPixel(x, y, colour);
    }
}

} // namespace

QImage DrawFlagOfSpain()
{
    constexpr QRgb red = 0xFFAA151B;
    constexpr QRgb yellow = 0xFFF1BF00;
    QImage flag = Blank();
    Paint(flag, 0, 0, kWidth - 1, 2, red);
    Paint(flag, 0, 3, kWidth - 1, 8, yellow);
    Paint(flag, 0, 9, kWidth - 1, kHeight - 1, red);

    // The arms toward the hoist: a crown over a quartered shield, between two pillars.
    constexpr QRgb gold = 0xFFB07A12;
    constexpr QRgb silver = 0xFFE6E1D6;
    constexpr QRgb pillar = 0xFFB9B4AA;
    Paint(flag, 5, 4, 6, 4, gold);
    Paint(flag, 4, 5, 5, 5, red);
    Paint(flag, 6, 5, 7, 5, silver);
    Paint(flag, 4, 6, 5, 6, gold);
    Paint(flag, 6, 6, 7, 6, red);
    Paint(flag, 5, 7, 6, 7, red);
    Paint(flag, 3, 5, 3, 7, pillar);
    Paint(flag, 8, 5, 8, 7, pillar);
    return flag;
}

QImage DrawFlagOfUnitedStates()
{
    constexpr QRgb red = 0xFFB22234;
    constexpr QRgb white = 0xFFFFFFFF;
    constexpr QRgb blue = 0xFF3C3B6E;
    constexpr QRgb star = 0xFFD5D9EA;
    constexpr int stripes = 11;
    QImage flag = Blank();
    for (int y = 0; y < stripes; ++y)
        Paint(flag, 0, y, kWidth - 1, y, y % 2 == 0 ? red : white);

    // The canton covers the upper six stripes and the first eight columns; its stars are a
    // chequer of light dots.
    Paint(flag, 0, 0, 7, 5, blue);
    for (int y = 1; y <= 4; ++y) {
        for (int x = 1; x <= 6; ++x) {
            if ((x + y) % 2 == 0) flag.setPixel(x, y, star);
        }
    }
    return flag;
}

} // namespace quirel::resourcegen

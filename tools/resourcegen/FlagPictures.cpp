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
    constexpr QRgb kRed = 0xFFAA151B;
    constexpr QRgb kYellow = 0xFFF1BF00;
    QImage flag = Blank();
    Paint(flag, 0, 0, kWidth - 1, 2, kRed);
    Paint(flag, 0, 3, kWidth - 1, 8, kYellow);
    Paint(flag, 0, 9, kWidth - 1, kHeight - 1, kRed);

    // The arms toward the hoist: a crown over a quartered shield, between two pillars.
    constexpr QRgb kGold = 0xFFB07A12;
    constexpr QRgb kSilver = 0xFFE6E1D6;
    constexpr QRgb kPillar = 0xFFB9B4AA;
    Paint(flag, 5, 4, 6, 4, kGold);
    Paint(flag, 4, 5, 5, 5, kRed);
    Paint(flag, 6, 5, 7, 5, kSilver);
    Paint(flag, 4, 6, 5, 6, kGold);
    Paint(flag, 6, 6, 7, 6, kRed);
    Paint(flag, 5, 7, 6, 7, kRed);
    Paint(flag, 3, 5, 3, 7, kPillar);
    Paint(flag, 8, 5, 8, 7, kPillar);
    return flag;
}

QImage DrawFlagOfUnitedStates()
{
    constexpr QRgb kRed = 0xFFB22234;
    constexpr QRgb kWhite = 0xFFFFFFFF;
    constexpr QRgb kBlue = 0xFF3C3B6E;
    constexpr QRgb kStar = 0xFFD5D9EA;
    constexpr int kStripes = 11;
    QImage flag = Blank();
    for (int y = 0; y < kStripes; ++y)
        Paint(flag, 0, y, kWidth - 1, y, y % 2 == 0 ? kRed : kWhite);

    // The canton covers the upper six stripes and the first eight columns; its stars are a
    // chequer of light dots.
    Paint(flag, 0, 0, 7, 5, kBlue);
    for (int y = 1; y <= 4; ++y) {
        for (int x = 1; x <= 6; ++x) {
            if ((x + y) % 2 == 0) flag.setPixel(x, y, kStar);
        }
    }
    return flag;
}

} // namespace quirel::resourcegen

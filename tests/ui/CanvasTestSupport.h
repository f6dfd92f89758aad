#pragma once

#include <QImage>
#include <QRect>
#include <QRgb>

namespace quirel::test {

// Number of pixels of colour inside rect.
inline int CountColour(const QImage& image, const QRect& rect, QRgb colour)
{
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            count += (image.pixel(x, y) | 0xFF000000u) == (colour | 0xFF000000u) ? 1 : 0;
    return count;
}

// Smallest rectangle holding every pixel inside rect that is not colour (null when there is none).
inline QRect BoundsOfOther(const QImage& image, const QRect& rect, QRgb colour)
{
    QRect bounds;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if ((image.pixel(x, y) | 0xFF000000u) != (colour | 0xFF000000u)) bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// First pixel where a and b differ inside rect, or (-1, -1).
inline QPoint FirstDifference(const QImage& a, const QImage& b, const QRect& rect)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if ((a.pixel(x, y) | 0xFF000000u) != (b.pixel(x, y) | 0xFF000000u)) return { x, y };
    return { -1, -1 };
}

} // namespace quirel::test

#pragma once

#include "layout/EmoticonNames.h"

#include <QImage>
#include <QRgb>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace quirel {

// The emoticon pictures 1 to kEmoticonCount, ready to draw: only their opaque pixels, as runs per row.
// Magenta (red 255, green 0, blue 255) is the transparent colour; so is any pixel of a picture
// with an alpha channel that is less than half opaque.
class EmoticonPictures {
public:
    // One picture: runs of opaque pixels, each at (x, y) of the picture, `length` pixels from
    // `pixels[start]`.
    struct Picture {
        struct Run {
            std::int16_t x = 0;
            std::int16_t y = 0;
            std::int16_t length = 0;
            std::uint32_t start = 0;
        };
        int width = 0;
        int height = 0;
        std::vector<Run> runs;
        std::vector<QRgb> pixels;
    };

    // Size a picture is drawn at: 20 × 20, but 20 × 12 for pictures 9 and 22 (flags).
    static QSize DrawnSize(int number);

    // The picture of number, loaded on first use from the resource ":/emoticons/N.png"; null for
    // numbers outside 1 to kEmoticonCount and for pictures that cannot be loaded.
    std::shared_ptr<const Picture> Get(int number);

    // Replaces the picture of number with image (scaled to its drawn size when it differs).
    // Numbers outside 1 to kEmoticonCount are ignored.
    void Set(int number, const QImage& image);

private:
    static Picture Prepare(int number, const QImage& image);

    std::array<std::shared_ptr<const Picture>, kEmoticonCount + 1> m_pictures {};
    std::array<bool, kEmoticonCount + 1> m_tried {};
};

} // namespace quirel

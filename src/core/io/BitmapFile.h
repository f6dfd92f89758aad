#pragma once

#include "io/FileError.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace quirel {

// A picture in memory: height rows from top to bottom, row y starting stride pixels after row
// y − 1, each pixel 0xAARRGGBB in a 32-bit word (alpha is not used).
struct PixelView {
    const std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
};

// Bytes of one stored row of a 24-bit bitmap: three per pixel, padded to a multiple of 4.
std::size_t BitmapRowBytes(int width);
// Length of the whole 24-bit bitmap file: the 54 header bytes and the padded rows
// (2,674,902 for a 794 × 1122 page).
std::size_t BitmapFileSize(int width, int height);

// Encodes picture as an uncompressed 24-bit bitmap file into bytes (replacing what it held, and
// reusing its storage): the 14-byte file header ("BM", file size, reserved 0, pixel offset 54),
// the 40-byte information header (positive height, 1 plane, 24 bits, no compression, image size,
// resolutions and colour counts 0), then the rows bottom-up in blue-green-red order, each padded
// with zero bytes to a multiple of 4. A picture without pixels or with a side below 1 encodes as
// an empty string.
void EncodeBitmap(const PixelView& picture, std::string& bytes);

// Writes picture as a 24-bit bitmap file (the bytes EncodeBitmap gives), replacing a file of that
// name. The rows are encoded and written a few at a time, so the pixels go from the picture to the
// file without a whole encoded copy in between. False when the picture has no pixels, the file
// cannot be created or not every byte could be written (the partial file is then removed); then
// error, when given, says why (a picture without pixels leaves it as it was).
bool WriteBitmapFile(const std::filesystem::path& file, const PixelView& picture, FileError* error = nullptr);

// Writes bytes as the whole content of file, replacing a file of that name. False when the file
// cannot be created or not every byte could be written (the partial file is then removed).
bool WriteWholeFile(const std::filesystem::path& file, const std::string& bytes);

} // namespace quirel

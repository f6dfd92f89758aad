#include "io/BitmapFile.h"

#include "io/FileBytes.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <system_error>
#include <unistd.h>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace quirel {
namespace {
constexpr std::size_t kHeaderBytes = 54;

void PutLe16(char* at, std::uint32_t value)
{
    at[0] = static_cast<char>(value & 0xFF);
    at[1] = static_cast<char>((value >> 8) & 0xFF);
}

void PutLe32(char* at, std::uint32_t value)
{
    PutLe16(at, value & 0xFFFF);
    PutLe16(at + 2, value >> 16);
}

#if defined(__x86_64__) || defined(__i386__)
// Four pixels at a time: one byte shuffle drops every fourth byte. The 16-byte store reaches
// 4 bytes past the 12 it fills, so the loop stops while at least two pixels are left, which are
// written afterwards; nothing is written past the row. Returns the pixels done.
__attribute__((target("ssse3"))) int EncodePixelsSsse3(const std::uint32_t* source, int width, char* target)
{
    const __m128i dropAlpha = _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    int x = 0;
    for (; x + 6 <= width; x += 4, target += 12) {
        const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + x));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(target), _mm_shuffle_epi8(pixels, dropAlpha));
    }
    return x;
}

bool HasSsse3()
{
    static const bool has = __builtin_cpu_supports("ssse3");
    return has;
}
#endif

// One row of pixels as blue, green, red bytes: a pixel 0xAARRGGBB keeps its three low bytes.
void EncodeRow(const std::uint32_t* source, int width, char* target)
{
    int x = 0;
#if defined(__x86_64__) || defined(__i386__)
    if (HasSsse3()) x = EncodePixelsSsse3(source, width, target);
#endif
    for (target += 3 * x; x < width; ++x, target += 3) {
        const std::uint32_t pixel = source[x];
        target[0] = static_cast<char>(pixel & 0xFF);
        target[1] = static_cast<char>((pixel >> 8) & 0xFF);
        target[2] = static_cast<char>((pixel >> 16) & 0xFF);
    }
}

bool HasPixels(const PixelView& picture)
{
    return picture.pixels && picture.width >= 1 && picture.height >= 1 && picture.stride >= picture.width;
}

// The 54 header bytes of picture's file at out.
void PutHeader(const PixelView& picture, char* out)
{
    const std::size_t imageBytes = BitmapRowBytes(picture.width) * static_cast<std::size_t>(picture.height);
    out[0] = 'B';
    out[1] = 'M';
    PutLe32(out + 2, static_cast<std::uint32_t>(kHeaderBytes + imageBytes));
    PutLe32(out + 6, 0);
    PutLe32(out + 10, kHeaderBytes);
    PutLe32(out + 14, 40);
    PutLe32(out + 18, static_cast<std::uint32_t>(picture.width));
    PutLe32(out + 22, static_cast<std::uint32_t>(picture.height));
    PutLe16(out + 26, 1);
    PutLe16(out + 28, 24);
    PutLe32(out + 30, 0);
    PutLe32(out + 34, static_cast<std::uint32_t>(imageBytes));
    for (int offset = 38; offset < 54; offset += 4)
        PutLe32(out + offset, 0);
}

// Stored row number i of the file (row height − 1 − i of the picture) at out, padding included.
void PutRow(const PixelView& picture, int i, char* out)
{
    const std::size_t y = static_cast<std::size_t>(picture.height - 1 - i);
    EncodeRow(picture.pixels + y * static_cast<std::size_t>(picture.stride), picture.width, out);
    const std::size_t rowBytes = BitmapRowBytes(picture.width);
    for (std::size_t pad = static_cast<std::size_t>(picture.width) * 3; pad < rowBytes; ++pad)
        out[pad] = 0;
}

bool WriteAll(int fd, const char* next, std::size_t left)
{
    while (left > 0) {
        const ssize_t n = ::write(fd, next, left);
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) errno = ENOSPC; // nothing taken: the disk is full
        if (n <= 0) return false;
        next += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

// Closes fd; when that or the writing failed, removes the partial file and keeps why in error
// (when given). True when all went well.
bool Finish(FileDescriptor& fd, bool written, const std::filesystem::path& file, FileError* error)
{
    const int writeErrno = written ? 0 : errno;
    const bool closed = fd.Close();
    if (closed && written) return true;
    if (error) *error = WriteErrorOf(written ? errno : writeErrno);
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
    return false;
}

// Opens file for writing from its start; on failure keeps why in error (when given).
int OpenForWriting(const std::filesystem::path& file, FileError* error)
{
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0 && error) *error = WriteErrorOf(errno);
    return fd;
}
} // namespace

std::size_t BitmapRowBytes(int width)
{
    return (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
}

std::size_t BitmapFileSize(int width, int height)
{
    return kHeaderBytes + BitmapRowBytes(width) * static_cast<std::size_t>(height);
}

void EncodeBitmap(const PixelView& picture, std::string& bytes)
{
    bytes.clear();
    if (!HasPixels(picture)) return;
    const std::size_t rowBytes = BitmapRowBytes(picture.width);
    bytes.resize(BitmapFileSize(picture.width, picture.height));
    PutHeader(picture, bytes.data());
    for (int i = 0; i < picture.height; ++i)
        PutRow(picture, i, bytes.data() + kHeaderBytes + static_cast<std::size_t>(i) * rowBytes);
}

bool WriteBitmapFile(const std::filesystem::path& file, const PixelView& picture, FileError* error)
{
    if (!HasPixels(picture)) return false;
    FileDescriptor fd(OpenForWriting(file, error));
    if (fd.Get() < 0) return false;
    // Blocks small enough to stay in the processor's cache between encoding and writing.
    constexpr std::size_t kBlockBytes = 512 * 1024;
    const std::size_t rowBytes = BitmapRowBytes(picture.width);
    const int rowsPerBlock = static_cast<int>(std::max<std::size_t>(1, kBlockBytes / rowBytes));
    const std::unique_ptr<char[]> block(new char[kHeaderBytes + static_cast<std::size_t>(rowsPerBlock) * rowBytes]);
    PutHeader(picture, block.get());
    std::size_t used = kHeaderBytes;
    bool written = true;
    for (int i = 0; i < picture.height && written; i += rowsPerBlock) {
        const int rows = std::min(rowsPerBlock, picture.height - i);
        for (int r = 0; r < rows; ++r)
            PutRow(picture, i + r, block.get() + used + static_cast<std::size_t>(r) * rowBytes);
        written = WriteAll(fd.Get(), block.get(), used + static_cast<std::size_t>(rows) * rowBytes);
        used = 0;
    }
    return Finish(fd, written, file, error);
}

bool WriteWholeFile(const std::filesystem::path& file, const std::string& bytes)
{
    FileDescriptor fd(OpenForWriting(file, nullptr));
    if (fd.Get() < 0) return false;
    return Finish(fd, WriteAll(fd.Get(), bytes.data(), bytes.size()), file, nullptr);
}

} // namespace quirel

#include "io/BitmapFile.h"

#include "io/FileBytes.h"

#include <cerrno>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

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
    if (!picture.pixels || picture.width < 1 || picture.height < 1 || picture.stride < picture.width) return;
    const std::size_t rowBytes = BitmapRowBytes(picture.width);
    const std::size_t imageBytes = rowBytes * static_cast<std::size_t>(picture.height);
    bytes.resize(kHeaderBytes + imageBytes);
    char* out = bytes.data();
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

    // The last row of the picture comes first in the file.
    char* row = out + kHeaderBytes;
    for (int y = picture.height - 1; y >= 0; --y, row += rowBytes) {
        const std::uint32_t* source
            = picture.pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.stride);
        char* target = row;
        for (int x = 0; x < picture.width; ++x, target += 3) {
            const std::uint32_t pixel = source[x];
            target[0] = static_cast<char>(pixel & 0xFF);
            target[1] = static_cast<char>((pixel >> 8) & 0xFF);
            target[2] = static_cast<char>((pixel >> 16) & 0xFF);
        }
        for (char* pad = target; pad < row + rowBytes; ++pad)
            *pad = 0;
    }
}

bool WriteWholeFile(const std::filesystem::path& file, const std::string& bytes)
{
    FileDescriptor fd(::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (fd.Get() < 0) return false;
    const char* next = bytes.data();
    std::size_t left = bytes.size();
    bool written = true;
    while (left > 0) {
        const ssize_t n = ::write(fd.Get(), next, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            written = false;
            break;
        }
        next += n;
        left -= static_cast<std::size_t>(n);
    }
    if (fd.Close() && written) return true;
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
    return false;
}

} // namespace quirel

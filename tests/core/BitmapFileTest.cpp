#include "io/BitmapFile.h"

#include "TempFolder.h"
#include "io/Ports.h"

#include <gtest/gtest.h>

using namespace quirel;

namespace {

std::uint32_t Le32(const std::string& bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

unsigned Le16(const std::string& bytes, std::size_t at)
{
    return Le32(bytes + "\0\0", at) & 0xFFFF;
}

} // namespace

TEST(BitmapFileTest, SmallPictureIsStoredBottomUpInBlueGreenRedWithPaddedRows)
{
    // 3 × 2 with a stride wider than the picture: 9 bytes per row, padded to 12.
    const std::uint32_t pixels[] = { 0xFF112233, 0xFF445566, 0xFF778899, 0xDEADBEEF, //
        0xFFAABBCC, 0xFFDDEEFF, 0xFF010203, 0xDEADBEEF };
    std::string bytes = "old content";
    EncodeBitmap({ pixels, 3, 2, 4 }, bytes);
    ASSERT_EQ(bytes.size(), 54u + 2 * 12);
    EXPECT_EQ(bytes.substr(54),
        std::string("\xCC\xBB\xAA\xFF\xEE\xDD\x03\x02\x01\0\0\0"
                    "\x33\x22\x11\x66\x55\x44\x99\x88\x77\0\0\0",
            24));
}

TEST(BitmapFileTest, PageHeaderHasTheFieldsEveryReaderExpects)
{
    std::vector<std::uint32_t> page(794 * 1122, 0xFFFFFFFF);
    std::string bytes;
    EncodeBitmap({ page.data(), 794, 1122, 794 }, bytes);
    ASSERT_EQ(bytes.size(), 2674902u);
    EXPECT_EQ(BitmapFileSize(794, 1122), 2674902u);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(Le32(bytes, 2), 2674902u); // file size
    EXPECT_EQ(Le32(bytes, 6), 0u); // reserved
    EXPECT_EQ(Le32(bytes, 10), 54u); // pixel offset
    EXPECT_EQ(Le32(bytes, 14), 40u); // information header size
    EXPECT_EQ(Le32(bytes, 18), 794u);
    EXPECT_EQ(Le32(bytes, 22), 1122u); // positive: bottom-up
    EXPECT_EQ(Le16(bytes, 26), 1u); // planes
    EXPECT_EQ(Le16(bytes, 28), 24u); // bits per pixel
    EXPECT_EQ(Le32(bytes, 30), 0u); // no compression
    EXPECT_EQ(Le32(bytes, 34), 2384u * 1122u); // image size
    for (std::size_t at = 38; at < 54; at += 4)
        EXPECT_EQ(Le32(bytes, at), 0u) << "at " << at;
    EXPECT_EQ(bytes.substr(54 + 2382, 2), std::string(2, '\0')); // row padding

    EncodeBitmap({ nullptr, 794, 1122, 794 }, bytes);
    EXPECT_TRUE(bytes.empty());
}

TEST(BitmapFileTest, EveryPixelLandsInItsPlaceForAnyRowWidth)
{
    // Widths around the four-pixel steps of the encoder and the page width, rows padded by 0 to 3
    // bytes, more rows than one block of writing holds; encoded and written files are the same.
    TempFolder folder;
    for (int width : { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 794 }) {
        SCOPED_TRACE("width " + std::to_string(width));
        const int height = 200;
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
        for (std::size_t i = 0; i < pixels.size(); ++i)
            pixels[i] = static_cast<std::uint32_t>(i * 2654435761u);
        const PixelView picture { pixels.data(), width, height, width };
        std::string bytes;
        EncodeBitmap(picture, bytes);
        const std::size_t rowBytes = BitmapRowBytes(width);
        ASSERT_EQ(bytes.size(), 54 + rowBytes * height);
        bool same = true;
        for (int y = 0; y < height && same; ++y) {
            const std::size_t row = 54 + rowBytes * static_cast<std::size_t>(height - 1 - y);
            for (int x = 0; x < width; ++x) {
                const std::uint32_t p = pixels[static_cast<std::size_t>(y * width + x)];
                const std::size_t at = row + 3 * static_cast<std::size_t>(x);
                same = same && static_cast<unsigned char>(bytes[at]) == (p & 0xFF)
                    && static_cast<unsigned char>(bytes[at + 1]) == ((p >> 8) & 0xFF)
                    && static_cast<unsigned char>(bytes[at + 2]) == ((p >> 16) & 0xFF);
            }
            for (std::size_t pad = row + 3 * static_cast<std::size_t>(width); pad < row + rowBytes; ++pad)
                same = same && bytes[pad] == 0;
            EXPECT_TRUE(same) << "picture row " << y;
        }
        ASSERT_TRUE(WriteBitmapFile(folder.Path() / "p.bmp", picture));
        EXPECT_TRUE(folder.Read("p.bmp") == bytes);
    }
    EXPECT_FALSE(WriteBitmapFile(folder.Path() / "none.bmp", PixelView {}));
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "none.bmp"));
}

TEST(BitmapFileTest, WriteWholeFileReplacesAndReportsFailure)
{
    TempFolder folder;
    folder.Write("a.bmp", std::string(5000, 'x'));
    EXPECT_TRUE(WriteWholeFile(folder.Path() / "a.bmp", "abc"));
    EXPECT_EQ(folder.Read("a.bmp"), "abc");
    EXPECT_FALSE(WriteWholeFile(folder.Path() / "missing" / "a.bmp", "abc"));
    std::filesystem::create_directory(folder.Path() / "dir.bmp");
    EXPECT_FALSE(WriteWholeFile(folder.Path() / "dir.bmp", "abc"));
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path() / "dir.bmp"));
}

#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace quirel {

// How one token is drawn: 20 upper-case hexadecimal digits
//   1-6 background colour 0xBBGGRR, 7-8 size in points, 9-10 font index, 11-12 style bits,
//   13-14 emoticon number, 15-20 text colour 0xBBGGRR.
// A record read from a file may be shorter or hold other characters; it keeps what it was
// given (up to 20 characters) and its fields read as the hexadecimal digits they hold.
class FormatRecord {
public:
    static constexpr std::size_t kLength = 20;

    FormatRecord() = default;
    // Keeps the first 20 characters of text.
    explicit FormatRecord(std::string_view text);

    std::string_view Text() const { return { m_digits.data(), m_length }; }
    bool operator==(const FormatRecord& other) const { return Text() == other.Text(); }

private:
    std::array<char, kLength> m_digits {};
    unsigned char m_length = 0;
};

// Style bits.
enum StyleBits : int { kStyleBold = 1, kStyleItalic = 2, kStyleUnderline = 4, kStyleStrikeOut = 8 };
// The bits that choose the glyphs, and the lines drawn across a text cell.
inline constexpr int kFontStyleBits = kStyleBold | kStyleItalic;
inline constexpr int kDecorationBits = kStyleUnderline | kStyleStrikeOut;

// The attributes of a record as numbers; values wider than their field are cut to its low digits.
struct FormatFields {
    std::uint32_t background = 0xFFFFFF;
    int size = 11;
    int fontIndex = 0;
    int style = 0;
    int emoticon = 0;
    std::uint32_t textColor = 0;
};

// Builds the 20-digit record of the fields.
FormatRecord MakeFormatRecord(const FormatFields& fields);

// Field readers: the hexadecimal value of the digits at the start of each field's range,
// up to the first character that is not a hexadecimal digit (0 when there is none).
std::uint32_t RecordBackground(const FormatRecord& record);
int RecordSize(const FormatRecord& record);
int RecordFontIndex(const FormatRecord& record);
int RecordStyle(const FormatRecord& record);
int RecordEmoticon(const FormatRecord& record);
std::uint32_t RecordTextColor(const FormatRecord& record);

// All six fields at once.
FormatFields ReadFormatFields(const FormatRecord& record);

} // namespace quirel

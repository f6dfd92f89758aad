#include "document/FormatRecord.h"

#include <algorithm>
#include <array>

namespace quirel {
namespace {

// The value of each byte as a hexadecimal digit, -1 for the others: the layout reads the fields of
// every record whose format differs from the one before.
constexpr std::array<signed char, 256> kHexDigitValues = [] {
    std::array<signed char, 256> values {};
    values.fill(-1);
    for (int c = '0'; c <= '9'; ++c)
        values[static_cast<std::size_t>(c)] = static_cast<signed char>(c - '0');
    for (int c = 'A'; c <= 'F'; ++c) {
        values[static_cast<std::size_t>(c)] = static_cast<signed char>(c - 'A' + 10);
        values[static_cast<std::size_t>(c - 'A' + 'a')] = static_cast<signed char>(c - 'A' + 10);
    }
    return values;
}();

int HexDigitValue(char c)
{
    return kHexDigitValues[static_cast<unsigned char>(c)];
}

// Value of the hex digits of text[first, first + width) up to the first non-digit.
std::uint32_t ReadField(std::string_view text, std::size_t first, std::size_t width)
{
    std::uint32_t value = 0;
    for (std::size_t i = first; i < first + width && i < text.size(); ++i) {
        const int digit = HexDigitValue(text[i]);
        if (digit < 0) break;
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return value;
}

void WriteField(char* out, std::uint64_t value, int width)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    for (int i = width - 1; i >= 0; --i) {
        out[i] = kDigits[value & 0xF];
        value >>= 4;
    }
}

} // namespace

FormatRecord::FormatRecord(std::string_view text)
{
    m_length = static_cast<unsigned char>(std::min(text.size(), kLength));
    std::copy_n(text.data(), m_length, m_digits.data());
}

FormatRecord MakeFormatRecord(const FormatFields& fields)
{
    char digits[FormatRecord::kLength];
    WriteField(digits, fields.background, 6);
    WriteField(digits + 6, static_cast<std::uint64_t>(fields.size), 2);
    WriteField(digits + 8, static_cast<std::uint64_t>(fields.fontIndex), 2);
    WriteField(digits + 10, static_cast<std::uint64_t>(fields.style), 2);
    WriteField(digits + 12, static_cast<std::uint64_t>(fields.emoticon), 2);
    WriteField(digits + 14, fields.textColor, 6);
    return FormatRecord(std::string_view(digits, FormatRecord::kLength));
}

std::uint32_t RecordBackground(const FormatRecord& record)
{
    return ReadField(record.Text(), 0, 6);
}
int RecordSize(const FormatRecord& record)
{
    return static_cast<int>(ReadField(record.Text(), 6, 2));
}
int RecordFontIndex(const FormatRecord& record)
{
    return static_cast<int>(ReadField(record.Text(), 8, 2));
}
int RecordStyle(const FormatRecord& record)
{
    return static_cast<int>(ReadField(record.Text(), 10, 2));
}
int RecordEmoticon(const FormatRecord& record)
{
    return static_cast<int>(ReadField(record.Text(), 12, 2));
}
std::uint32_t RecordTextColor(const FormatRecord& record)
{
    return ReadField(record.Text(), 14, 6);
}

FormatFields ReadFormatFields(const FormatRecord& record)
{
    return { RecordBackground(record), RecordSize(record), RecordFontIndex(record), RecordStyle(record),
        RecordEmoticon(record), RecordTextColor(record) };
}

} // namespace quirel

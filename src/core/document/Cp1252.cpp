#include "document/Cp1252.h"

#include <array>

namespace quirel {
namespace {

// 0x80–0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

struct CaseTables {
    std::array<unsigned char, 256> lower {};
    std::array<unsigned char, 256> upper {};
};

constexpr CaseTables MakeCaseTables()
{
    CaseTables tables;
    for (int i = 0; i < 256; ++i) {
        tables.lower[i] = static_cast<unsigned char>(i);
        tables.upper[i] = static_cast<unsigned char>(i);
    }
    auto pair = [&tables](int capital, int small) {
        tables.lower[capital] = static_cast<unsigned char>(small);
        tables.upper[small] = static_cast<unsigned char>(capital);
    };
    for (int c = 'A'; c <= 'Z'; ++c)
        pair(c, c + 32);
    for (int c = 0xC0; c <= 0xDE; ++c) {
        if (c != 0xD7) // × has no small form
            pair(c, c + 32);
    }
    pair(0x8A, 0x9A); // Š š
    pair(0x8C, 0x9C); // Œ œ
    pair(0x8E, 0x9E); // Ž ž
    pair(0x9F, 0xFF); // Ÿ ÿ
    return tables;
}

constexpr CaseTables kCase = MakeCaseTables();

} // namespace

char32_t Cp1252ToUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
    return byte;
}

int UnicodeToCp1252(char32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) return static_cast<int>(codePoint);
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == codePoint) return 0x80 + i;
    }
    return -1;
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char32_t DecodeUtf8At(std::string_view text, std::size_t& pos)
{
    constexpr char32_t kBad = kMalformedUtf8;
    const auto lead = static_cast<unsigned char>(text[pos]);
    int extra = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        ++pos;
        return kBad;
    }
    if (pos + extra >= text.size()) {
        ++pos;
        return kBad;
    }
    for (int k = 1; k <= extra; ++k) {
        const auto next = static_cast<unsigned char>(text[pos + k]);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return kBad;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    pos += extra + 1;
    return cp;
}

std::string Utf8ToCp1252(std::string_view utf8, std::size_t* skipped)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t cp = DecodeUtf8At(utf8, pos);
        const int byte = cp == kMalformedUtf8 ? -1 : UnicodeToCp1252(cp);
        if (byte < 0) {
            if (skipped) ++*skipped;
            continue;
        }
        out += static_cast<char>(byte);
    }
    return out;
}

std::string Cp1252ToUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (char c : text)
        AppendUtf8(out, Cp1252ToUnicode(static_cast<unsigned char>(c)));
    return out;
}

unsigned char ToLowerByte(unsigned char byte)
{
    return kCase.lower[byte];
}
unsigned char ToUpperByte(unsigned char byte)
{
    return kCase.upper[byte];
}

bool IsLetterByte(unsigned char byte)
{
    return kCase.lower[byte] != kCase.upper[byte] || byte == 0xAA || byte == 0xBA || byte == 0xDF || byte == 0xB5;
}

void ToLowerInPlace(std::string& text)
{
    for (char& c : text)
        c = static_cast<char>(kCase.lower[static_cast<unsigned char>(c)]);
}

std::string ToLower(std::string_view text)
{
    std::string out(text);
    ToLowerInPlace(out);
    return out;
}

std::string ToUpper(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(kCase.upper[static_cast<unsigned char>(c)]);
    return out;
}

std::string_view TrimBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

} // namespace quirel

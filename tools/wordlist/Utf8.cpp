#include "Utf8.h"

namespace quirel::wordlist {

std::u32string DecodeUtf8(std::string_view text)
{
    constexpr char32_t kReplacement = 0xFFFD;
    std::u32string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int extra = 0;
        char32_t cp = 0;
        if (lead < 0x80) {
            out += lead;
            ++i;
            continue;
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
            out += kReplacement;
            ++i;
            continue;
        }
        if (i + extra >= text.size()) {
            out += kReplacement;
            ++i;
            continue;
        }
        bool good = true;
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                good = false;
                break;
            }
            cp = (cp << 6) | (next & 0x3F);
        }
        if (!good) {
            out += kReplacement;
            ++i;
            continue;
        }
        out += cp;
        i += extra + 1;
    }
    return out;
}

std::string EncodeUtf8(std::u32string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (const char32_t cp : text) {
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
    return out;
}

char32_t LowerLatin(char32_t c)
{
    if (c >= U'A' && c <= U'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    switch (c) {
    case 0x160: // Š
    case 0x152: // Œ
    case 0x17D: // Ž
        return c + 1;
    case 0x178: // Ÿ
        return 0xFF;
    default:
        return c;
    }
}

} // namespace quirel::wordlist

#include "Utf8.h"

#include "document/Cp1252.h"

namespace quirel::wordlist {

std::u32string DecodeUtf8(std::string_view text)
{
    std::u32string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char32_t cp = DecodeUtf8At(text, pos);
        out += cp == kMalformedUtf8 ? U'\uFFFD' : cp;
    }
    return out;
}

std::string EncodeUtf8(std::u32string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (const char32_t cp : text)
        AppendUtf8(out, cp);
    return out;
}

char32_t LowerLatin(char32_t c)
{
    const int byte = UnicodeToCp1252(c);
    return byte < 0 ? c : Cp1252ToUnicode(ToLowerByte(static_cast<unsigned char>(byte)));
}

} // namespace quirel::wordlist

#pragma once

#include <string>
#include <string_view>

namespace quirel::wordlist {

// UTF-8 ↔ UTF-32 for the dictionary tools. Malformed sequences decode to U+FFFD.
std::u32string DecodeUtf8(std::string_view text);
std::string EncodeUtf8(std::u32string_view text);

// Small letter of a Latin code point (ASCII, Latin-1 and the few Latin Extended-A letters of
// Windows-1252); other code points are returned unchanged.
char32_t LowerLatin(char32_t c);
// True for a capital Latin letter (LowerLatin changes it).
inline bool IsUpperLatin(char32_t c)
{
    return LowerLatin(c) != c;
}

} // namespace quirel::wordlist

#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quirel {

// The document, the word lists and every data file hold single-byte Windows-1252 text.
// This is the one place that maps those bytes to Unicode and back, and the one case mapping
// of the whole program.

// Unicode code point of a Windows-1252 byte. The five bytes the code page leaves undefined
// (0x81 0x8D 0x8F 0x90 0x9D) map to the C1 control of the same value, so every byte round-trips.
char32_t Cp1252ToUnicode(unsigned char byte);

// Windows-1252 byte of a code point, or -1 when the code page cannot hold it.
int UnicodeToCp1252(char32_t codePoint);

// UTF-8 → Windows-1252. Code points the code page cannot hold, and malformed UTF-8 sequences,
// are left out; their number is added to *skipped when it is given.
std::string Utf8ToCp1252(std::string_view utf8, std::size_t* skipped = nullptr);

// Windows-1252 → UTF-8, every byte converted.
std::string Cp1252ToUtf8(std::string_view text);

// The UTF-8 sequence at text[pos] (pos < text.size()): its code point, pos moved past it; or
// kMalformedUtf8 for a malformed or cut sequence, pos moved by one byte.
inline constexpr char32_t kMalformedUtf8 = 0xFFFFFFFF;
char32_t DecodeUtf8At(std::string_view text, std::size_t& pos);
// Appends the UTF-8 form of a code point.
void AppendUtf8(std::string& out, char32_t codePoint);

// Single-byte case mapping: A–Z, À–Þ (not ×), Š Œ Ž Ÿ and their small letters.
unsigned char ToLowerByte(unsigned char byte);
unsigned char ToUpperByte(unsigned char byte);
std::string ToLower(std::string_view text);
std::string ToUpper(std::string_view text);
void ToLowerInPlace(std::string& text);
// A letter: a byte with a case partner in the mapping above, or one of the letters that have none
// (the ordinal indicators ª º, ß and µ).
bool IsLetterByte(unsigned char byte);

// Removes leading and trailing blanks (byte 32 only).
std::string_view TrimBlanks(std::string_view text);

} // namespace quirel

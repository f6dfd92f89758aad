#pragma once

#include <array>
#include <string_view>

namespace quirel {

// How a character takes part in cutting the text into tokens.
enum class CharClass : unsigned char { Word = 0, Sign = 1, Blank = 2 };

namespace detail {
constexpr std::array<CharClass, 256> MakeCharClassTable()
{
    std::array<CharClass, 256> table {};
    for (auto& entry : table)
        entry = CharClass::Word;
    for (int c = 1; c <= 31; ++c) // every control code, line ends and tab included
        table[c] = CharClass::Sign;
    for (int c : { 33, 34, 35, 36, 40, 41, 44, 46, 47, 58, 59, 60, 61, 62, 63, 91, 92, 93, 95, 123, 125, 126, 128, 133,
             145, 146, 147, 148, 161, 163, 171, 187, 191 })
        table[c] = CharClass::Sign;
    table[32] = CharClass::Blank;
    return table;
}
inline constexpr std::array<CharClass, 256> kCharClassTable = MakeCharClassTable();
} // namespace detail

// Class of one byte: letters, digits and most other characters are word characters; the 64
// signs (control codes, punctuation, brackets, quotes, € £ « » ¡ ¿ …) stand alone; 32 is the blank.
constexpr CharClass ClassifyByte(unsigned char byte)
{
    return detail::kCharClassTable[byte];
}

// Class of the first character of text; an empty text is a word character.
constexpr CharClass ClassifyChar(std::string_view text)
{
    return text.empty() ? CharClass::Word : ClassifyByte(static_cast<unsigned char>(text.front()));
}

} // namespace quirel

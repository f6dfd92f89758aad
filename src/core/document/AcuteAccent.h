#pragma once

#include <array>
#include <string>
#include <string_view>

namespace quirel {

// The acute accent on Windows-1252 vowels: a e i o u ↔ á é í ó ú (0xE1 0xE9 0xED 0xF3 0xFA) and
// A E I O U ↔ Á É Í Ó Ú (0xC1 0xC9 0xCD 0xD3 0xDA). The accent tools put accents on and take them
// off through these alone, beside the case mapping of Cp1252.h.

namespace detail {
struct AcuteAccentTables {
    std::array<unsigned char, 256> with {}; // plain small vowel → accented one, 0 for any other byte
    std::array<unsigned char, 256> without {}; // accented vowel → plain one, any other byte as it is
};

constexpr AcuteAccentTables MakeAcuteAccentTables()
{
    AcuteAccentTables tables;
    for (int i = 0; i < 256; ++i)
        tables.without[i] = static_cast<unsigned char>(i);
    constexpr std::string_view kPlain = "aeiouAEIOU";
    constexpr std::string_view kAccented = "\xE1\xE9\xED\xF3\xFA\xC1\xC9\xCD\xD3\xDA";
    for (std::size_t k = 0; k < kPlain.size(); ++k) {
        const auto plain = static_cast<unsigned char>(kPlain[k]);
        const auto accented = static_cast<unsigned char>(kAccented[k]);
        tables.without[accented] = plain;
        if (plain >= 'a') tables.with[plain] = accented;
    }
    return tables;
}
inline constexpr AcuteAccentTables kAcuteAccentTables = MakeAcuteAccentTables();
} // namespace detail

// The small vowel a e i o u with its acute accent (á é í ó ú); 0 for any other byte, capitals and
// vowels that already carry an accent included.
constexpr unsigned char WithAcuteAccent(unsigned char byte)
{
    return detail::kAcuteAccentTables.with[byte];
}

// A vowel without its acute accent (á → a, Á → A); any other byte as it is.
constexpr unsigned char WithoutAcuteAccent(unsigned char byte)
{
    return detail::kAcuteAccentTables.without[byte];
}

// True for á é í ó ú Á É Í Ó Ú.
constexpr bool HasAcuteAccent(unsigned char byte)
{
    return WithoutAcuteAccent(byte) != byte;
}

// True when some byte of text is a vowel with an acute accent.
constexpr bool HasAcuteAccent(std::string_view text)
{
    for (const char c : text) {
        if (HasAcuteAccent(static_cast<unsigned char>(c))) return true;
    }
    return false;
}

// text with every acute-accented vowel written without its accent (same length, same offsets).
std::string StripAcuteAccents(std::string_view text);

} // namespace quirel

#include "document/CasePattern.h"

#include "document/Cp1252.h"

namespace quirel {
namespace {

// Á É Í Ñ Ó Ú Ü and their small letters.
bool IsCapital(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || c == 0xC1 || c == 0xC9 || c == 0xCD || c == 0xD1 || c == 0xD3 || c == 0xDA
        || c == 0xDC;
}

bool IsSmall(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || c == 0xE1 || c == 0xE9 || c == 0xED || c == 0xF1 || c == 0xF3 || c == 0xFA
        || c == 0xFC || c == 0xAA || c == 0xBA;
}

} // namespace

bool IsCapitalInitial(std::string_view word)
{
    return !word.empty() && IsCapital(static_cast<unsigned char>(word[0]));
}

CasePatternKind CasePattern(std::string_view word)
{
    std::size_t capitals = 0;
    std::size_t smalls = 0;
    for (char c : word) {
        const auto byte = static_cast<unsigned char>(c);
        capitals += IsCapital(byte) ? 1 : 0;
        smalls += IsSmall(byte) ? 1 : 0;
    }
    const std::size_t n = word.size();
    auto result = CasePatternKind::Other;
    if (capitals == n) result = CasePatternKind::Upper;
    if (smalls == n) result = CasePatternKind::Lower; // checked second, so an empty word is Lower
    if (n > 0 && smalls == n - 1 && capitals == 1 && IsCapitalInitial(word)) result = CasePatternKind::Capitalized;
    return result;
}

std::string RestoreCase(std::string_view word, CasePatternKind pattern)
{
    switch (pattern) {
    case CasePatternKind::Upper:
        return ToUpper(word);
    case CasePatternKind::Capitalized: {
        std::string out = ToLower(word);
        if (!out.empty()) out[0] = static_cast<char>(ToUpperByte(static_cast<unsigned char>(out[0])));
        return out;
    }
    default:
        return ToLower(word);
    }
}

} // namespace quirel

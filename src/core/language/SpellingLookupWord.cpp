#include "language/SpellingLookupWord.h"

#include "document/Cp1252.h"

#include <array>

namespace quirel {
namespace {

enum class ByteKind : unsigned char { Other, Letter, Digit, EndMark };

std::array<ByteKind, 256> MakeByteKinds()
{
    std::array<ByteKind, 256> kinds {};
    for (int c = 0; c < 256; ++c) {
        const auto byte = static_cast<unsigned char>(c);
        // Letters are the bytes with a case, plus ª º ß µ, which have none.
        if (ToLowerByte(byte) != ToUpperByte(byte)) kinds[byte] = ByteKind::Letter;
    }
    for (const int c : { 0xAA, 0xBA, 0xDF, 0xB5 })
        kinds[c] = ByteKind::Letter;
    for (int c = '0'; c <= '9'; ++c)
        kinds[c] = ByteKind::Digit;
    for (const int c : { 0xB9, 0xB2, 0xB3, 0xBC, 0xBD, 0xBE }) // ¹ ² ³ ¼ ½ ¾
        kinds[c] = ByteKind::Digit;
    for (const int c : { 0x2D, 0x27, 0x96, 0x97 }) // hyphen, apostrophe, en and em dash
        kinds[c] = ByteKind::EndMark;
    return kinds;
}

const std::array<ByteKind, 256>& ByteKinds()
{
    static const std::array<ByteKind, 256> kinds = MakeByteKinds();
    return kinds;
}

} // namespace

std::string_view SpellingLookupWord(std::string_view token)
{
    const auto& kinds = ByteKinds();
    const auto kindOf = [&kinds](char c) { return kinds[static_cast<unsigned char>(c)]; };
    bool hasLetter = false;
    for (const char c : token) {
        const ByteKind kind = kindOf(c);
        if (kind == ByteKind::Digit) return {};
        hasLetter = hasLetter || kind == ByteKind::Letter;
    }
    if (!hasLetter) return {};
    // A letter is no end mark, so trimming stops at it on both sides.
    while (kindOf(token.front()) == ByteKind::EndMark)
        token.remove_prefix(1);
    while (kindOf(token.back()) == ByteKind::EndMark)
        token.remove_suffix(1);
    return token;
}

} // namespace quirel

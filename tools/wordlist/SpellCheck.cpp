#include "SpellCheck.h"

#include "document/Cp1252.h"
#include "document/Tokenize.h"

namespace quirel::wordlist {
namespace {

bool IsLetter(unsigned char c)
{
    // Letters with a case, plus ß, ª and º, which have none.
    return ToLowerByte(c) != c || ToUpperByte(c) != c || c == 0xDF || c == 0xAA || c == 0xBA;
}

bool IsDigit(unsigned char c)
{
    return (c >= '0' && c <= '9') || c == 0xB2 || c == 0xB3 || c == 0xB9 || (c >= 0xBC && c <= 0xBE);
}

bool IsHyphenOrApostrophe(unsigned char c)
{
    // - ' ` ´ and the en and em dashes; the curly quotes are signs and never reach a word.
    return c == '-' || c == '\'' || c == '`' || c == 0xB4 || c == 0x96 || c == 0x97;
}

} // namespace

bool SpellingLookupWord(std::string_view token, std::string& out)
{
    bool hasLetter = false;
    for (const char c : token) {
        const auto byte = static_cast<unsigned char>(c);
        if (IsDigit(byte)) return false;
        hasLetter = hasLetter || IsLetter(byte);
    }
    if (!hasLetter) return false;
    while (!token.empty() && IsHyphenOrApostrophe(static_cast<unsigned char>(token.front())))
        token.remove_prefix(1);
    while (!token.empty() && IsHyphenOrApostrophe(static_cast<unsigned char>(token.back())))
        token.remove_suffix(1);
    out.assign(token);
    ToLowerInPlace(out);
    return true;
}

SpellCheckCount CheckSpelling(const WordLists& lists, std::string_view text, std::vector<std::string>* unknownWords)
{
    SpellCheckCount count;
    std::string word;
    for (const Token& token : Tokenize(text, text.size() + 1)) {
        if (!SpellingLookupWord(text.substr(token.start, token.length), word)) continue;
        ++count.words;
        if (lists.IsKnownWord(word)) continue;
        ++count.unknown;
        if (unknownWords) unknownWords->push_back(word);
    }
    return count;
}

} // namespace quirel::wordlist

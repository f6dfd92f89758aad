#include "document/Tokenize.h"

#include "document/CharClass.h"

namespace quirel {

bool TokenizeInto(std::string_view text, std::size_t from, std::vector<Token>& tokens, std::size_t limit)
{
    std::size_t wordStart = from;
    const std::size_t length = text.size();
    for (std::size_t i = from; i < length; ++i) {
        if (ClassifyByte(static_cast<unsigned char>(text[i])) == CharClass::Word) continue;
        // A word is never blank (blanks are not word characters), so a pending run is always a token.
        if (i > wordStart) {
            if (tokens.size() >= limit) return false;
            tokens.push_back({ static_cast<std::uint32_t>(wordStart), static_cast<std::uint32_t>(i - wordStart) });
        }
        if (tokens.size() >= limit) return false;
        tokens.push_back({ static_cast<std::uint32_t>(i), 1 });
        wordStart = i + 1;
    }
    if (length > wordStart) {
        if (tokens.size() >= limit) return false;
        tokens.push_back({ static_cast<std::uint32_t>(wordStart), static_cast<std::uint32_t>(length - wordStart) });
    }
    return true;
}

std::vector<Token> Tokenize(std::string_view text, std::size_t limit)
{
    std::vector<Token> tokens;
    tokens.reserve(text.size() / 3 + 1);
    TokenizeInto(text, 0, tokens, limit);
    return tokens;
}

} // namespace quirel

#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace quirel {

// Capacity of the model: tokens (and format-record slots) 1 to 300000.
inline constexpr int kMaxTokens = 300000;
// A token reads back as at most this many bytes of its word.
inline constexpr std::size_t kTokenFieldWidth = 256;

// One token: where it starts in the document text and how many bytes it spans there.
// A word token is a run of word characters; every other token is exactly one byte.
struct Token {
    std::uint32_t start = 0;
    std::uint32_t length = 0;
};

// Cuts text[from, end) into tokens and appends them to tokens. Stops and returns false as soon as
// tokens would hold more than limit entries (what was appended so far stays); true otherwise.
bool TokenizeInto(std::string_view text, std::size_t from, std::vector<Token>& tokens, std::size_t limit = kMaxTokens);

// The whole text cut into tokens; an empty result for an empty text. Texts with more than
// limit tokens give only their first limit tokens (check the size against limit to tell).
std::vector<Token> Tokenize(std::string_view text, std::size_t limit = kMaxTokens);

} // namespace quirel

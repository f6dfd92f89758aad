#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quirel {

// The alphabetical order of a Spanish dictionary for Windows-1252 words. Letters compare first
// without their accents and case, with ñ between n and o; between otherwise equal words the accents
// decide (a word without them first), then the case (small letters first). Blanks and signs come
// before digits, and digits before letters.

// Appends the sort key of word to key: two words are in order when their keys are, compared byte
// by byte as unsigned characters (a key that is the beginning of another comes first).
void AppendSpanishSortKey(std::string_view word, std::string& key);

// The positions of words in that order; equal words keep their order.
std::vector<std::size_t> SpanishOrder(const std::vector<std::string>& words);

} // namespace quirel

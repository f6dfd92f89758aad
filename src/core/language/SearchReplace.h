#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quirel {

// The largest text a replacement may produce, in bytes: the size of the largest document file.
inline constexpr std::size_t kMaxReplacedTextBytes = std::size_t { 256 } << 20;

// True when a dialog box text is accepted as one word: not empty and without the blank (32).
// Only the blank counts: a tab or punctuation is accepted.
bool IsSingleWord(std::string_view text);

// The word the search layout compares with: blanks removed at both ends, then lower-cased, so it
// matches tokens whatever their case ("CASA", "Casa" and "casa" for "casa").
std::string FindKey(std::string_view word);

// "Encontradas " + count in decimal + " palabras ...".
std::string FoundWordsMessage(int count);

enum class ReplaceStatus {
    Done, // every occurrence replaced (none is fine too)
    TooLarge, // the result would pass maxBytes; text is unchanged
};

struct ReplaceResult {
    ReplaceStatus status = ReplaceStatus::Done;
    std::size_t count = 0; // occurrences replaced
};

// Replaces every occurrence of search in text by replacement: a case-sensitive byte comparison from
// left to right that goes on behind each inserted text, so inserted text is never searched again and
// occurrences never overlap; occurrences inside longer words are replaced too ("la palabra" →
// "el paelbra"). An empty search replaces nothing. Refused with TooLarge, leaving text as it was,
// when the result would be longer than maxBytes.
ReplaceResult ReplaceAll(std::string& text, std::string_view search, std::string_view replacement,
    std::size_t maxBytes = kMaxReplacedTextBytes);

} // namespace quirel

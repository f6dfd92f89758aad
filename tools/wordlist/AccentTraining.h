#pragma once

#include "language/WordLists.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace quirel::wordlist {

// True when a paragraph (Windows-1252) is worth learning from: at least 4 words (tokens with a letter
// and no digit, without the dashes and apostrophes at their ends), at least 85 % of them known to the
// lists once lower-cased.
bool IsCleanParagraph(std::string_view paragraph, const WordLists& lists);

// The clean paragraphs of UTF-8 texts (one paragraph per line) in Windows-1252, each once: a paragraph
// already in seen is left out, and every kept one is added to seen.
std::vector<std::string> CleanParagraphs(
    const std::vector<std::string>& utf8Lines, const WordLists& lists, std::unordered_set<std::string>& seen);

// The capitalised words of a UTF-8 text as written (for the names the text uses).
std::unordered_set<std::string> CapitalisedWords(std::string_view utf8Text);

} // namespace quirel::wordlist

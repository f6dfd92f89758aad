#pragma once

#include "language/WordLists.h"

#include <string>
#include <string_view>
#include <vector>

namespace quirel::wordlist {

// The word the spelling sensor looks up for one token of the document (Windows-1252): the token
// without the hyphens and apostrophes at its ends, lower-cased, in out. False when the token is
// not checked at all: it holds a digit, or no letter.
bool SpellingLookupWord(std::string_view token, std::string& out);

struct SpellCheckCount {
    std::size_t words = 0; // tokens checked
    std::size_t unknown = 0; // of them, not in the lists
};

// Cuts text (Windows-1252) into tokens with the editor's tokenizer and looks every checked word up
// with IsKnownWord. The unknown words (as looked up) are appended to unknownWords when given.
SpellCheckCount CheckSpelling(const WordLists& lists, std::string_view text, std::vector<std::string>* unknownWords);

} // namespace quirel::wordlist

#pragma once

#include "language/WordLists.h"

#include <string>
#include <string_view>
#include <vector>

namespace quirel::wordlist {

struct SpellCheckCount {
    std::size_t words = 0; // tokens checked
    std::size_t unknown = 0; // of them, not in the lists
};

// Cuts text (Windows-1252) into tokens with the editor's tokenizer and looks every token up as the
// spelling marks do: the part SpellingLookupWord gives, lower-cased, with IsKnownWord. The unknown
// words (as looked up) are appended to unknownWords when given.
SpellCheckCount CheckSpelling(const WordLists& lists, std::string_view text, std::vector<std::string>* unknownWords);

} // namespace quirel::wordlist

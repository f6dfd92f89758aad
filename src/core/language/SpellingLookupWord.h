#pragma once

#include <string_view>

namespace quirel {

// The one rule of what the spelling marks look up for a word token of the document (Windows-1252,
// in any case); the layout and the word-list tool's spelling check both follow it.
// A token that holds a digit (0-9, the superscripts ¹ ² ³ or the fractions ¼ ½ ¾) or no letter at
// all is not looked up: numbers, units such as m², dashes and signs are never called misspellings.
// Otherwise the part looked up is the token without the hyphens, apostrophes and en and em dashes
// at its ends ("—hola" looks up hola, "amo-" amo); the grave and acute accent signs ` and ´ are
// kept, since on their own at a word's end they are a slip of an accent key.
// Returns that part (a view into token, never empty), or an empty view when the token is not looked
// up. The caller lower-cases the part before the lookup; the letters do not depend on case.
std::string_view SpellingLookupWord(std::string_view token);

} // namespace quirel

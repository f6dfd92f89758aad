#pragma once

#include <string>
#include <string_view>

namespace quirel {

// Capitalisation of a word, so tools can work on the lower-case form and give the word back
// in the user's own capitalisation.
enum class CasePatternKind : int { Other = 0, Lower = 1, Capitalized = 2, Upper = 3 };

// Lower: every character a small letter (an empty word too); Upper: every character a capital;
// Capitalized: one capital at the front, small letters after it; Other: anything else (digits,
// signs, inner capitals). Capitals: A–Z Ñ Á É Í Ó Ú Ü; small letters: a–z ñ á é í ó ú ü ª º.
CasePatternKind CasePattern(std::string_view word);

// The word rewritten in the pattern; Other gives all small letters.
std::string RestoreCase(std::string_view word, CasePatternKind pattern);

// True when the first character is one of the capitals above.
bool IsCapitalInitial(std::string_view word);

} // namespace quirel

#pragma once

#include <string>
#include <string_view>
#include <unordered_set>

namespace quirel::wordlist {

// The capitalised words of a UTF-8 text as written (for the names the text uses).
std::unordered_set<std::string> CapitalisedWords(std::string_view utf8Text);

} // namespace quirel::wordlist

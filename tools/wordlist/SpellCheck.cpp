#include "SpellCheck.h"

#include "document/Cp1252.h"
#include "document/Tokenize.h"
#include "language/SpellingLookupWord.h"

namespace quirel::wordlist {

SpellCheckCount CheckSpelling(const WordLists& lists, std::string_view text, std::vector<std::string>* unknownWords)
{
    SpellCheckCount count;
    std::string word;
    for (const Token& token : Tokenize(text, text.size() + 1)) {
        const std::string_view lookedUp = SpellingLookupWord(text.substr(token.start, token.length));
        if (lookedUp.empty()) continue;
        word.assign(lookedUp);
        ToLowerInPlace(word);
        ++count.words;
        if (lists.IsKnownWord(word)) continue;
        ++count.unknown;
        if (unknownWords) unknownWords->push_back(word);
    }
    return count;
}

} // namespace quirel::wordlist

#include "AccentTraining.h"

#include "Utf8.h"
#include "document/CharClass.h"
#include "document/Cp1252.h"
#include "document/Tokenize.h"

#include <algorithm>
#include <limits>

namespace quirel::wordlist {
namespace {

bool IsEdge(char c)
{
    const auto b = static_cast<unsigned char>(c);
    return b == '-' || b == 0x96 || b == 0x97 || b == '\'';
}

} // namespace

bool IsCleanParagraph(std::string_view paragraph, const WordLists& lists)
{
    std::size_t words = 0;
    std::size_t known = 0;
    std::string lower;
    for (const Token& token : Tokenize(paragraph, std::numeric_limits<std::size_t>::max())) {
        std::string_view word = paragraph.substr(token.start, token.length);
        if (ClassifyByte(static_cast<unsigned char>(word.front())) != CharClass::Word) continue;
        while (!word.empty() && IsEdge(word.front()))
            word.remove_prefix(1);
        while (!word.empty() && IsEdge(word.back()))
            word.remove_suffix(1);
        if (word.empty() || std::any_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        lower = ToLower(word);
        ++words;
        known += lists.IsKnownWord(lower) ? 1 : 0;
    }
    return words >= 4 && known * 100 >= words * 85;
}

std::vector<std::string> CleanParagraphs(
    const std::vector<std::string>& utf8Lines, const WordLists& lists, std::unordered_set<std::string>& seen)
{
    std::vector<std::string> kept;
    for (const std::string& line : utf8Lines) {
        std::string paragraph = Utf8ToCp1252(line);
        if (!IsCleanParagraph(paragraph, lists) || !seen.insert(paragraph).second) continue;
        kept.push_back(std::move(paragraph));
    }
    return kept;
}

std::unordered_set<std::string> CapitalisedWords(std::string_view utf8Text)
{
    std::unordered_set<std::string> words;
    const std::u32string wide = DecodeUtf8(utf8Text);
    std::size_t start = 0;
    for (std::size_t i = 0; i <= wide.size(); ++i) {
        const bool letter = i < wide.size()
            && (IsUpperLatin(wide[i]) || (wide[i] >= U'a' && wide[i] <= U'z')
                || (wide[i] >= 0xDF && wide[i] <= 0xFF && wide[i] != 0xF7));
        if (letter) continue;
        if (i > start && IsUpperLatin(wide[start])) words.insert(EncodeUtf8(wide.substr(start, i - start)));
        start = i + 1;
    }
    return words;
}

} // namespace quirel::wordlist

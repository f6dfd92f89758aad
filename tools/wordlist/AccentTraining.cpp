#include "AccentTraining.h"

#include "Utf8.h"

namespace quirel::wordlist {

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

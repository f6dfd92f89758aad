#include "language/SearchReplace.h"

#include "document/Cp1252.h"
#include "language/LanguageMessages.h"

namespace quirel {

bool IsSingleWord(std::string_view text)
{
    return !text.empty() && text.find(' ') == std::string_view::npos;
}

std::string FindKey(std::string_view word)
{
    return ToLower(TrimBlanks(word));
}

std::string FoundWordsMessage(int count)
{
    return std::string(kFoundHead) + std::to_string(count) + std::string(kFoundWordsTail);
}

ReplaceResult ReplaceAll(std::string& text, std::string_view search, std::string_view replacement, std::size_t maxBytes)
{
    ReplaceResult result;
    if (search.empty()) return result;
    // Count first, so that a result too large is refused before anything is built.
    for (auto at = text.find(search); at != std::string::npos; at = text.find(search, at + search.size()))
        ++result.count;
    if (result.count == 0) return result;
    if (replacement.size() > search.size()) {
        const std::size_t growth = replacement.size() - search.size();
        if (text.size() > maxBytes || (maxBytes - text.size()) / growth < result.count) {
            result.status = ReplaceStatus::TooLarge;
            result.count = 0;
            return result;
        }
    }
    std::string replaced;
    replaced.reserve(text.size() - result.count * search.size() + result.count * replacement.size());
    std::size_t from = 0;
    for (auto at = text.find(search); at != std::string::npos; at = text.find(search, from)) {
        replaced.append(text, from, at - from);
        replaced.append(replacement);
        from = at + search.size();
    }
    replaced.append(text, from, std::string::npos);
    text = std::move(replaced);
    return result;
}

} // namespace quirel

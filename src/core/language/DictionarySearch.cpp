#include "language/DictionarySearch.h"

#include "document/Cp1252.h"
#include "language/LanguageMessages.h"

#include <algorithm>
#include <unordered_set>

namespace quirel {
namespace {

constexpr std::string_view kLetters = "qwertyuiopasdfghjkl\xF1zxcvbnm\xE1\xE9\xED\xF3\xFA\xFC";
static_assert(kLetters.size() == 33);

bool IsSearchLetter(unsigned char c)
{
    return kLetters.find(static_cast<char>(ToLowerByte(c))) != std::string_view::npos;
}

// True when piece, lower-cased, equals key byte for byte.
bool LowerEquals(std::string_view piece, std::string_view key)
{
    return piece.size() == key.size() && std::equal(piece.begin(), piece.end(), key.begin(), [](char a, char b) {
        return ToLowerByte(static_cast<unsigned char>(a)) == static_cast<unsigned char>(b);
    });
}

// The part of a trimmed entry that is compared with a key of the given length.
std::string_view PieceOf(std::string_view entry, std::size_t length, SearchKind kind)
{
    const std::string_view trimmed = TrimBlanks(entry);
    const std::size_t take = std::min(length, trimmed.size());
    return kind == SearchKind::Ending ? trimmed.substr(trimmed.size() - take) : trimmed.substr(0, take);
}

// Calls add(entry) for every entry of list whose piece matches key.
template <typename Add> void WalkList(const WordListSource& list, const std::string& key, SearchKind kind, Add&& add)
{
    if (!list.entry) return;
    for (std::size_t i = 1; i <= list.size; ++i) {
        const std::string_view entry = list.entry(i);
        if (LowerEquals(PieceOf(entry, key.size(), kind), key)) add(entry);
    }
}

bool Searches(SearchChoice chosen, SearchChoice list)
{
    return chosen == SearchChoice::All || chosen == list;
}

} // namespace

SearchRequest ParseSearchText(std::string_view text)
{
    const auto letters = static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return IsSearchLetter(static_cast<unsigned char>(c)); }));
    if (!text.empty() && text.front() == '-' && letters == text.size() - 1)
        return { SearchKind::Ending, std::string(text.substr(1)) };
    if (!text.empty() && letters == text.size()) return { SearchKind::Beginning, std::string(text) };
    return {};
}

std::optional<SearchResult> SearchWordLists(const SearchLists& lists, SearchChoice choice, std::string_view text)
{
    const SearchRequest request = ParseSearchText(text);
    if (request.kind == SearchKind::Ignored) return std::nullopt;
    const std::string& exactKey = request.key;
    const std::string loweredKey = ToLower(TrimBlanks(request.key));

    SearchResult result;
    auto addProper = [&result](std::string_view entry) { result.items.push_back(CapitalizeWords(entry)); };
    if (Searches(choice, SearchChoice::Diccionario)) {
        WalkList(lists.diccionario, exactKey, request.kind, [&](std::string_view entry) {
            if (!lists.isVerb || !lists.isVerb(entry)) result.items.emplace_back(entry);
        });
    }
    if (Searches(choice, SearchChoice::Verbos)) {
        std::unordered_set<std::string_view> seen;
        WalkList(lists.verbos, exactKey, request.kind, [&](std::string_view entry) {
            if (seen.insert(entry).second) result.items.emplace_back(entry);
        });
    }
    if (Searches(choice, SearchChoice::NPropios)) WalkList(lists.npropios, loweredKey, request.kind, addProper);
    if (Searches(choice, SearchChoice::Apellidos)) WalkList(lists.apellidos, loweredKey, request.kind, addProper);
    if (Searches(choice, SearchChoice::Dictionary)) WalkList(lists.dictionary, loweredKey, request.kind, addProper);

    result.message = std::string(kDictionarySearchDoneHead) + std::to_string(result.items.size())
        + std::string(kDictionarySearchDoneMiddle) + std::string(text)
        + (request.kind == SearchKind::Beginning ? "-" : "");
    return result;
}

std::string CapitalizeWords(std::string_view text)
{
    std::string out = ToLower(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (i == 0 || out[i - 1] == ' ') out[i] = static_cast<char>(ToUpperByte(static_cast<unsigned char>(out[i])));
    }
    return out;
}

} // namespace quirel

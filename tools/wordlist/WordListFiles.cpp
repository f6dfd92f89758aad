#include "WordListFiles.h"

#include "Utf8.h"
#include "document/Cp1252.h"
#include "document/TextLines.h"
#include "language/WordRecord.h"

#include <algorithm>
#include <unordered_set>

namespace quirel::wordlist {
namespace {

unsigned char FoldAccentByte(unsigned char c)
{
    // Small Windows-1252 letters with accents → their base letter.
    static constexpr std::string_view kFrom = "\xE0\xE1\xE2\xE3\xE4\xE5\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF\xF2\xF3\xF4"
                                              "\xF5\xF6\xF9\xFA\xFB\xFC\xFD\xFF\x9A\x9E";
    static constexpr std::string_view kTo = "aaaaaaeeeeiiiiooooouuuuyysz";
    const std::size_t at = kFrom.find(static_cast<char>(c));
    return at == std::string_view::npos ? c : static_cast<unsigned char>(kTo[at]);
}

// True when the filter's text writes the name exactly so. Old typography leaves the accent off capitals
// (Angel for Ángel), so a name whose common counterpart has its accent on the first letter never counts.
bool IsUsedName(const std::u32string& wide, const std::string& line, const ShadowFilter& filter,
    const std::unordered_set<std::string>& lowerPrimary)
{
    if (!filter.used || !filter.used->count(line)) return false;
    static constexpr std::u32string_view kPlain = U"aeiou";
    static constexpr std::u32string_view kAccented = U"áéíóú";
    std::u32string lower(wide);
    for (char32_t& c : lower)
        c = LowerLatin(c);
    const std::size_t vowel = kPlain.find(lower.front());
    if (vowel == std::u32string_view::npos) return true;
    lower.front() = kAccented[vowel];
    return !lowerPrimary.count(EncodeUtf8(lower));
}

} // namespace

std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    ForEachLine(text, [&lines](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

std::string SpanishSortKey(std::string_view word)
{
    std::string key;
    key.reserve(word.size() * 2);
    for (const char c : word) {
        const unsigned char base = FoldAccentByte(ToLowerByte(static_cast<unsigned char>(c)));
        // Two bytes per character so ñ (0xF1) can sit between n and o.
        const unsigned weight = base == 0xF1 ? 'n' * 2 + 1 : base * 2u;
        key += static_cast<char>(weight >> 8);
        key += static_cast<char>(weight & 0xFF);
    }
    return key;
}

std::vector<std::string> PrepareWords(std::string_view utf8Text, SortOrder order, Repeats repeats, EncodeReport& report)
{
    std::vector<std::string> words;
    std::unordered_set<std::string> seen;
    for (const std::string& line : SplitLines(utf8Text)) {
        std::size_t skipped = 0;
        std::string word(TrimBlanks(Utf8ToCp1252(line, &skipped)));
        if (skipped > 0 || std::any_of(word.begin(), word.end(), [](char c) {
                return static_cast<unsigned char>(c) < 32 || c == 127;
            })) {
            ++report.notRepresentable;
            continue;
        }
        if (word.empty()) continue;
        if (word.size() > kMaxRecordWordLength) {
            ++report.tooLong;
            continue;
        }
        if (repeats == Repeats::Drop && !seen.insert(ToLower(word)).second) {
            ++report.repeated;
            continue;
        }
        words.push_back(std::move(word));
    }
    if (order == SortOrder::Spanish) {
        std::vector<std::pair<std::string, std::string>> keyed;
        keyed.reserve(words.size());
        for (auto& word : words)
            keyed.emplace_back(SpanishSortKey(word), std::move(word));
        std::sort(keyed.begin(), keyed.end());
        for (std::size_t i = 0; i < keyed.size(); ++i)
            words[i] = std::move(keyed[i].second);
    }
    report.written = words.size();
    return words;
}

std::string EncodeRecords(const std::vector<std::string>& words)
{
    std::string bytes;
    bytes.reserve(words.size() * kWordRecordSize);
    WordRecordBytes record {};
    for (const std::string& word : words) {
        if (!EncodeWordRecord(word, record)) continue;
        bytes.append(reinterpret_cast<const char*>(record.data()), record.size());
    }
    return bytes;
}

bool DecodeRecords(std::string_view bytes, std::vector<std::string>& words)
{
    words.clear();
    if (bytes.size() % kWordRecordSize != 0) return false;
    std::string word;
    for (std::size_t at = 0; at < bytes.size(); at += kWordRecordSize) {
        word.clear();
        AppendRecordWord(reinterpret_cast<const unsigned char*>(bytes.data()) + at, word);
        words.emplace_back(TrimBlanks(word));
    }
    return true;
}

std::u32string FoldAccents(std::u32string_view word)
{
    static constexpr std::u32string_view kFrom = U"àáâãäåèéêëìíîïòóôõöùúûüýÿ";
    static constexpr std::u32string_view kTo = U"aaaaaaeeeeiiiiooooouuuuyy";
    std::u32string out;
    out.reserve(word.size());
    for (const char32_t c : word) {
        const char32_t lower = LowerLatin(c);
        const std::size_t at = kFrom.find(lower);
        out += at == std::u32string_view::npos ? lower : kTo[at];
    }
    return out;
}

std::vector<std::string> RemoveShadows(
    const std::vector<std::string>& primary, const std::vector<std::string>& secondary, ShadowFilter filter)
{
    // UTF-8 keys: most words fit the short-string buffer, which keeps building the sets quick.
    const auto lowerKey = [](const std::u32string& wide) {
        std::u32string lower(wide);
        for (char32_t& c : lower)
            c = LowerLatin(c);
        return EncodeUtf8(lower);
    };
    std::unordered_set<std::string> exact;
    std::unordered_set<std::string> foldedPrimary;
    exact.reserve(primary.size());
    foldedPrimary.reserve(primary.size());
    for (const std::string& word : primary) {
        const std::u32string wide = DecodeUtf8(word);
        exact.insert(lowerKey(wide));
        foldedPrimary.insert(EncodeUtf8(FoldAccents(wide)));
    }
    std::vector<std::string> kept;
    for (const std::string& line : secondary) {
        const std::u32string wide = DecodeUtf8(line);
        if (wide.empty()) continue;
        const std::string lower = lowerKey(wide);
        if (exact.count(lower)) {
            if (filter.dropKnown) continue;
        } else {
            const std::string folded = EncodeUtf8(FoldAccents(wide));
            const bool accented = folded != lower;
            if (foldedPrimary.count(folded) && !(accented && filter.unaccentedOnly)
                && !IsUsedName(wide, line, filter, exact))
                continue;
        }
        kept.push_back(line);
    }
    return kept;
}

} // namespace quirel::wordlist

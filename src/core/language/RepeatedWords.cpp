#include "language/RepeatedWords.h"

#include "document/CharClass.h"
#include "document/Cp1252.h"
#include "document/Document.h"
#include "io/Ports.h"
#include "language/LanguageMessages.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <unordered_map>

namespace quirel {
namespace {

// In the order they are tested ("el" and "la" stand twice). Accented letters are Windows-1252 bytes;
// a literal is split where the next letter would read as one more hexadecimal digit.
constexpr std::string_view kStopWords[] = {
    "mi", "tu", "su", "nuestra", "nuestro", "vuestra", "vuestro", "sus", //
    "yo", "t\xFA", "el", "nosotros", "nosotras", "vosotros", "vosotras", "ellos", "ella", "ello", "ellas", //
    "me", "te", "se", "nos", "os", "lo", "la", "le", //
    "el", "la", "los", "las", "del", "al", //
    "este", "esta", "ese", "esa", "aquel", "aquella", "estos", "estas", "esos", "esas", "aquellos", "aquellas", //
    "un", "una", "unos", "unas", //
    "a", "ante", "bajo", "cabe", "con", "contra", "de", "desde", "durante", "en", "entre", "hacia", "hasta", "mediante",
    "para", "por", "seg\xFAn", "sin", "so", "sobre", "tras", "versus",
    "v\xED"
    "a", //
    "y", "o", "u", "e", "\xF3", //
    "que", "qu\xE9", "cuando", "c\xF3mo", "como", "donde", "d\xF3nde", //
};
static_assert(std::size(kStopWords) == 84);

struct WordCount {
    std::uint64_t count = 0;
    bool recorded = false;
};

} // namespace

bool IsStopWord(std::string_view word)
{
    // Every stop word is short; a longer word cannot be one and need not be lower-cased.
    if (word.size() > 8) return false;
    const std::string lower = ToLower(word);
    return std::find(std::begin(kStopWords), std::end(kStopWords), lower) != std::end(kStopWords);
}

RepeatedWordsResult RepeatedWords(const Document& doc, EventPump* pump)
{
    // One map of every token text gives each word's count in one pass instead of comparing every
    // word with every token. The views point into the document, which does not change meanwhile.
    const int n = doc.TokenCount();
    std::unordered_map<std::string_view, WordCount> counts;
    counts.reserve(static_cast<std::size_t>(n) / 4 + 16);
    for (int i = 1; i <= n; ++i) {
        const std::string_view text = doc.TokenText(i);
        if (!text.empty()) ++counts[text].count;
    }

    RepeatedWordsResult result;
    for (int i = 1; i <= n; ++i) {
        const std::string_view word = doc.TokenText(i);
        if (word.empty() || ClassifyChar(word) != CharClass::Word) continue;
        if (pump) pump->ProcessPendingEvents();
        WordCount& entry = counts[word];
        if (entry.recorded || entry.count < kMinRepeatCount) continue;
        entry.recorded = true;
        if (!IsStopWord(word)) result.rows.push_back({ std::string(word), entry.count });
    }
    if (result.rows.empty()) return result;

    // The words of each count, in row order, each followed by a blank; no ceiling on the count.
    std::map<std::uint64_t, std::string, std::greater<>> buckets;
    for (const RepeatRow& row : result.rows)
        buckets[row.count] += row.word + ' ';
    auto bucket = buckets.begin();
    result.report = std::string(kMostRepeatedHead) + bucket->second + "\r\n";
    if (++bucket != buckets.end()) result.report += std::string(kNextRepeatedHead) + bucket->second + "\r\n";
    return result;
}

std::string RepeatedWordsMessage(const RepeatedWordsResult& result)
{
    if (result.rows.empty()) return std::string(kNoRepeatedWordsMessage);
    return std::string(kRepeatedWordsHead) + std::to_string(result.rows.size()) + std::string(kRepeatedWordsTail)
        + result.report;
}

} // namespace quirel

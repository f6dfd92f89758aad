#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quirel {

class Document;
class EventPump;

// A word is reported when it occurs at least this many times.
inline constexpr std::uint64_t kMinRepeatCount = 10;

// One reported word and how often it occurs in the document.
struct RepeatRow {
    std::string word;
    std::uint64_t count = 0;
};

// What the repeated-word count gives.
struct RepeatedWordsResult {
    std::vector<RepeatRow> rows; // one per word occurring 10 times or more, in order of first occurrence
    std::string report; // the words of the highest count and of the next lower count (see RepeatedWords)
};

// True when word, lower-cased, is one of the 84 Spanish function words the count ignores
// (articles, pronouns, possessives, demonstratives, prepositions, conjunctions, que/como/cuando/donde).
bool IsStopWord(std::string_view word);

// Counts every word token of the document as the tokens stand (replaced token fields included),
// comparing texts byte for byte, so "Casa" and "casa" are two words; stop words are never counted.
// Words with 10 or more occurrences become rows. The report is "Lo que más repite es: " + the words
// of the highest count, each followed by a blank, + CR LF; then, when a lower count is reported too,
// "Otra(s) que repiten: " + the words of the next lower count + CR LF. Words stand in order of first
// occurrence. Empty when there is no row. The pump, when given, runs pending events once per word token.
RepeatedWordsResult RepeatedWords(const Document& doc, EventPump* pump);

// "Este trozo de texto tiene <rows> palabra(s) más repetidas" + CR LF + the report, or
// "No Repite palabras claramente ..." when there is no row (Windows-1252).
std::string RepeatedWordsMessage(const RepeatedWordsResult& result);

} // namespace quirel

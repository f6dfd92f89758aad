#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace quirel::wordlist {

struct EncodeReport {
    std::size_t written = 0;
    std::size_t notRepresentable = 0; // a character Windows-1252 cannot hold (or malformed UTF-8)
    std::size_t tooLong = 0; // more than 40 characters
    std::size_t repeated = 0; // left out by Repeats::Drop
};

enum class SortOrder { AsGiven, Spanish };
enum class Repeats { Keep, Drop };

// Turns UTF-8 text, one word per line, into Windows-1252 words ready for records: line ends (LF or
// CR LF) and the blanks around each word are removed and blank lines ignored; words with a
// character the code page cannot hold, with a control character, or longer than 40 characters are
// left out and counted in report. Repeats::Drop keeps the first of the words that are equal once
// lower-cased (the program lower-cases every entry when it loads a list).
std::vector<std::string> PrepareWords(
    std::string_view utf8Text, SortOrder order, Repeats repeats, EncodeReport& report);

// The records of words (each at most 40 bytes without the byte 0), back to back.
std::string EncodeRecords(const std::vector<std::string>& words);

// The words of a word-list file's bytes, trimmed of blanks but with their case; false (and no
// words) when the length is not a multiple of 100.
bool DecodeRecords(std::string_view bytes, std::vector<std::string>& words);

// A key that orders Windows-1252 words the Spanish way: case and accents ignored first, ñ after n;
// equal keys are then ordered by their bytes.
std::string SpanishSortKey(std::string_view word);

// A word in small letters without accents or diaeresis (ñ and ç kept), to tell words that differ
// only in their written accents.
std::u32string FoldAccents(std::u32string_view word);

struct ShadowFilter {
    // Also leave out the words primary holds (ignoring case).
    bool dropKnown = false;
    // Only a word written without any accent can be a shadow (corazon, not Napoléon): for proper
    // names, whose accent may rightly sit where a common word has none (Durán, duran).
    bool unaccentedOnly = false;
    // Words that stay even when they are shadows: names a text writes exactly so (Asia beside asía).
    const std::unordered_set<std::string>* used = nullptr;
};

// The lines of secondary that are not shadows of primary: a word that primary does not hold but
// that equals one of primary's words once case and accents are ignored (corazon for corazón, reir
// for reír, Napoléon for Napoleón) would make a misspelling count as known once the program
// lower-cases its lists, so it is left out. Blank lines are dropped; order is kept.
std::vector<std::string> RemoveShadows(
    const std::vector<std::string>& primary, const std::vector<std::string>& secondary, ShadowFilter filter);

// Lines of a UTF-8 text without their line ends.
std::vector<std::string> SplitLines(std::string_view text);

} // namespace quirel::wordlist

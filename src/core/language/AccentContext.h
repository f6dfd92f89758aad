#pragma once

#include "document/Tokenize.h"
#include "language/AccentModel.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quirel {

// Whether a lower-case word stands in a word list.
using KnownWordTest = std::function<bool(std::string_view)>;

// What the accent pass asks the word lists, always with lower-case Windows-1252 words. Only isKnown is
// required; the others, when empty, answer no.
struct AccentLexicon {
    KnownWordTest isKnown; // diccionario, verbos, npropios or Apellidos
    KnownWordTest isCommon; // diccionario
    KnownWordTest isVerb; // verbos
    KnownWordTest isName; // npropios or Apellidos
};

// The class of a neighbour word, from the lists.
enum class NeighbourClass : std::uint8_t {
    Unknown = 1,
    Verb = 2,
    Gerund = 3, // a verb form in -ndo
    Participle = 4, // a verb form in -ado, -ido (and -ada, -idos…)
    Infinitive = 5, // a verb form in -ar, -er, -ir
    Adverb = 6, // a word of diccionario in -mente
    Name = 7, // only in npropios or Apellidos
    Other = 8, // any other word of diccionario
};
NeighbourClass ClassOfWord(std::string_view lower, const AccentLexicon& lexicon);

// The written forms of a word without accents that isKnown accepts: the form itself, then each form
// with one of its a e i o u accented, left to right. The old style forms sólo, éste, ésta, éstos, éstas,
// ése, ésa, ésos, ésas, aquél, aquélla, aquéllos, aquéllas and the misspelling tí are never forms.
std::vector<std::string> AccentCandidates(std::string_view stripped, const KnownWordTest& isKnown);

// True for the bytes that may stand around a word without being part of it: hyphen, en and em dash,
// apostrophe.
bool IsWordEdge(unsigned char c);

// One word or sign of a text as the context step sees it.
struct ContextToken {
    std::uint64_t context = 0; // hash of the word without accents, of the sign, or of a paragraph bound
    std::uint32_t start = 0; // the word's letters in the text (after dashes and quotes at its ends)
    std::uint32_t length = 0; // 0 for a sign, a number or a paragraph bound
    std::uint32_t token = 0; // index of the word's token
};

// A text (Windows-1252, lower case, same offsets as the document) cut for the context step: each
// paragraph (line) opens with two start marks and ends with two end marks; words count without the
// dashes and apostrophes at their ends, a word with a digit is a number, the signs ¿ ¡ ? ! . , ; : " ( )
// stay (« » “ ” read as ", … as .), other signs and blanks are left out. tokens are the text's tokens
// (Tokenize without a limit).
std::vector<ContextToken> BuildContextStream(std::string_view lower, const std::vector<Token>& tokens);

// Counts the contexts of every written form of a word group in correctly written text; the training
// side of the context step. Groups and classes come from the lexicon.
class AccentCounter {
public:
    explicit AccentCounter(AccentLexicon lexicon);

    // Counts a text (Windows-1252, any case), one paragraph per line.
    void CountText(std::string_view text);
    // Marks the group of a list entry (lower case) when it has two or more written forms.
    void AddGroupOf(std::string_view entry);
    // Marks a capitalised name of the English list (given in lower case) that is no Spanish word.
    void AddEnglishName(std::string_view lower);

    const std::unordered_map<std::uint64_t, std::uint32_t>& Counts() const { return m_counts; }
    std::size_t CountedWords() const { return m_countedWords; }

private:
    struct Group {
        std::vector<std::string> candidates;
        std::uint64_t pattern = 0;
    };
    const Group& GroupOf(std::string_view stripped);
    void CountPosition(const std::vector<ContextToken>& stream, std::size_t i, std::string_view lower);

    AccentLexicon m_lexicon;
    std::unordered_map<std::string, Group> m_groups;
    std::unordered_map<std::uint64_t, std::uint32_t> m_counts;
    std::size_t m_countedWords = 0;
};

// The hash of an accent pattern: the candidates' types (U for the form without accent, else the number
// of vowels after the accent) sorted, then "|" and the last letter ("0U|o" for canto, cantó).
std::uint64_t AccentPatternHash(const std::vector<std::string>& candidates);
// The type of one candidate: -1 without accent, else the number of vowels after it.
int AccentType(std::string_view candidate);
// The class a neighbour counts with: the class of its form without accents when the lists know that
// form, else the class of the form as written.
NeighbourClass NeighbourClassOf(std::string_view written, const AccentLexicon& lexicon);
// The value a neighbour token is counted with as a class: its class for a word, its own hash otherwise.
std::uint64_t NeighbourClassValue(const ContextToken& token, std::string_view lower, const AccentLexicon& lexicon);

} // namespace quirel

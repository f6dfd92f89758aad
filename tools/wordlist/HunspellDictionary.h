#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace quirel::wordlist {

// An affix flag: one character (the default and FLAG UTF-8), two characters (FLAG long) or a
// number (FLAG num).
using Flag = std::uint32_t;

// The condition of an affix rule: one element per character, checked against the start of the
// word (prefixes) or its end (suffixes).
struct AffixCondition {
    struct Element {
        bool any = false; // "."
        bool negated = false; // "[^...]"
        std::u32string chars; // "x" or the characters of "[...]"
        bool Matches(char32_t c) const;
    };
    std::vector<Element> elements;

    bool MatchesStart(std::u32string_view word) const;
    bool MatchesEnd(std::u32string_view word) const;
};

struct AffixRule {
    std::u32string strip;
    std::u32string add;
    std::vector<Flag> continuation; // classes that may follow this affix ("ción/S")
    AffixCondition condition;
};

struct AffixClass {
    Flag flag = 0;
    bool crossProduct = false;
    std::vector<AffixRule> rules;
};

struct DictionaryEntry {
    std::u32string word;
    std::vector<Flag> flags;
};

// A Hunspell dictionary (.aff + .dic) reduced to what generating its word forms needs: prefix and
// suffix classes with strip, add, condition and continuation classes, and the flagged stems.
// Other directives (TRY, REP, MAP, compounding) are ignored.
class HunspellDictionary {
public:
    // Parses the affix file's text (SET UTF-8 or ISO8859-1; FLAG UTF-8, long, num or the default).
    // Returns an error text, or an empty string on success.
    std::string ParseAffixes(std::string_view text);
    // Parses the dictionary file's text (count line, then word/flags per line) with the encoding and
    // flag style of the affix file parsed before.
    std::string ParseWords(std::string_view text);

    const std::map<Flag, AffixClass>& Prefixes() const { return m_prefixes; }
    const std::map<Flag, AffixClass>& Suffixes() const { return m_suffixes; }
    const std::vector<DictionaryEntry>& Entries() const { return m_entries; }

    // Flags written in the dictionary's flag style ("REIXD" → five flags with FLAG UTF-8).
    std::vector<Flag> ParseFlags(std::u32string_view text) const;
    std::u32string Decode(std::string_view text) const;

private:
    enum class FlagStyle { Char, Long, Number };
    enum class Encoding { Utf8, Latin1 };
    FlagStyle m_flagStyle = FlagStyle::Char;
    Encoding m_encoding = Encoding::Latin1;
    std::map<Flag, AffixClass> m_prefixes;
    std::map<Flag, AffixClass> m_suffixes;
    std::vector<DictionaryEntry> m_entries;
};

// Applies a suffix rule to word: the word must end with the rule's strip text, match its
// condition and keep at least one character after stripping. Returns false when it does not apply.
bool ApplySuffix(const AffixRule& rule, std::u32string_view word, std::u32string& out);
// The same for a prefix rule at the word's start.
bool ApplyPrefix(const AffixRule& rule, std::u32string_view word, std::u32string& out);

// Where a generated form comes from.
struct FormOrigin {
    // The form is a verb form: the stem of an entry with a verb flag (an infinitive), that stem
    // with a prefix, or a form made by a verb suffix (with or without a prefix).
    bool verb = false;
    // The form is the bare stem of an entry listed without flags (soy, como, dámelo).
    bool flatStem = false;
};

// Generates every form of every entry, the way Hunspell accepts them: the stem; each suffix rule
// that applies; each continuation suffix of those; each prefix rule; and, when both classes allow
// cross products, each prefix on each suffixed form (continuation suffixes included). A form may be
// reported more than once. verbFlags are the suffix classes that make verb forms.
void ExpandDictionary(const HunspellDictionary& dictionary, const std::vector<Flag>& verbFlags,
    const std::function<void(const std::u32string& form, FormOrigin origin)>& sink);

// Suffix classes that attach enclitic pronouns (me, te, se, nos, os, lo, la, los, las, le, les) to
// verbs (cantarla, dámelo): every rule asks for a stem ending in r and adds a verb ending followed
// by one to three pronouns.
std::vector<Flag> FindCliticClasses(const HunspellDictionary& dictionary);

} // namespace quirel::wordlist

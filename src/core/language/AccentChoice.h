#pragma once

#include "language/AccentContext.h"
#include "language/AccentModel.h"

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quirel {

// What the context step chose for one word: the written form (lower case; empty when the word stays),
// and whether the word as typed is one of its group's forms (else the lists do not know it).
struct AccentChoice {
    std::string_view form;
    bool typedIsWord = false;
};

// The context step of the accent pass: for a word whose form without accents has several written forms
// in the lists (esta/está, publico/público/publicó), the form its neighbours make clearly more likely.
class AccentChooser {
public:
    // lexicon and model must outlive the chooser.
    AccentChooser(const AccentLexicon& lexicon, const AccentModel& model);

    // The written form (lower case) that stream word i should take, or an empty view when it stays.
    // typed: the document text in lower case; fixed: the same with the accents the list rule gave; text:
    // the document text as written (for capitals). A typed word the lists know and that has no accent
    // takes another form only when it beats the typed form by a likelihood ratio of 4 (for the function
    // words mas que el esta aun como si se tu mi te de quien donde cuando cual cuanto porque and their
    // variants) or 32 (for any other word), or by one of five sure rules: an interrogative right after
    // ¿ (¿Qué?), el tu mi se before a closing sign (él, tú, mí, sé), de el and a el before a word in
    // small letters (de él), mas after lo el la los las es vez poco mucho cada no y que or before vale
    // valdría valiera valdrá (más), and a word ending in o between a subject (article or possessive and
    // a noun) and an object's article, when its form ending in ó is a verb not rare beside it (el niño
    // cantó una canción). A typed word the lists do not know takes the most likely of its forms. A word
    // with an accent stays as written, and so does a capitalised word that only the name lists know when
    // the training text holds no form of its group. The view lives as long as the chooser.
    AccentChoice Choose(const std::vector<ContextToken>& stream, std::size_t i, std::string_view typed,
        std::string_view fixed, std::string_view text);

private:
    struct Group {
        std::vector<std::string> candidates;
        std::vector<std::uint64_t> hashes;
        std::vector<std::uint64_t> types;
        std::vector<double> prior; // likelihood of each form without context
        std::uint64_t pattern = 0;
        double logRatio = 0; // how much the chosen form must beat the typed one, in log units
        bool seen = false; // the training text holds some form of the group
    };
    const Group* GroupOf(const ContextToken& token, std::string_view typed);
    Group MakeGroup(std::string_view stripped) const;
    int HandRule(const Group& group, const std::vector<ContextToken>& stream, std::size_t i, std::string_view typed,
        std::string_view fixed, std::string_view text) const;
    std::uint64_t ClassValue(const ContextToken& token, std::string_view fixed);
    void Score(const Group& group, const std::vector<ContextToken>& stream, std::size_t i, std::string_view fixed,
        std::vector<double>& scores);

    const AccentLexicon& m_lexicon;
    const AccentModel& m_model;
    std::deque<Group> m_groups; // the forms without accents met so far (a deque: pointers stay valid)
    std::vector<std::pair<std::uint64_t, std::int32_t>> m_groupSlots; // their hashes → index in m_groups
    std::vector<std::pair<std::uint64_t, std::uint64_t>> m_classSlots; // hash of a word → its class value
    std::size_t m_classCount = 0;
    std::vector<double> m_left;
    std::vector<double> m_right;
    std::vector<std::uint64_t> m_keys;
    std::vector<double> m_counts;
    std::vector<double> m_scores;
};

} // namespace quirel

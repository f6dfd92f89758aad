#pragma once

#include <string>
#include <unordered_set>
#include <vector>

namespace quirel::wordlist {

using WordSet = std::unordered_set<std::string>;

// Verb forms among the words a Spanish dictionary lists without affix flags (UTF-8, small letters):
// - the simple tenses of the irregular verbs ser, ir, estar, haber, dar, poder and andar that the
//   dictionary knows (knownForms);
// - flat infinitives (-ar, -er, -ir) with their regular forms that are listed flat too; an
//   infinitive counts when three regular forms or a form with a pronoun are listed, or when the
//   word has no plural (so it is not a noun such as "andar" or "poder" alone);
// - flat words made of a verb form and enclitic pronouns (dámelo, díselo, hazlo, vete, idos).
// verbForms are the verb forms already known from the affix flags. Returns the forms found that
// verbForms does not hold yet, sorted.
std::vector<std::string> FindFlatVerbForms(
    const std::vector<std::string>& flatWords, const WordSet& verbForms, const WordSet& knownForms);

// Splits word into a verb form of verbForms and one to three enclitic pronouns, the way Spanish
// writes them: the written accent the pronouns add is dropped (dámelo → da + me + lo), the s of
// -mos before nos and the d of -ad/-ed/-id before os are restored (vámonos, sentaos). A word
// without a written accent must rest on an infinitive or a one-syllable form (cantarlo, dime).
bool IsVerbWithEnclitics(const std::string& word, const WordSet& verbForms);

} // namespace quirel::wordlist

#include "language/AccentMarks.h"

#include "document/AcuteAccent.h"
#include "document/CasePattern.h"
#include "document/CharClass.h"
#include "document/Cp1252.h"
#include "document/Tokenize.h"
#include "io/Ports.h"
#include "language/AccentChoice.h"
#include "language/AccentModel.h"
#include "language/LanguageMessages.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace quirel {
namespace {

// The context step lets events run once for this many words and signs.
constexpr std::size_t kContextPumpInterval = 512;

// How a changed word takes the case of the word it replaces.
enum class CaseRule {
    WordPattern, // the case pattern of the whole word (a mixed-case word comes back in small letters)
    EachLetter, // every letter keeps its own case
};

struct AccentChange {
    std::uint32_t token;
    std::uint32_t start; // the replaced bytes of the text
    std::uint32_t length;
    std::string form; // lower case
    CaseRule caseRule;
};

// A capitalised word that is an English name (Paul, Max), or that stands inside a sentence (Londres),
// keeps its spelling, unless the training text only ever wrote it with the accent the list rule gives
// it (Simón, Ángel).
bool IsKeptName(std::string_view word, std::string_view lower, std::string_view accented, bool insideSentence,
    const AccentModel& model)
{
    if (CasePattern(word) != CasePatternKind::Capitalized) return false;
    if (!insideSentence && model.Count(AccentKey(AccentFeature::EnglishName, AccentWordHash(lower))) == 0) return false;
    return model.Count(AccentKey(AccentFeature::CapitalisedUse, AccentWordHash(accented))) == 0
        || model.Count(AccentKey(AccentFeature::CapitalisedUse, AccentWordHash(lower))) > 0;
}

// True when a sign or line end lets a capital after it begin a sentence (or a quotation, a title).
bool OpensSentence(unsigned char sign)
{
    return std::string_view(".?!\xBF\xA1:\"(\x93\xAB\r\n\x85").find(static_cast<char>(sign)) != std::string_view::npos;
}

// The written form of one change in the case of the bytes it replaces.
std::string CasedForm(std::string_view original, const AccentChange& change)
{
    if (change.caseRule == CaseRule::WordPattern) return RestoreCase(change.form, CasePattern(original));
    std::string out(original);
    for (std::size_t k = 0; k < out.size() && k < change.form.size(); ++k) {
        const auto was = static_cast<unsigned char>(original[k]);
        if (ToLowerByte(was) == static_cast<unsigned char>(change.form[k])) continue;
        const auto now = static_cast<unsigned char>(change.form[k]);
        out[k] = static_cast<char>(ToLowerByte(was) != was ? ToUpperByte(now) : now);
    }
    return out;
}

// A determiner or possessive never stands before a finite verb: el and tu followed by a word that the
// lists know only as a verb form (and not as an infinitive, gerund or participle), once the other
// choices are made, are the pronouns él and tú (el está → él está). Adds those changes to chosen, in
// text order.
void AddPronounsBeforeVerbs(const std::vector<ContextToken>& stream, std::string_view typed, std::string_view fixed,
    const AccentLexicon& lexicon, const std::vector<AccentChange>& listChanges, std::vector<AccentChange>& chosen)
{
    std::string decided(fixed);
    for (const std::vector<AccentChange>* list :
        std::initializer_list<const std::vector<AccentChange>*> { &listChanges, &chosen }) {
        for (const AccentChange& change : *list)
            decided.replace(change.start, change.length, change.form);
    }
    std::vector<AccentChange> added;
    std::size_t next = 0; // the first change of chosen at or after the current word
    for (std::size_t i = 2; i + 2 < stream.size(); ++i) {
        const ContextToken& token = stream[i];
        const ContextToken& after = stream[i + 1];
        if (token.length != 2 || after.length == 0) continue;
        while (next < chosen.size() && chosen[next].token < token.token)
            ++next;
        if (next < chosen.size() && chosen[next].token == token.token) continue;
        const std::string_view word = typed.substr(token.start, token.length);
        const char* pronoun = word == "el" ? "\xE9l" : word == "tu" ? "t\xFA" : nullptr;
        if (!pronoun || !lexicon.isKnown(pronoun)
            || ClassOfWord(std::string_view(decided).substr(after.start, after.length), lexicon)
                != NeighbourClass::Verb)
            continue;
        added.push_back({ token.token, token.start, token.length, pronoun, CaseRule::EachLetter });
    }
    std::vector<AccentChange> merged;
    merged.reserve(chosen.size() + added.size());
    std::merge(std::make_move_iterator(chosen.begin()), std::make_move_iterator(chosen.end()),
        std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()), std::back_inserter(merged),
        [](const AccentChange& a, const AccentChange& b) { return a.token < b.token; });
    chosen = std::move(merged);
}

// The context step over the words of the text; its choices replace or join the list rule's changes.
void ChooseByContext(std::string_view text, std::string_view typed, std::string_view fixed,
    const std::vector<Token>& tokens, const std::vector<bool>& listChanged, const AccentLexicon& lexicon,
    const AccentModel& model, EventPump* pump, std::vector<AccentChange>& changes)
{
    const std::vector<ContextToken> stream = BuildContextStream(typed, tokens);
    AccentChooser chooser(lexicon, model);
    std::vector<AccentChange> chosen;
    std::size_t listIndex = 0;
    for (std::size_t i = 2; i + 2 < stream.size(); ++i) {
        const ContextToken& token = stream[i];
        if (token.length == 0 || tokens[token.token].length > kTokenFieldWidth) continue;
        if (pump && i % kContextPumpInterval == 0) pump->ProcessPendingEvents();
        const AccentChoice choice = chooser.Choose(stream, i, typed, fixed, text);
        if (choice.form.empty()) continue;
        if (choice.typedIsWord) {
            chosen.push_back(
                { token.token, token.start, token.length, std::string(choice.form), CaseRule::EachLetter });
        } else if (listChanged[token.token] && token.length == tokens[token.token].length) {
            while (changes[listIndex].token != token.token)
                ++listIndex;
            changes[listIndex].form = choice.form;
        }
    }
    AddPronounsBeforeVerbs(stream, typed, fixed, lexicon, changes, chosen);
    // Both lists are in text order and never change the same word.
    std::vector<AccentChange> merged;
    merged.reserve(changes.size() + chosen.size());
    std::merge(std::make_move_iterator(changes.begin()), std::make_move_iterator(changes.end()),
        std::make_move_iterator(chosen.begin()), std::make_move_iterator(chosen.end()), std::back_inserter(merged),
        [](const AccentChange& a, const AccentChange& b) { return a.token < b.token; });
    changes = std::move(merged);
}

// The text with the changes made, counted and reported.
AccentResult ApplyChanges(std::string_view text, const std::vector<AccentChange>& changes)
{
    AccentResult result;
    result.text.reserve(text.size());
    std::size_t copiedUpTo = 0; // text before this offset is already in the result
    for (const AccentChange& change : changes) {
        ++result.count;
        if (result.count <= kAccentReportLimit) {
            result.report += change.form;
            result.report += "\r\n";
        }
        // Signs, blanks, line ends, markers and unchanged words go over in one piece.
        result.text.append(text.substr(copiedUpTo, change.start - copiedUpTo));
        result.text += CasedForm(text.substr(change.start, change.length), change);
        copiedUpTo = change.start + change.length;
    }
    result.text.append(text.substr(copiedUpTo));
    return result;
}

} // namespace

std::string AccentWord(std::string_view word, const KnownWordTest& isKnown)
{
    std::string candidate(word);
    for (std::size_t p = 0; p < candidate.size(); ++p) {
        const unsigned char vowel = static_cast<unsigned char>(candidate[p]);
        const unsigned char accented = WithAcuteAccent(vowel);
        if (accented == 0) continue;
        candidate[p] = static_cast<char>(accented);
        if (isKnown(candidate)) return candidate;
        candidate[p] = static_cast<char>(vowel);
    }
    return candidate;
}

AccentResult AccentDocument(
    std::string_view text, const std::vector<Token>& tokens, const KnownWordTest& isKnown, EventPump* pump)
{
    return AccentDocument(text, tokens, AccentLexicon { isKnown, {}, {}, {} }, nullptr, pump);
}

AccentResult AccentDocument(std::string_view text, const std::vector<Token>& tokens, const AccentLexicon& lexicon,
    const AccentModel* model, EventPump* pump)
{
    const bool withContext = model && !model->Empty();
    // The text in small letters, and the same with the list rule's accents: both keep the text's offsets.
    const std::string typed = ToLower(text);
    std::string fixed = withContext ? typed : std::string();

    std::vector<AccentChange> changes;
    std::vector<bool> listChanged(withContext ? tokens.size() : 0);
    bool atSentenceStart = true;
    for (std::uint32_t index = 0; index < tokens.size(); ++index) {
        const Token& token = tokens[index];
        const std::string_view word = text.substr(token.start, token.length);
        const auto first = static_cast<unsigned char>(word.front());
        const bool insideSentence = !atSentenceStart;
        if (ClassifyByte(first) != CharClass::Blank)
            atSentenceStart = ClassifyByte(first) == CharClass::Sign && OpensSentence(first);
        if (ClassifyByte(first) != CharClass::Word || word.size() > kTokenFieldWidth) continue;
        const std::string_view lower = std::string_view(typed).substr(token.start, token.length);
        if (lexicon.isKnown(lower)) continue;
        std::string accented = AccentWord(lower, lexicon.isKnown);
        if (pump) pump->ProcessPendingEvents();
        if (accented == lower || (withContext && IsKeptName(word, lower, accented, insideSentence, *model))) continue;
        if (withContext) {
            fixed.replace(token.start, token.length, accented);
            listChanged[index] = true;
        }
        changes.push_back({ index, token.start, token.length, std::move(accented), CaseRule::WordPattern });
    }
    if (withContext) ChooseByContext(text, typed, fixed, tokens, listChanged, lexicon, *model, pump, changes);
    return ApplyChanges(text, changes);
}

std::string AccentMessage(const AccentResult& result)
{
    std::string message = std::string(kFoundHead) + std::to_string(result.count) + std::string(kAccentedWordsTail);
    if (result.count > 0) message += "\r\n" + result.report;
    return message;
}

} // namespace quirel

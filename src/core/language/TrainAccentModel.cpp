#include "language/TrainAccentModel.h"

#include "document/CasePattern.h"
#include "document/CharClass.h"
#include "document/Cp1252.h"
#include "document/TextLines.h"
#include "document/Tokenize.h"
#include "language/AccentContext.h"
#include "language/WordListViews.h"
#include "language/WordLists.h"

#include <algorithm>
#include <limits>
#include <unordered_set>

namespace quirel {
namespace {

// Appends to kept, each followed by LF, the clean paragraphs of text that are not in seen yet, and
// adds them to seen. Returns how many were kept.
std::size_t KeepCleanParagraphs(
    std::string_view text, const WordLists& lists, std::unordered_set<std::string>& seen, std::string& kept)
{
    std::size_t count = 0;
    ForEachLine(text, [&](std::string_view paragraph) {
        if (!IsCleanParagraph(paragraph, lists) || !seen.emplace(paragraph).second) return;
        kept += paragraph;
        kept += '\n';
        ++count;
    });
    return count;
}

} // namespace

bool IsCleanParagraph(std::string_view paragraph, const WordLists& lists)
{
    std::size_t words = 0;
    std::size_t known = 0;
    std::string lower;
    for (const Token& token : Tokenize(paragraph, std::numeric_limits<std::size_t>::max())) {
        std::string_view word = paragraph.substr(token.start, token.length);
        if (ClassifyByte(static_cast<unsigned char>(word.front())) != CharClass::Word) continue;
        while (!word.empty() && IsWordEdge(static_cast<unsigned char>(word.front())))
            word.remove_prefix(1);
        while (!word.empty() && IsWordEdge(static_cast<unsigned char>(word.back())))
            word.remove_suffix(1);
        if (word.empty() || std::any_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        lower = ToLower(word);
        ++words;
        known += lists.IsKnownWord(lower) ? 1 : 0;
    }
    return words >= 4 && known * 100 >= words * 85;
}

AccentTraining TrainAccentModel(const WordLists& lists, const AccentTrainingInput& input)
{
    AccentTraining training;
    AccentTrainingReport& report = training.report;
    const AccentLexicon lexicon = AccentLexiconOf(lists);
    AccentCounter counter(lexicon);
    std::unordered_set<std::string> seen;
    for (const std::string& text : input.texts) {
        std::string kept;
        report.paragraphs += KeepCleanParagraphs(text, lists, seen, kept);
        report.bytes += kept.size();
        counter.CountText(kept);
    }
    for (const WordListId id :
        { WordListId::Diccionario, WordListId::Verbos, WordListId::NPropios, WordListId::Apellidos }) {
        const WordList& list = lists.List(id);
        for (std::size_t i = 1; i <= list.Size(); ++i)
            counter.AddGroupOf(list.Entry(i));
    }
    ForEachLine(input.englishWords, [&](std::string_view word) {
        if (!IsCapitalInitial(word) || CasePattern(word) != CasePatternKind::Capitalized) return;
        const std::string lower = ToLower(word);
        if (!lexicon.isCommon(lower) && !lexicon.isVerb(lower)) counter.AddEnglishName(lower);
    });
    training.model = AccentModel::FromCounts(counter.Counts());
    report.countedWords = counter.CountedWords();
    report.entries = training.model.Entries();
    report.modelBytes = training.model.Bytes();

    for (const std::string& text : input.heldOutTexts) {
        ForEachLine(text, [&](std::string_view paragraph) {
            if (IsCleanParagraph(paragraph, lists) && seen.emplace(paragraph).second)
                report.heldOut.emplace_back(paragraph);
        });
    }
    return training;
}

} // namespace quirel

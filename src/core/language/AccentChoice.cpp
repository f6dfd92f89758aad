#include "language/AccentChoice.h"

#include "document/CasePattern.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace quirel {
namespace {

// How much the context may move a form's likelihood away from the one before it: more weight on the
// prior for contexts seen only a few times.
constexpr double kBeta = 2.0;
constexpr double kFunctionWordRatio = 4.0;
constexpr double kOtherWordRatio = 32.0;

// Groups whose forms differ in use rather than in meaning: a lower ratio is enough for them.
constexpr std::array<std::string_view, 26> kFunctionWords = { "mas", "que", "el", "esta", "estas", "este", "aun",
    "como", "si", "se", "tu", "mi", "te", "de", "quien", "quienes", "donde", "adonde", "cuando", "cual", "cuales",
    "cuanto", "cuanta", "cuantos", "cuantas", "porque" };

constexpr std::array<std::string_view, 13> kInterrogatives = { "que", "como", "donde", "adonde", "cuando", "quien",
    "quienes", "cual", "cuales", "cuanto", "cuanta", "cuantos", "cuantas" };

template <std::size_t N> bool IsOneOf(std::string_view word, const std::array<std::string_view, N>& words)
{
    return std::find(words.begin(), words.end(), word) != words.end();
}

// The hashes of a few words or signs, to compare with the stream's.
struct HashSet {
    std::vector<std::uint64_t> hashes;
    HashSet(std::initializer_list<std::string_view> words)
    {
        for (const std::string_view word : words)
            hashes.push_back(AccentWordHash(word));
    }
    bool Has(std::uint64_t hash) const { return std::find(hashes.begin(), hashes.end(), hash) != hashes.end(); }
};

const HashSet kQuestion { "\xBF" };
const HashSet kPor { "por" };
const HashSet kClosers { ".", ",", ";", ":", "?", "!", ")", "</s>" };
const HashSet kDeA { "de", "a" };
const HashSet kBeforeMas { "lo", "el", "la", "los", "las", "es", "vez", "poco", "mucho", "cada", "no", "y", "que" };

bool HasAccent(std::string_view word)
{
    return std::any_of(word.begin(), word.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b == 0xE1 || b == 0xE9 || b == 0xED || b == 0xF3 || b == 0xFA;
    });
}

// The one form of the group with an accent, -1 when there are none or several.
int OnlyAccentedForm(const std::vector<std::string>& candidates)
{
    int found = -1;
    for (std::size_t k = 0; k < candidates.size(); ++k) {
        if (!HasAccent(candidates[k])) continue;
        if (found >= 0) return -1;
        found = static_cast<int>(k);
    }
    return found;
}

} // namespace

AccentChooser::AccentChooser(const AccentLexicon& lexicon, const AccentModel& model)
    : m_lexicon(lexicon)
    , m_model(model)
{
}

AccentChooser::Group AccentChooser::MakeGroup(std::string_view stripped) const
{
    Group group;
    group.candidates = AccentCandidates(stripped, m_lexicon.isKnown);
    const std::size_t k = group.candidates.size();
    group.pattern = AccentPatternHash(group.candidates);
    group.logRatio = std::log(IsOneOf(stripped, kFunctionWords) ? kFunctionWordRatio : kOtherWordRatio);
    std::vector<double> counts(k);
    std::vector<double> pooled(k);
    double total = 0;
    double pooledTotal = 0;
    for (std::size_t j = 0; j < k; ++j) {
        group.hashes.push_back(AccentWordHash(group.candidates[j]));
        group.types.push_back(static_cast<std::uint64_t>(AccentType(group.candidates[j]) + 1));
        counts[j] = m_model.Count(AccentKey(AccentFeature::Unigram, group.hashes[j]));
        pooled[j] = m_model.Count(AccentKey(AccentFeature::PatternUnigram, group.pattern, group.types[j]));
        total += counts[j];
        pooledTotal += pooled[j];
    }
    group.seen = total > 0;
    for (std::size_t j = 0; j < k; ++j) {
        const double pooledPrior = (pooled[j] + 1) / (pooledTotal + static_cast<double>(k));
        group.prior.push_back((counts[j] + kBeta * pooledPrior) / (total + kBeta));
    }
    return group;
}

const AccentChooser::Group* AccentChooser::GroupOf(const ContextToken& token, std::string_view typed)
{
    auto found = m_groups.find(token.context);
    if (found == m_groups.end()) {
        Group group;
        if (m_model.Count(AccentKey(AccentFeature::Group, token.context)) > 0) group = MakeGroup(typed);
        found = m_groups.emplace(token.context, std::move(group)).first;
    }
    return found->second.candidates.size() >= 2 ? &found->second : nullptr;
}

int AccentChooser::HandRule(const Group& group, const std::vector<ContextToken>& stream, std::size_t i,
    std::string_view typed, std::string_view text) const
{
    const int accented = OnlyAccentedForm(group.candidates);
    if (accented < 0) return -1;
    const std::uint64_t left1 = stream[i - 1].context;
    const std::uint64_t right1 = stream[i + 1].context;
    const bool afterQuestion
        = kQuestion.Has(left1) || (typed == "que" && kPor.Has(left1) && kQuestion.Has(stream[i - 2].context));
    if (IsOneOf(typed, kInterrogatives) && afterQuestion) return accented;
    if ((typed == "el" || typed == "tu" || typed == "mi" || typed == "se")
        && kClosers.Has(right1))
        return accented;
    if (typed == "el" && kDeA.Has(left1)) {
        const ContextToken& next = stream[i + 1];
        if (next.length == 0 || !IsCapitalInitial(text.substr(next.start, next.length))) return accented;
    }
    if (typed == "mas" && kBeforeMas.Has(left1)) return accented;
    return -1;
}

void AccentChooser::Score(const Group& group, const std::vector<ContextToken>& stream, std::size_t i,
    std::string_view fixed, std::vector<double>& scores)
{
    const std::size_t k = group.candidates.size();
    m_counts.resize(k);
    // One step of a chain: the counts of the candidates in one context move the likelihoods towards
    // their shares there, the more so the more often the context was seen. False when it was never seen.
    auto step = [&](std::vector<double>& likelihood, auto keyOf) {
        double total = 0;
        for (std::size_t j = 0; j < k; ++j) {
            m_counts[j] = m_model.Count(keyOf(j));
            total += m_counts[j];
        }
        if (total == 0) return false;
        for (std::size_t j = 0; j < k; ++j)
            likelihood[j] = (m_counts[j] + kBeta * likelihood[j]) / (total + kBeta);
        return true;
    };
    auto chain = [&](std::vector<double>& likelihood, std::size_t near, std::size_t far, AccentFeature pooled,
                     AccentFeature wordClass, AccentFeature one, AccentFeature two, bool left) {
        likelihood = group.prior;
        const std::uint64_t nearContext = stream[near].context;
        step(likelihood, [&](std::size_t j) { return AccentKey(pooled, group.pattern, nearContext, group.types[j]); });
        if (!group.seen) return;
        const std::uint64_t classValue = NeighbourClassValue(stream[near], fixed, m_lexicon);
        step(likelihood, [&](std::size_t j) { return AccentKey(wordClass, group.hashes[j], classValue); });
        if (!step(likelihood, [&](std::size_t j) { return AccentKey(one, group.hashes[j], nearContext); })) return;
        const std::uint64_t a = left ? stream[far].context : nearContext;
        const std::uint64_t b = left ? nearContext : stream[far].context;
        step(likelihood, [&](std::size_t j) { return AccentKey(two, group.hashes[j], a, b); });
    };
    chain(m_left, i - 1, i - 2, AccentFeature::PatternLeft1, AccentFeature::LeftClass, AccentFeature::Left1,
        AccentFeature::Left2, true);
    chain(m_right, i + 1, i + 2, AccentFeature::PatternRight1, AccentFeature::RightClass, AccentFeature::Right1,
        AccentFeature::Right2, false);
    scores.resize(k);
    for (std::size_t j = 0; j < k; ++j)
        scores[j] = std::log(m_left[j]) + std::log(m_right[j]) - std::log(group.prior[j]);
}

AccentChoice AccentChooser::Choose(const std::vector<ContextToken>& stream, std::size_t i, std::string_view typed,
    std::string_view fixed, std::string_view text)
{
    const ContextToken& token = stream[i];
    const std::string_view word = typed.substr(token.start, token.length);
    if (HasAccent(word)) return {};
    const Group* group = GroupOf(token, word);
    if (!group) return {};
    const auto typedAt = std::find(group->candidates.begin(), group->candidates.end(), word);
    const bool known = typedAt != group->candidates.end();
    // A capitalised name stays a name.
    if (known && IsCapitalInitial(text.substr(token.start, token.length)) && m_lexicon.isName && m_lexicon.isName(word)
        && !(m_lexicon.isCommon && m_lexicon.isCommon(word)) && !(m_lexicon.isVerb && m_lexicon.isVerb(word)))
        return {};
    if (known) {
        if (const int rule = HandRule(*group, stream, i, word, text); rule >= 0) return { group->candidates[rule], true };
    }
    std::vector<double>& scores = m_scores;
    Score(*group, stream, i, fixed, scores);
    const auto best = static_cast<std::size_t>(std::max_element(scores.begin(), scores.end()) - scores.begin());
    if (!known) return { group->candidates[best], false };
    const auto typedIndex = static_cast<std::size_t>(typedAt - group->candidates.begin());
    if (best == typedIndex || scores[best] - scores[typedIndex] <= group->logRatio) return { {}, true };
    return { group->candidates[best], true };
}

} // namespace quirel

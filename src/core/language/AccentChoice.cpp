#include "language/AccentChoice.h"

#include "document/AcuteAccent.h"
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
// The past form must not be rare beside the typed one (segundo/segundó, bajo/bajó): at most this
// many times less likely without context.
constexpr double kPastShare = 20.0;

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
// Words that open a noun phrase: after one of them and a noun, a word of the group canto/cantó is
// the verb of that subject; before one of them, it takes an object.
const HashSet kSubjectOpeners { "el", "la", "un", "una", "este", "esta", "ese", "esa", "aquel", "aquella", "mi", "tu",
    "su", "nuestro", "nuestra" };
const HashSet kObjectOpeners { "el", "la", "los", "las", "un", "una", "unos", "unas", "su", "sus", "mi", "mis", "tu",
    "tus", "este", "esta", "estos", "estas", "ese", "esa", "esos", "esas", "aquel", "aquella" };
// "más vale" and its tenses: the conjunction mas is never followed by them.
const HashSet kAfterMas { "vale", "valdr\xED\x61", "valiera", "valdr\xE1" }; // valdría valdrá

// The one form of the group with an accent, -1 when there are none or several.
int OnlyAccentedForm(const std::vector<std::string>& candidates)
{
    int found = -1;
    for (std::size_t k = 0; k < candidates.size(); ++k) {
        if (!HasAcuteAccent(candidates[k])) continue;
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
    // Every word of the text comes here: a small open-addressing table of the forms met so far.
    if (m_groupSlots.empty()) m_groupSlots.assign(1024, { 0, -1 });
    std::size_t mask = m_groupSlots.size() - 1;
    std::size_t at = token.context & mask;
    while (m_groupSlots[at].second >= 0 && m_groupSlots[at].first != token.context)
        at = (at + 1) & mask;
    if (m_groupSlots[at].second < 0) {
        Group group;
        if (m_model.Count(AccentKey(AccentFeature::Group, token.context)) > 0) group = MakeGroup(typed);
        m_groups.push_back(std::move(group));
        m_groupSlots[at] = { token.context, static_cast<std::int32_t>(m_groups.size() - 1) };
        if (m_groups.size() * 2 > m_groupSlots.size()) {
            std::vector<std::pair<std::uint64_t, std::int32_t>> old(m_groupSlots.size() * 2, { 0, -1 });
            old.swap(m_groupSlots);
            mask = m_groupSlots.size() - 1;
            for (const auto& slot : old) {
                if (slot.second < 0) continue;
                std::size_t to = slot.first & mask;
                while (m_groupSlots[to].second >= 0)
                    to = (to + 1) & mask;
                m_groupSlots[to] = slot;
            }
        }
        const Group& added = m_groups.back();
        return added.candidates.size() >= 2 ? &added : nullptr;
    }
    const Group& found = m_groups[static_cast<std::size_t>(m_groupSlots[at].second)];
    return found.candidates.size() >= 2 ? &found : nullptr;
}

int AccentChooser::HandRule(const Group& group, const std::vector<ContextToken>& stream, std::size_t i,
    std::string_view typed, std::string_view fixed, std::string_view text) const
{
    // "El niño canto una canción": a noun after an article or a possessive is the subject, and the
    // word between it and the object's article is its verb in the past (cantó), not a second noun.
    if (typed.size() >= 3 && typed.back() == 'o' && i >= 2 && kSubjectOpeners.Has(stream[i - 2].context)
        && kObjectOpeners.Has(stream[i + 1].context) && stream[i - 1].length > 0) {
        const std::string_view noun = fixed.substr(stream[i - 1].start, stream[i - 1].length);
        std::string past(typed);
        past.back() = '\xF3';
        const auto verb = std::find(group.candidates.begin(), group.candidates.end(), past);
        const auto typedAt = std::find(group.candidates.begin(), group.candidates.end(), typed);
        if (verb != group.candidates.end() && typedAt != group.candidates.end()
            && group.prior[static_cast<std::size_t>(verb - group.candidates.begin())] * kPastShare
                >= group.prior[static_cast<std::size_t>(typedAt - group.candidates.begin())]
            && !noun.ends_with("mente") && m_lexicon.isVerb && m_lexicon.isVerb(past) && m_lexicon.isCommon
            && m_lexicon.isCommon(noun) && !(m_lexicon.isVerb(noun)))
            return static_cast<int>(verb - group.candidates.begin());
    }

    const int accented = OnlyAccentedForm(group.candidates);
    if (accented < 0) return -1;
    const std::uint64_t left1 = stream[i - 1].context;
    const std::uint64_t right1 = stream[i + 1].context;
    const bool afterQuestion
        = kQuestion.Has(left1) || (typed == "que" && kPor.Has(left1) && kQuestion.Has(stream[i - 2].context));
    if (IsOneOf(typed, kInterrogatives) && afterQuestion) return accented;
    if ((typed == "el" || typed == "tu" || typed == "mi" || typed == "se") && kClosers.Has(right1)) return accented;
    if (typed == "el" && kDeA.Has(left1)) {
        const ContextToken& next = stream[i + 1];
        if (next.length == 0 || !IsCapitalInitial(text.substr(next.start, next.length))) return accented;
    }
    if (typed == "mas" && (kBeforeMas.Has(left1) || kAfterMas.Has(right1))) return accented;
    return -1;
}

std::uint64_t AccentChooser::ClassValue(const ContextToken& token, std::string_view fixed)
{
    if (token.length == 0) return token.context;
    // A text repeats its words: each one's class is looked up in the lists once, then kept in a small
    // open-addressing table (hash → class; 0 is a free slot).
    const std::string_view word = fixed.substr(token.start, token.length);
    const std::uint64_t hash = AccentWordHash(word) | 1;
    if (m_classSlots.empty()) m_classSlots.assign(4096, { 0, 0 });
    std::size_t mask = m_classSlots.size() - 1;
    std::size_t at = hash & mask;
    while (m_classSlots[at].first != 0 && m_classSlots[at].first != hash)
        at = (at + 1) & mask;
    if (m_classSlots[at].first == hash) return m_classSlots[at].second;
    const std::uint64_t value = NeighbourClassValue(token, fixed, m_lexicon);
    m_classSlots[at] = { hash, value };
    if (++m_classCount * 2 > m_classSlots.size()) {
        std::vector<std::pair<std::uint64_t, std::uint64_t>> old(m_classSlots.size() * 2, { 0, 0 });
        old.swap(m_classSlots);
        mask = m_classSlots.size() - 1;
        for (const auto& slot : old) {
            if (slot.first == 0) continue;
            std::size_t to = slot.first & mask;
            while (m_classSlots[to].first != 0)
                to = (to + 1) & mask;
            m_classSlots[to] = slot;
        }
    }
    return value;
}

void AccentChooser::Score(const Group& group, const std::vector<ContextToken>& stream, std::size_t i,
    std::string_view fixed, std::vector<double>& scores)
{
    const std::size_t k = group.candidates.size();
    // Every count the two chains may read, asked for at once: the table is larger than the processor's
    // caches, and fetching the slots together hides most of the wait for memory.
    const std::size_t steps = group.seen ? 4 : 1;
    m_keys.resize(2 * steps * k);
    for (int side = 0; side < 2; ++side) {
        const bool left = side == 0;
        const std::uint64_t near = stream[left ? i - 1 : i + 1].context;
        const std::uint64_t far = stream[left ? i - 2 : i + 2].context;
        std::uint64_t* keys = m_keys.data() + static_cast<std::size_t>(side) * steps * k;
        const std::uint64_t classValue = group.seen ? ClassValue(stream[left ? i - 1 : i + 1], fixed) : 0;
        for (std::size_t j = 0; j < k; ++j) {
            keys[j] = AccentKey(
                left ? AccentFeature::PatternLeft1 : AccentFeature::PatternRight1, group.pattern, near, group.types[j]);
            if (!group.seen) continue;
            keys[k + j]
                = AccentKey(left ? AccentFeature::LeftClass : AccentFeature::RightClass, group.hashes[j], classValue);
            keys[2 * k + j] = AccentKey(left ? AccentFeature::Left1 : AccentFeature::Right1, group.hashes[j], near);
            keys[3 * k + j] = left ? AccentKey(AccentFeature::Left2, group.hashes[j], far, near)
                                   : AccentKey(AccentFeature::Right2, group.hashes[j], near, far);
        }
    }
    for (const std::uint64_t key : m_keys)
        m_model.Prefetch(key);
    m_counts.resize(m_keys.size());
    for (std::size_t n = 0; n < m_keys.size(); ++n)
        m_counts[n] = m_model.Count(m_keys[n]);

    // Each chain goes from the likelihood without context through the pooled neighbour, the neighbour's
    // class, the neighbour and the two neighbours; at each step the counts of the candidates in that
    // context move the likelihoods towards their shares there, the more so the more often the context
    // was seen. A context never seen ends the chain.
    for (int side = 0; side < 2; ++side) {
        std::vector<double>& likelihood = side == 0 ? m_left : m_right;
        likelihood = group.prior;
        const double* counts = m_counts.data() + static_cast<std::size_t>(side) * steps * k;
        for (std::size_t step = 0; step < steps; ++step, counts += k) {
            double total = 0;
            for (std::size_t j = 0; j < k; ++j)
                total += counts[j];
            if (total == 0) {
                if (step >= 2) break; // the two neighbours are never seen when the near one is not
                continue;
            }
            for (std::size_t j = 0; j < k; ++j)
                likelihood[j] = (counts[j] + kBeta * likelihood[j]) / (total + kBeta);
        }
    }
    scores.resize(k);
    for (std::size_t j = 0; j < k; ++j)
        scores[j] = std::log(m_left[j]) + std::log(m_right[j]) - std::log(group.prior[j]);
}

AccentChoice AccentChooser::Choose(const std::vector<ContextToken>& stream, std::size_t i, std::string_view typed,
    std::string_view fixed, std::string_view text)
{
    const ContextToken& token = stream[i];
    const std::string_view word = typed.substr(token.start, token.length);
    if (HasAcuteAccent(word)) return {};
    const Group* group = GroupOf(token, word);
    if (!group) return {};
    const auto typedAt = std::find(group->candidates.begin(), group->candidates.end(), word);
    const bool known = typedAt != group->candidates.end();
    // A capitalised name stays a name, unless the training text shows how the group is written.
    if (known && !group->seen && IsCapitalInitial(text.substr(token.start, token.length)) && m_lexicon.isName
        && m_lexicon.isName(word) && !(m_lexicon.isCommon && m_lexicon.isCommon(word))
        && !(m_lexicon.isVerb && m_lexicon.isVerb(word)))
        return {};
    if (known) {
        if (const int rule = HandRule(*group, stream, i, word, fixed, text); rule >= 0)
            return { group->candidates[rule], true };
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

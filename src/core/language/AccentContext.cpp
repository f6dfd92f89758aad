#include "language/AccentContext.h"

#include "document/AcuteAccent.h"
#include "document/CasePattern.h"
#include "document/CharClass.h"
#include "document/Cp1252.h"
#include "document/Tokenize.h"

#include <algorithm>
#include <array>
#include <limits>

namespace quirel {
namespace {

// Forms of the older spelling (accents on demonstratives and on sólo) and a common misspelling: they
// never count as written forms of their group.
constexpr std::array<std::string_view, 14> kExcludedForms = {
    "s\xF3lo",
    "\xE9ste",
    "\xE9sta",
    "\xE9stos",
    "\xE9stas",
    "\xE9se",
    "\xE9sa",
    "\xE9sos",
    "\xE9sas",
    "aqu\xE9l",
    "aqu\xE9lla",
    "aqu\xE9llos",
    "aqu\xE9llas",
    "t\xED",
};

// A small vowel, with or without an acute accent, or ü.
bool IsVowel(unsigned char c)
{
    return WithAcuteAccent(WithoutAcuteAccent(c)) != 0 || c == 0xFC;
}

bool Test(const KnownWordTest& test, std::string_view word)
{
    return test && test(word);
}

// The stream form of a sign, empty for a sign the context step leaves out.
std::string_view SignForm(unsigned char c)
{
    switch (c) {
    case 0xBF:
        return "\xBF";
    case 0xA1:
        return "\xA1";
    case '?':
        return "?";
    case '!':
        return "!";
    case '.':
    case 0x85: // …
        return ".";
    case ',':
        return ",";
    case ';':
        return ";";
    case ':':
        return ":";
    case '"':
    case 0xAB: // «
    case 0xBB: // »
    case 0x93: // “
    case 0x94: // ”
        return "\"";
    case '(':
        return "(";
    case ')':
        return ")";
    default:
        return {};
    }
}

const std::uint64_t kStartHash = AccentWordHash("<s>");
const std::uint64_t kEndHash = AccentWordHash("</s>");
const std::uint64_t kNumberHash = AccentWordHash("<num>");

void OpenParagraph(std::vector<ContextToken>& stream)
{
    stream.push_back({ kStartHash, 0, 0, 0 });
    stream.push_back({ kStartHash, 0, 0, 0 });
}

void CloseParagraph(std::vector<ContextToken>& stream)
{
    stream.push_back({ kEndHash, 0, 0, 0 });
    stream.push_back({ kEndHash, 0, 0, 0 });
}

} // namespace

bool IsWordEdge(unsigned char c)
{
    return c == '-' || c == 0x96 || c == 0x97 || c == '\'';
}

std::vector<std::string> AccentCandidates(std::string_view stripped, const KnownWordTest& isKnown)
{
    std::vector<std::string> candidates;
    if (Test(isKnown, stripped)) candidates.emplace_back(stripped);
    std::string variant(stripped);
    for (std::size_t p = 0; p < variant.size(); ++p) {
        const unsigned char vowel = static_cast<unsigned char>(variant[p]);
        const unsigned char accented = WithAcuteAccent(vowel);
        if (accented == 0) continue;
        variant[p] = static_cast<char>(accented);
        if (std::find(kExcludedForms.begin(), kExcludedForms.end(), variant) == kExcludedForms.end()
            && Test(isKnown, variant))
            candidates.push_back(variant);
        variant[p] = static_cast<char>(vowel);
    }
    return candidates;
}

int AccentType(std::string_view candidate)
{
    int vowelsAfter = -1;
    for (const char c : candidate) {
        const auto byte = static_cast<unsigned char>(c);
        if (vowelsAfter >= 0 && IsVowel(byte)) ++vowelsAfter;
        if (HasAcuteAccent(byte)) vowelsAfter = 0;
    }
    return vowelsAfter;
}

std::uint64_t AccentPatternHash(const std::vector<std::string>& candidates)
{
    std::vector<int> types;
    for (const std::string& candidate : candidates)
        types.push_back(AccentType(candidate));
    std::sort(types.begin(), types.end());
    std::string pattern;
    for (const int type : types)
        pattern += type < 0 ? 'U' : static_cast<char>('0' + std::min(type, 9));
    pattern += '|';
    if (!candidates.empty() && !candidates.front().empty()) pattern += WithoutAcuteAccent(candidates.front().back());
    return AccentWordHash(pattern);
}

NeighbourClass ClassOfWord(std::string_view lower, const AccentLexicon& lexicon)
{
    if (!Test(lexicon.isKnown, lower)) return NeighbourClass::Unknown;
    if (Test(lexicon.isVerb, lower)) {
        if (lower.ends_with("ndo")) return NeighbourClass::Gerund;
        for (const std::string_view ending : { "ado", "ido", "ada", "ida", "ados", "idos", "adas", "idas" })
            if (lower.ends_with(ending)) return NeighbourClass::Participle;
        for (const std::string_view ending : { "ar", "er", "ir", "\xEDr" })
            if (lower.ends_with(ending)) return NeighbourClass::Infinitive;
        return NeighbourClass::Verb;
    }
    if (Test(lexicon.isCommon, lower)) return lower.ends_with("mente") ? NeighbourClass::Adverb : NeighbourClass::Other;
    return Test(lexicon.isName, lower) ? NeighbourClass::Name : NeighbourClass::Other;
}

NeighbourClass NeighbourClassOf(std::string_view written, const AccentLexicon& lexicon)
{
    const std::string stripped = StripAcuteAccents(written);
    return ClassOfWord(Test(lexicon.isKnown, stripped) ? std::string_view(stripped) : written, lexicon);
}

std::uint64_t NeighbourClassValue(const ContextToken& token, std::string_view lower, const AccentLexicon& lexicon)
{
    if (token.length == 0) return token.context;
    return static_cast<std::uint64_t>(NeighbourClassOf(lower.substr(token.start, token.length), lexicon));
}

std::vector<ContextToken> BuildContextStream(std::string_view lower, const std::vector<Token>& tokens)
{
    std::vector<ContextToken> stream;
    stream.reserve(tokens.size() + 4);
    OpenParagraph(stream);
    std::string stripped;
    for (std::uint32_t index = 0; index < tokens.size(); ++index) {
        std::string_view text = lower.substr(tokens[index].start, tokens[index].length);
        const auto first = static_cast<unsigned char>(text.front());
        if (ClassifyByte(first) != CharClass::Word) {
            if (first == '\r' || first == '\n') {
                // A run of line ends closes one paragraph.
                if (stream.back().context != kStartHash) {
                    CloseParagraph(stream);
                    OpenParagraph(stream);
                }
            } else if (const std::string_view sign = SignForm(first); !sign.empty()) {
                stream.push_back({ AccentWordHash(sign), 0, 0, index });
            }
            continue;
        }
        std::size_t begin = 0;
        std::size_t end = text.size();
        while (begin < end && IsWordEdge(static_cast<unsigned char>(text[begin])))
            ++begin;
        while (end > begin && IsWordEdge(static_cast<unsigned char>(text[end - 1])))
            --end;
        if (begin == end) continue;
        text = text.substr(begin, end - begin);
        if (std::any_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
            stream.push_back({ kNumberHash, 0, 0, index });
            continue;
        }
        stripped = StripAcuteAccents(text);
        stream.push_back({ AccentWordHash(stripped), static_cast<std::uint32_t>(tokens[index].start + begin),
            static_cast<std::uint32_t>(text.size()), index });
    }
    CloseParagraph(stream);
    return stream;
}

AccentCounter::AccentCounter(AccentLexicon lexicon)
    : m_lexicon(std::move(lexicon))
{
}

const AccentCounter::Group& AccentCounter::GroupOf(std::string_view stripped)
{
    auto found = m_groups.find(std::string(stripped));
    if (found != m_groups.end()) return found->second;
    Group group;
    group.candidates = AccentCandidates(stripped, m_lexicon.isKnown);
    group.pattern = AccentPatternHash(group.candidates);
    return m_groups.emplace(std::string(stripped), std::move(group)).first->second;
}

void AccentCounter::AddGroupOf(std::string_view entry)
{
    const std::string stripped = StripAcuteAccents(entry);
    if (stripped == entry) return;
    if (GroupOf(stripped).candidates.size() >= 2)
        m_counts[AccentKey(AccentFeature::Group, AccentWordHash(stripped))] = 1;
}

void AccentCounter::AddEnglishName(std::string_view lower)
{
    m_counts[AccentKey(AccentFeature::EnglishName, AccentWordHash(lower))] = 1;
}

void AccentCounter::CountText(std::string_view text)
{
    const std::string lower = ToLower(text);
    const std::vector<ContextToken> stream
        = BuildContextStream(lower, Tokenize(text, std::numeric_limits<std::size_t>::max()));
    for (std::size_t i = 2; i + 2 < stream.size(); ++i) {
        const ContextToken& token = stream[i];
        if (token.length == 0) continue;
        const std::string_view word = std::string_view(lower).substr(token.start, token.length);
        // Capitals only: text in all capitals often leaves its accents out (JUDIOS).
        if (CasePattern(text.substr(token.start, token.length)) == CasePatternKind::Capitalized)
            ++m_counts[AccentKey(AccentFeature::CapitalisedUse, AccentWordHash(word))];
        CountPosition(stream, i, lower);
    }
}

void AccentCounter::CountPosition(const std::vector<ContextToken>& stream, std::size_t i, std::string_view lower)
{
    const ContextToken& token = stream[i];
    const std::string_view word = lower.substr(token.start, token.length);
    const Group& group = GroupOf(StripAcuteAccents(word));
    if (group.candidates.size() < 2
        || std::find(group.candidates.begin(), group.candidates.end(), word) == group.candidates.end())
        return;
    ++m_countedWords;
    const std::uint64_t c = AccentWordHash(word);
    const auto type = static_cast<std::uint64_t>(AccentType(word) + 1);
    const std::uint64_t left1 = stream[i - 1].context;
    const std::uint64_t right1 = stream[i + 1].context;
    auto add = [this](std::uint64_t key) { ++m_counts[key]; };
    add(AccentKey(AccentFeature::Unigram, c));
    add(AccentKey(AccentFeature::Left1, c, left1));
    add(AccentKey(AccentFeature::Left2, c, stream[i - 2].context, left1));
    add(AccentKey(AccentFeature::Right1, c, right1));
    add(AccentKey(AccentFeature::Right2, c, right1, stream[i + 2].context));
    add(AccentKey(AccentFeature::LeftClass, c, NeighbourClassValue(stream[i - 1], lower, m_lexicon)));
    add(AccentKey(AccentFeature::RightClass, c, NeighbourClassValue(stream[i + 1], lower, m_lexicon)));
    add(AccentKey(AccentFeature::PatternUnigram, group.pattern, type));
    add(AccentKey(AccentFeature::PatternLeft1, group.pattern, left1, type));
    add(AccentKey(AccentFeature::PatternRight1, group.pattern, right1, type));
}

} // namespace quirel

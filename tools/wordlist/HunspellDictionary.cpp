#include "HunspellDictionary.h"

#include "Utf8.h"

#include <algorithm>
#include <charconv>

namespace quirel::wordlist {
namespace {

std::vector<std::u32string_view> SplitFields(std::u32string_view line)
{
    std::vector<std::u32string_view> fields;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == U' ' || line[i] == U'\t'))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != U' ' && line[i] != U'\t')
            ++i;
        if (i > start) fields.push_back(line.substr(start, i - start));
    }
    return fields;
}

std::vector<std::u32string_view> SplitLines(std::u32string_view text)
{
    std::vector<std::u32string_view> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(U'\n', start);
        if (end == std::u32string_view::npos) end = text.size();
        std::u32string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == U'\r') line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

bool ParseCondition(std::u32string_view text, AffixCondition& condition)
{
    condition.elements.clear();
    if (text == U".") return true;
    std::size_t i = 0;
    while (i < text.size()) {
        AffixCondition::Element element;
        if (text[i] == U'[') {
            const std::size_t close = text.find(U']', i);
            if (close == std::u32string_view::npos) return false;
            std::u32string_view inside = text.substr(i + 1, close - i - 1);
            if (!inside.empty() && inside.front() == U'^') {
                element.negated = true;
                inside.remove_prefix(1);
            }
            element.chars = inside;
            i = close + 1;
        } else if (text[i] == U'.') {
            element.any = true;
            ++i;
        } else {
            element.chars = text[i];
            ++i;
        }
        condition.elements.push_back(std::move(element));
    }
    return true;
}

std::u32string ZeroMeansEmpty(std::u32string_view text)
{
    return text == U"0" ? std::u32string() : std::u32string(text);
}

bool HasFlag(const std::vector<Flag>& flags, Flag flag)
{
    return std::find(flags.begin(), flags.end(), flag) != flags.end();
}

} // namespace

bool AffixCondition::Element::Matches(char32_t c) const
{
    if (any) return true;
    const bool listed = chars.find(c) != std::u32string::npos;
    return negated ? !listed : listed;
}

bool AffixCondition::MatchesStart(std::u32string_view word) const
{
    if (word.size() < elements.size()) return false;
    for (std::size_t i = 0; i < elements.size(); ++i) {
        if (!elements[i].Matches(word[i])) return false;
    }
    return true;
}

bool AffixCondition::MatchesEnd(std::u32string_view word) const
{
    if (word.size() < elements.size()) return false;
    const std::size_t first = word.size() - elements.size();
    for (std::size_t i = 0; i < elements.size(); ++i) {
        if (!elements[i].Matches(word[first + i])) return false;
    }
    return true;
}

std::u32string HunspellDictionary::Decode(std::string_view text) const
{
    if (m_encoding == Encoding::Utf8) return DecodeUtf8(text);
    std::u32string out;
    out.reserve(text.size());
    for (const char c : text)
        out += static_cast<unsigned char>(c);
    return out;
}

std::vector<Flag> HunspellDictionary::ParseFlags(std::u32string_view text) const
{
    std::vector<Flag> flags;
    switch (m_flagStyle) {
    case FlagStyle::Char:
        for (const char32_t c : text)
            flags.push_back(c);
        break;
    case FlagStyle::Long:
        for (std::size_t i = 0; i + 1 < text.size(); i += 2)
            flags.push_back((static_cast<Flag>(text[i]) << 16) | static_cast<Flag>(text[i + 1]));
        break;
    case FlagStyle::Number: {
        Flag value = 0;
        bool inNumber = false;
        for (const char32_t c : text) {
            if (c >= U'0' && c <= U'9') {
                value = value * 10 + static_cast<Flag>(c - U'0');
                inNumber = true;
            } else if (inNumber) {
                flags.push_back(value);
                value = 0;
                inNumber = false;
            }
        }
        if (inNumber) flags.push_back(value);
        break;
    }
    }
    return flags;
}

std::string HunspellDictionary::ParseAffixes(std::string_view bytes)
{
    // SET and FLAG decide how the rest is read, so look for them first.
    const std::u32string utf8Text = DecodeUtf8(bytes);
    for (const auto& line : SplitLines(utf8Text)) {
        const auto fields = SplitFields(line);
        if (fields.size() < 2) continue;
        if (fields[0] == U"SET") {
            if (fields[1] == U"UTF-8")
                m_encoding = Encoding::Utf8;
            else if (fields[1] == U"ISO8859-1")
                m_encoding = Encoding::Latin1;
            else
                return "unsupported encoding " + EncodeUtf8(fields[1]) + " (SET UTF-8 or ISO8859-1 only)";
        } else if (fields[0] == U"FLAG") {
            if (fields[1] == U"UTF-8")
                m_flagStyle = FlagStyle::Char;
            else if (fields[1] == U"long")
                m_flagStyle = FlagStyle::Long;
            else if (fields[1] == U"num")
                m_flagStyle = FlagStyle::Number;
            else
                return "unsupported flag style " + EncodeUtf8(fields[1]);
        }
    }

    const std::u32string text = Decode(bytes);
    AffixClass* open = nullptr;
    std::size_t pending = 0;
    std::size_t lineNumber = 0;
    for (const auto& line : SplitLines(text)) {
        ++lineNumber;
        const auto fields = SplitFields(line);
        if (fields.empty() || (fields[0] != U"PFX" && fields[0] != U"SFX")) continue;
        const bool prefix = fields[0] == U"PFX";
        const std::string where = "affix line " + std::to_string(lineNumber);
        if (fields.size() < 4) return where + ": too few fields";
        const auto flags = ParseFlags(fields[1]);
        if (flags.size() != 1) return where + ": bad flag";
        auto& classes = prefix ? m_prefixes : m_suffixes;
        if (pending == 0) {
            // A class header: PFX flag Y|N count.
            AffixClass& affixClass = classes[flags[0]];
            affixClass.flag = flags[0];
            affixClass.crossProduct = fields[2] == U"Y";
            const std::string count = EncodeUtf8(fields[3]);
            if (std::from_chars(count.data(), count.data() + count.size(), pending).ec != std::errc())
                return where + ": bad rule count";
            open = &affixClass;
            continue;
        }
        if (!open || open->flag != flags[0]) return where + ": rule outside its class";
        AffixRule rule;
        rule.strip = ZeroMeansEmpty(fields[2]);
        std::u32string_view add = fields[3];
        if (const std::size_t slash = add.find(U'/'); slash != std::u32string_view::npos) {
            rule.continuation = ParseFlags(add.substr(slash + 1));
            add = add.substr(0, slash);
        }
        rule.add = ZeroMeansEmpty(add);
        if (!ParseCondition(fields.size() > 4 ? fields[4] : U".", rule.condition)) return where + ": bad condition";
        open->rules.push_back(std::move(rule));
        --pending;
    }
    if (pending != 0) return "affix file ends inside a class";
    return {};
}

std::string HunspellDictionary::ParseWords(std::string_view bytes)
{
    const std::u32string text = Decode(bytes);
    bool first = true;
    for (std::u32string_view line : SplitLines(text)) {
        if (first) {
            first = false;
            const auto fields = SplitFields(line);
            if (fields.size() == 1
                && std::all_of(fields[0].begin(), fields[0].end(), [](char32_t c) { return c >= U'0' && c <= U'9'; }))
                continue; // the entry count
        }
        if (const std::size_t tab = line.find(U'\t'); tab != std::u32string_view::npos)
            line = line.substr(0, tab); // morphological fields
        while (!line.empty() && line.back() == U' ')
            line.remove_suffix(1);
        if (line.empty()) continue;
        DictionaryEntry entry;
        std::size_t i = 0;
        for (; i < line.size(); ++i) {
            if (line[i] == U'\\' && i + 1 < line.size() && line[i + 1] == U'/') {
                entry.word += U'/';
                ++i;
            } else if (line[i] == U'/' && i > 0) {
                break;
            } else {
                entry.word += line[i];
            }
        }
        if (i < line.size()) {
            std::u32string_view flags = line.substr(i + 1);
            if (const std::size_t blank = flags.find(U' '); blank != std::u32string_view::npos)
                flags = flags.substr(0, blank);
            entry.flags = ParseFlags(flags);
        }
        m_entries.push_back(std::move(entry));
    }
    return {};
}

bool ApplySuffix(const AffixRule& rule, std::u32string_view word, std::u32string& out)
{
    if (word.size() <= rule.strip.size() || !word.ends_with(rule.strip) || !rule.condition.MatchesEnd(word))
        return false;
    out.assign(word.substr(0, word.size() - rule.strip.size()));
    out += rule.add;
    return true;
}

bool ApplyPrefix(const AffixRule& rule, std::u32string_view word, std::u32string& out)
{
    if (word.size() <= rule.strip.size() || !word.starts_with(rule.strip) || !rule.condition.MatchesStart(word))
        return false;
    out.assign(rule.add);
    out += word.substr(rule.strip.size());
    return true;
}

void ExpandDictionary(const HunspellDictionary& dictionary, const std::vector<Flag>& verbFlags,
    const std::function<void(const std::u32string& form, FormOrigin origin)>& sink)
{
    struct Suffixed {
        std::u32string form;
        bool verb;
    };
    std::vector<Suffixed> crossForms;
    std::u32string form;
    std::u32string outer;
    for (const DictionaryEntry& entry : dictionary.Entries()) {
        const bool verbEntry = std::any_of(entry.flags.begin(), entry.flags.end(),
            [&](Flag f) { return HasFlag(verbFlags, f) && dictionary.Suffixes().count(f); });
        sink(entry.word, { verbEntry, entry.flags.empty() });
        crossForms.clear();

        for (const Flag flag : entry.flags) {
            const auto found = dictionary.Suffixes().find(flag);
            if (found == dictionary.Suffixes().end()) continue;
            const AffixClass& suffixClass = found->second;
            const bool verb = HasFlag(verbFlags, flag);
            for (const AffixRule& rule : suffixClass.rules) {
                if (!ApplySuffix(rule, entry.word, form)) continue;
                sink(form, { verb, false });
                if (suffixClass.crossProduct) crossForms.push_back({ form, verb });
                for (const Flag next : rule.continuation) {
                    const auto nextClass = dictionary.Suffixes().find(next);
                    if (nextClass == dictionary.Suffixes().end()) continue;
                    for (const AffixRule& nextRule : nextClass->second.rules) {
                        if (!ApplySuffix(nextRule, form, outer)) continue;
                        sink(outer, { verb, false });
                        if (suffixClass.crossProduct && nextClass->second.crossProduct)
                            crossForms.push_back({ outer, verb });
                    }
                }
            }
        }

        for (const Flag flag : entry.flags) {
            const auto found = dictionary.Prefixes().find(flag);
            if (found == dictionary.Prefixes().end()) continue;
            const AffixClass& prefixClass = found->second;
            for (const AffixRule& rule : prefixClass.rules) {
                if (ApplyPrefix(rule, entry.word, form)) sink(form, { verbEntry, false });
                if (!prefixClass.crossProduct) continue;
                for (const Suffixed& suffixed : crossForms) {
                    if (ApplyPrefix(rule, suffixed.form, form)) sink(form, { suffixed.verb, false });
                }
            }
        }
    }
}

namespace {

// True when add ends in one to three enclitic pronouns that follow a verb ending: a vowel, r
// (cantarla), d (sentadlo), n (dénmelo), s (démosle), z (hazlo), l (salte), or nothing (the
// stem's own r). A suffix such as -ble ends in the same letters but not after such an ending.
bool EndsInEnclitics(std::u32string_view add)
{
    static const std::u32string kClitics[]
        = { U"nos", U"los", U"las", U"les", U"me", U"te", U"se", U"os", U"lo", U"la", U"le" };
    std::size_t pronouns = 0;
    for (bool stripped = true; stripped && pronouns < 3;) {
        stripped = false;
        for (const auto& clitic : kClitics) {
            if (add.ends_with(clitic)) {
                add.remove_suffix(clitic.size());
                ++pronouns;
                stripped = true;
                break;
            }
        }
        if (stripped
            && (add.empty() || std::u32string_view(U"aeiouáéíóúrdnszl").find(add.back()) != std::u32string_view::npos))
            return true;
    }
    return false;
}

} // namespace

std::vector<Flag> FindCliticClasses(const HunspellDictionary& dictionary)
{
    std::vector<Flag> classes;
    for (const auto& [flag, suffixClass] : dictionary.Suffixes()) {
        // Pronouns attach to verbs: every rule of such a class also asks for a stem ending in r.
        const auto onVerb = [](const AffixRule& rule) {
            const auto& elements = rule.condition.elements;
            return !elements.empty() && !elements.back().any && !elements.back().negated
                && elements.back().chars == U"r" && EndsInEnclitics(rule.add);
        };
        if (!suffixClass.rules.empty() && std::all_of(suffixClass.rules.begin(), suffixClass.rules.end(), onVerb))
            classes.push_back(flag);
    }
    return classes;
}

} // namespace quirel::wordlist

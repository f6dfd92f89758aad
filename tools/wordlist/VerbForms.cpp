#include "VerbForms.h"

#include "Utf8.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace quirel::wordlist {
namespace {

// Simple tenses of the verbs the dictionary lists flat, as words without flags.
constexpr const char* kIrregularForms[] = {
    // ser
    "ser",
    "siendo",
    "sido",
    "soy",
    "eres",
    "sos",
    "es",
    "somos",
    "sois",
    "son",
    "era",
    "eras",
    "éramos",
    "erais",
    "eran",
    "fui",
    "fuiste",
    "fue",
    "fuimos",
    "fuisteis",
    "fueron",
    "seré",
    "serás",
    "será",
    "seremos",
    "seréis",
    "serán",
    "sería",
    "serías",
    "seríamos",
    "seríais",
    "serían",
    "sea",
    "seas",
    "seamos",
    "seáis",
    "sean",
    "fuera",
    "fueras",
    "fuéramos",
    "fuerais",
    "fueran",
    "fuese",
    "fueses",
    "fuésemos",
    "fueseis",
    "fuesen",
    "fuere",
    "fueres",
    "fuéremos",
    "fuereis",
    "fueren",
    "sé",
    "sed",
    // ir
    "ir",
    "yendo",
    "ido",
    "voy",
    "vas",
    "va",
    "vamos",
    "vais",
    "van",
    "iba",
    "ibas",
    "íbamos",
    "ibais",
    "iban",
    "iré",
    "irás",
    "irá",
    "iremos",
    "iréis",
    "irán",
    "iría",
    "irías",
    "iríamos",
    "iríais",
    "irían",
    "vaya",
    "vayas",
    "vayamos",
    "vayáis",
    "vayan",
    "ve",
    "id",
    // estar
    "estar",
    "estando",
    "estado",
    "estoy",
    "estás",
    "está",
    "estamos",
    "estáis",
    "están",
    "estaba",
    "estabas",
    "estábamos",
    "estabais",
    "estaban",
    "estuve",
    "estuviste",
    "estuvo",
    "estuvimos",
    "estuvisteis",
    "estuvieron",
    "estaré",
    "estarás",
    "estará",
    "estaremos",
    "estaréis",
    "estarán",
    "estaría",
    "estarías",
    "estaríamos",
    "estaríais",
    "estarían",
    "esté",
    "estés",
    "estemos",
    "estéis",
    "estén",
    "estuviera",
    "estuvieras",
    "estuviéramos",
    "estuvierais",
    "estuvieran",
    "estuviese",
    "estuvieses",
    "estuviésemos",
    "estuvieseis",
    "estuviesen",
    "estuviere",
    "estuvieres",
    "estuviéremos",
    "estuviereis",
    "estuvieren",
    "estad",
    // haber
    "haber",
    "habiendo",
    "habido",
    "he",
    "has",
    "ha",
    "hay",
    "hemos",
    "habemos",
    "habéis",
    "han",
    "había",
    "habías",
    "habíamos",
    "habíais",
    "habían",
    "hube",
    "hubiste",
    "hubo",
    "hubimos",
    "hubisteis",
    "hubieron",
    "habré",
    "habrás",
    "habrá",
    "habremos",
    "habréis",
    "habrán",
    "habría",
    "habrías",
    "habríamos",
    "habríais",
    "habrían",
    "haya",
    "hayas",
    "hayamos",
    "hayáis",
    "hayan",
    "hubiera",
    "hubieras",
    "hubiéramos",
    "hubierais",
    "hubieran",
    "hubiese",
    "hubieses",
    "hubiésemos",
    "hubieseis",
    "hubiesen",
    "hubiere",
    "hubieres",
    "hubiéremos",
    "hubiereis",
    "hubieren",
    "habed",
    // dar
    "dar",
    "dando",
    "dado",
    "doy",
    "das",
    "da",
    "damos",
    "dais",
    "dan",
    "daba",
    "dabas",
    "dábamos",
    "dabais",
    "daban",
    "di",
    "diste",
    "dio",
    "dimos",
    "disteis",
    "dieron",
    "daré",
    "darás",
    "dará",
    "daremos",
    "daréis",
    "darán",
    "daría",
    "darías",
    "daríamos",
    "daríais",
    "darían",
    "dé",
    "des",
    "demos",
    "deis",
    "den",
    "diera",
    "dieras",
    "diéramos",
    "dierais",
    "dieran",
    "diese",
    "dieses",
    "diésemos",
    "dieseis",
    "diesen",
    "diere",
    "dieres",
    "diéremos",
    "diereis",
    "dieren",
    "dad",
    // poder
    "poder",
    "pudiendo",
    "podido",
    "puedo",
    "puedes",
    "puede",
    "podemos",
    "podéis",
    "pueden",
    "podía",
    "podías",
    "podíamos",
    "podíais",
    "podían",
    "pude",
    "pudiste",
    "pudo",
    "pudimos",
    "pudisteis",
    "pudieron",
    "podré",
    "podrás",
    "podrá",
    "podremos",
    "podréis",
    "podrán",
    "podría",
    "podrías",
    "podríamos",
    "podríais",
    "podrían",
    "pueda",
    "puedas",
    "podamos",
    "podáis",
    "puedan",
    "pudiera",
    "pudieras",
    "pudiéramos",
    "pudierais",
    "pudieran",
    "pudiese",
    "pudieses",
    "pudiésemos",
    "pudieseis",
    "pudiesen",
    "pudiere",
    "pudieres",
    "pudiéremos",
    "pudiereis",
    "pudieren",
    // andar (the regular forms come from the flat-infinitive rule)
    "anduve",
    "anduviste",
    "anduvo",
    "anduvimos",
    "anduvisteis",
    "anduvieron",
    "anduviera",
    "anduvieras",
    "anduviéramos",
    "anduvierais",
    "anduvieran",
    "anduviese",
    "anduvieses",
    "anduviésemos",
    "anduvieseis",
    "anduviesen",
    "anduviere",
    "anduvieres",
    "anduviéremos",
    "anduviereis",
    "anduvieren",
};

constexpr const char* kArEndings[] = { "o", "as", "a", "amos", "áis", "an", "aba", "abas", "ábamos", "abais", "aban",
    "é", "aste", "ó", "asteis", "aron", "aré", "arás", "ará", "aremos", "aréis", "arán", "aría", "arías", "aríamos",
    "aríais", "arían", "e", "es", "emos", "éis", "en", "ara", "aras", "áramos", "arais", "aran", "ase", "ases",
    "ásemos", "aseis", "asen", "are", "ares", "áremos", "areis", "aren", "ad", "ando", "ado", "ada", "ados", "adas" };
constexpr const char* kErEndings[] = { "o", "es", "e", "emos", "éis", "en", "ía", "ías", "íamos", "íais", "ían", "í",
    "iste", "ió", "imos", "isteis", "ieron", "eré", "erás", "erá", "eremos", "eréis", "erán", "ería", "erías",
    "eríamos", "eríais", "erían", "a", "as", "amos", "áis", "an", "iera", "ieras", "iéramos", "ierais", "ieran", "iese",
    "ieses", "iésemos", "ieseis", "iesen", "iere", "ieres", "iéremos", "iereis", "ieren", "ed", "iendo", "ido", "ida",
    "idos", "idas" };
constexpr const char* kIrEndings[]
    = { "o", "es", "ís", "e", "imos", "en", "ía", "ías", "íamos", "íais", "ían", "í", "iste", "ió", "isteis", "ieron",
          "iré", "irás", "irá", "iremos", "iréis", "irán", "iría", "irías", "iríamos", "iríais", "irían", "a", "as",
          "amos", "áis", "an", "iera", "ieras", "iéramos", "ierais", "ieran", "iese", "ieses", "iésemos", "ieseis",
          "iesen", "iere", "ieres", "iéremos", "iereis", "ieren", "id", "iendo", "ido", "ida", "idos", "idas" };

constexpr std::array<std::string_view, 11> kClitics
    = { "me", "te", "se", "nos", "os", "lo", "la", "los", "las", "le", "les" };

bool HasAccent(std::u32string_view word)
{
    return std::any_of(word.begin(), word.end(),
        [](char32_t c) { return std::u32string_view(U"áéíóú").find(c) != std::u32string_view::npos; });
}

std::u32string StripAccents(std::u32string_view word)
{
    std::u32string out(word);
    for (char32_t& c : out) {
        switch (c) {
        case U'á':
            c = U'a';
            break;
        case U'é':
            c = U'e';
            break;
        case U'í':
            c = U'i';
            break;
        case U'ó':
            c = U'o';
            break;
        case U'ú':
            c = U'u';
            break;
        default:
            break;
        }
    }
    return out;
}

int VowelGroups(std::u32string_view word)
{
    int groups = 0;
    bool inVowels = false;
    for (const char32_t c : word) {
        const bool vowel = std::u32string_view(U"aeiouáéíóúü").find(c) != std::u32string_view::npos;
        if (vowel && !inVowels) ++groups;
        inVowels = vowel;
    }
    return groups;
}

// True when text is one to three enclitic pronouns; first tells whether it starts with nos or os.
bool IsCliticRun(std::string_view text, int depth = 0)
{
    if (text.empty()) return depth > 0;
    if (depth == 3) return false;
    for (const std::string_view clitic : kClitics) {
        if (text.starts_with(clitic) && IsCliticRun(text.substr(clitic.size()), depth + 1)) return true;
    }
    return false;
}

enum class Conjugation { None, Ar, Er, Ir };

Conjugation ConjugationOf(const std::u32string& word)
{
    if (word.size() < 4 || HasAccent(word) || word.ends_with(U"ier") || word.ends_with(U"yer"))
        return Conjugation::None;
    if (!std::all_of(
            word.begin(), word.end(), [](char32_t c) { return (c >= U'a' && c <= U'z') || c == U'ñ' || c == U'ü'; }))
        return Conjugation::None;
    if (word.ends_with(U"ar")) return Conjugation::Ar;
    if (word.ends_with(U"er")) return Conjugation::Er;
    if (word.ends_with(U"ir")) return Conjugation::Ir;
    return Conjugation::None;
}

std::vector<std::string> RegularForms(const std::string& infinitive, Conjugation conjugation)
{
    const std::string stem = infinitive.substr(0, infinitive.size() - 2);
    std::vector<std::string> forms;
    auto add = [&](const auto& endings) {
        for (const char* ending : endings)
            forms.push_back(stem + ending);
    };
    if (conjugation == Conjugation::Ar)
        add(kArEndings);
    else if (conjugation == Conjugation::Er)
        add(kErEndings);
    else
        add(kIrEndings);
    return forms;
}

} // namespace

bool IsVerbWithEnclitics(const std::string& word, const WordSet& verbForms)
{
    const std::u32string wide = DecodeUtf8(word);
    const bool accented = HasAccent(wide);
    // Try every place where the pronouns may start; the verb form keeps at least two letters.
    for (std::size_t split = 2; split + 2 <= wide.size(); ++split) {
        const std::string pronouns = EncodeUtf8(std::u32string_view(wide).substr(split));
        if (!IsCliticRun(pronouns)) continue;
        const std::u32string base = wide.substr(0, split);
        std::vector<std::u32string> candidates;
        if (accented) {
            candidates.push_back(StripAccents(base)); // dámelo → da
            candidates.push_back(base); // oírlo → oír
        } else if (base.back() == U'r' || VowelGroups(base) == 1) {
            candidates.push_back(base); // cantarlo, dime, hazlo
        }
        if (pronouns.starts_with("nos")) candidates.push_back(StripAccents(base) + U's'); // vámonos → vamos
        if (pronouns.starts_with("os") && !base.empty()
            && std::u32string_view(U"aei").find(StripAccents(base).back()) != std::u32string_view::npos)
            candidates.push_back(StripAccents(base) + U'd'); // sentaos → sentad
        for (const auto& candidate : candidates) {
            // os follows an infinitive, a gerund, an imperative that lost its d, or id (idos).
            const bool osFits = !pronouns.starts_with("os") || candidate == U"id" || candidate.back() == U'd'
                || std::u32string_view(U"raeiouáéíóú").find(base.back()) != std::u32string_view::npos;
            if (osFits && verbForms.count(EncodeUtf8(candidate))) return true;
        }
    }
    return false;
}

std::vector<std::string> FindFlatVerbForms(
    const std::vector<std::string>& flatWords, const WordSet& verbForms, const WordSet& knownForms)
{
    const WordSet flat(flatWords.begin(), flatWords.end());
    WordSet found;
    for (const char* form : kIrregularForms) {
        if (knownForms.count(form)) found.insert(form);
    }
    for (const std::string& word : flatWords) {
        const Conjugation conjugation = ConjugationOf(DecodeUtf8(word));
        if (conjugation == Conjugation::None) continue;
        const std::vector<std::string> forms = RegularForms(word, conjugation);
        const auto listed
            = std::count_if(forms.begin(), forms.end(), [&](const std::string& f) { return flat.count(f) > 0; });
        const bool withPronoun = std::any_of(kClitics.begin(), kClitics.end(),
            [&](std::string_view clitic) { return flat.count(word + std::string(clitic)) > 0; });
        const bool hasPlural = knownForms.count(word + "es") || knownForms.count(word + "s");
        if (listed < 3 && !withPronoun && hasPlural) continue;
        found.insert(word);
        for (const std::string& form : forms) {
            if (flat.count(form)) found.insert(form);
        }
    }
    WordSet allVerbs = verbForms;
    allVerbs.insert(found.begin(), found.end());
    for (const std::string& word : flatWords) {
        if (!allVerbs.count(word) && IsVerbWithEnclitics(word, allVerbs)) found.insert(word);
    }
    std::vector<std::string> result;
    for (const std::string& form : found) {
        if (!verbForms.count(form)) result.push_back(form);
    }
    std::sort(result.begin(), result.end());
    return result;
}

} // namespace quirel::wordlist

#include "HunspellDictionary.h"
#include "TempFolder.h"
#include "Utf8.h"
#include "VerbForms.h"
#include "WordListFiles.h"
#include "document/Cp1252.h"
#include "language/WordLists.h"
#include "language/WordRecord.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sstream>

namespace quirel::wordlist {
namespace {

namespace fs = std::filesystem;

void Write(const fs::path& file, const std::string& text)
{
    std::ofstream(file, std::ios::binary) << text;
}

std::string Read(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

int Shell(const std::string& command)
{
    return WEXITSTATUS(std::system(command.c_str()));
}

std::string Quote(const fs::path& path)
{
    return "'" + path.string() + "'";
}

// A small dictionary in the style of the Spanish one: UTF-8 flags, a suffix with a continuation
// class (ción/S), a cross-product prefix and one without, conditions that keep rules off words
// they do not fit, and a pronoun class.
constexpr const char* kAffixes = R"(SET UTF-8
FLAG UTF-8
PFX d Y 1
PFX d 0 des .
PFX r N 1
PFX r 0 re .
SFX S Y 4
SFX S 0 s [aeiou]
SFX S 0 es [^aeiouzn]
SFX S z ces z
SFX S ón ones ón
SFX A Y 1
SFX A r ción/S ar
SFX R Y 3
SFX R ar o ar
SFX R ar ábamos ar
SFX R ar ando ar
SFX À Y 2
SFX À 0 la r
SFX À ar ándolo ar
)";
constexpr const char* kWords = "5\ncantar/RÀAd\ncomer/R\nluz/S\ncasa/Sr\nsoy\n";

const std::set<std::string> kAllForms = { "cantar", "canto", "cantábamos", "cantando", "cantarla", "cantándolo",
    "cantación", "cantaciones", "descantar", "descanto", "descantábamos", "descantando", "descantarla", "descantándolo",
    "descantación", "descantaciones", "comer", "luz", "luces", "casa", "casas", "recasa", "soy" };
const std::set<std::string> kVerbForms = { "cantar", "canto", "cantábamos", "cantando", "cantarla", "cantándolo",
    "descantar", "descanto", "descantábamos", "descantando", "descantarla", "descantándolo", "comer", "soy" };

} // namespace

TEST(WordListToolTest, EncodesAUtf8ListAndReadsItBack)
{
    TempFolder folder;
    const fs::path input = folder.Path() / "words.txt";
    const fs::path output = folder.Path() / "verbos.log";
    const std::string tooLong(41, 'x');
    Write(input, "Canción\r\n  de la  \n\nñandú\nEuro€\n" + tooLong + "\n北京\ncasa\n" + std::string(40, 'y') + "\n");

    ASSERT_EQ(Shell(std::string(QUIREL_WORDLIST_TOOL) + " encode " + Quote(input) + " " + Quote(output) + " 2> "
                  + Quote(folder.Path() / "report.txt")),
        0);
    EXPECT_EQ(fs::file_size(output), 6 * kWordRecordSize);
    const std::string report = Read(folder.Path() / "report.txt");
    EXPECT_NE(
        report.find("6 words written; skipped 1 not in Windows-1252, 1 longer than 40 characters"), std::string::npos)
        << report;

    // The program reads the words back lower-cased ...
    WordList list;
    LoadWordList(output, list, 256, nullptr, nullptr);
    ASSERT_EQ(list.Size(), 6u);
    EXPECT_EQ(list.Entry(1), Utf8ToCp1252("canción"));
    EXPECT_EQ(list.Entry(2), "de la");
    EXPECT_EQ(list.Entry(4), Utf8ToCp1252("euro€"));

    // ... and decode lists them as written.
    ASSERT_EQ(Shell(std::string(QUIREL_WORDLIST_TOOL) + " decode " + Quote(output) + " > "
                  + Quote(folder.Path() / "back.txt")),
        0);
    EXPECT_EQ(Read(folder.Path() / "back.txt"), "Canción\nde la\nñandú\nEuro€\ncasa\n" + std::string(40, 'y') + "\n");

    // Usage errors and files that are not word lists.
    Write(folder.Path() / "bad.log", std::string(150, '\0'));
    EXPECT_EQ(
        Shell(std::string(QUIREL_WORDLIST_TOOL) + " decode " + Quote(folder.Path() / "bad.log") + " 2>/dev/null"), 1);
    EXPECT_EQ(Shell(std::string(QUIREL_WORDLIST_TOOL) + " encode --bogus a b 2>/dev/null"), 2);
    EXPECT_EQ(Shell(std::string(QUIREL_WORDLIST_TOOL) + " --help > /dev/null"), 0);
}

TEST(WordListToolTest, SortsTheSpanishWayAndDropsRepeatsIgnoringCase)
{
    EncodeReport report;
    const auto words = PrepareWords(
        "ñu\nzorro\nnube\nCasa\ncañón\ncasa\nÁrbol\ncanon\noca\nárbol\n", SortOrder::Spanish, Repeats::Drop, report);
    std::vector<std::string> expected;
    for (const char* word : { "Árbol", "canon", "cañón", "Casa", "nube", "ñu", "oca", "zorro" })
        expected.push_back(Utf8ToCp1252(word));
    EXPECT_EQ(words, expected);
    EXPECT_EQ(report.repeated, 2u);
}

TEST(WordListToolTest, ExpandsStemsAffixesContinuationsAndCrossProducts)
{
    HunspellDictionary dictionary;
    ASSERT_EQ(dictionary.ParseAffixes(kAffixes), "");
    ASSERT_EQ(dictionary.ParseWords(kWords), "");
    const auto clitics = FindCliticClasses(dictionary);
    EXPECT_EQ(clitics, std::vector<Flag> { U'À' });

    std::vector<Flag> verbFlags = dictionary.ParseFlags(U"R");
    verbFlags.insert(verbFlags.end(), clitics.begin(), clitics.end());
    std::set<std::string> all, verbs;
    ExpandDictionary(dictionary, verbFlags, [&](const std::u32string& form, FormOrigin origin) {
        all.insert(EncodeUtf8(form));
        if (origin.verb) verbs.insert(EncodeUtf8(form));
    });
    EXPECT_EQ(all, kAllForms);

    WordSet verbSet(verbs.begin(), verbs.end());
    const WordSet known(all.begin(), all.end());
    for (const auto& form : FindFlatVerbForms({ "soy", "luz" }, verbSet, known))
        verbs.insert(form);
    EXPECT_EQ(verbs, kVerbForms);
}

// Hunspell itself, when installed, accepts every form of the small dictionary and rejects the
// forms its rules do not allow (a prefix without cross product on a plural, a rule whose
// condition does not fit).
TEST(WordListToolTest, HunspellAcceptsTheExpandedForms)
{
    if (Shell("command -v hunspell > /dev/null 2>&1") != 0) GTEST_SKIP() << "hunspell is not installed";
    TempFolder folder;
    Write(folder.Path() / "fx.aff", kAffixes);
    Write(folder.Path() / "fx.dic", kWords);
    std::string words;
    for (const auto& form : kAllForms)
        words += form + "\n";
    Write(folder.Path() / "forms.txt", words);
    Write(folder.Path() / "wrong.txt", "recasas\nluzes\ncomo\ncomiendo\ndescantacións\ncantacións\n");
    const std::string hunspell = "LC_ALL=C.UTF-8 hunspell -i UTF-8 -d " + Quote(folder.Path() / "fx") + " -l < ";
    ASSERT_EQ(Shell(hunspell + Quote(folder.Path() / "forms.txt") + " > " + Quote(folder.Path() / "rejected.txt")), 0);
    EXPECT_EQ(Read(folder.Path() / "rejected.txt"), "");
    ASSERT_EQ(Shell(hunspell + Quote(folder.Path() / "wrong.txt") + " > " + Quote(folder.Path() / "rejected.txt")), 0);
    EXPECT_EQ(Read(folder.Path() / "rejected.txt"), Read(folder.Path() / "wrong.txt"));
}

TEST(WordListToolTest, RecognisesVerbFormsWithEncliticPronouns)
{
    const WordSet verbs
        = { "da", "di", "haz", "ve", "id", "vamos", "sentad", "cantar", "diciendo", "oír", "bastan", "es", "escue" };
    const struct {
        const char* word;
        bool verb;
    } cases[] = {
        { "dámelo", true },
        { "díselo", true },
        { "hazlo", true },
        { "vete", true },
        { "idos", true },
        { "vámonos", true },
        { "sentaos", true },
        { "cantarla", true },
        { "cantárselo", true },
        { "diciéndole", true },
        { "oírlo", true },
        { "bastante", false }, // two syllables and no written accent: not bastan + te
        { "esos", false }, // os follows an r, a vowel or id, never es
        { "escuela", false }, // no pronoun ends it after a verb form
        { "dalo", true },
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsVerbWithEnclitics(c.word, verbs), c.verb) << c.word;
}

TEST(WordListToolTest, LeavesOutWordsThatShadowAnAccentedWord)
{
    const std::vector<std::string> primary = { "corazón", "reír", "casa", "Napoleón", "solo", "sólo" };
    const std::vector<std::string> secondary
        = { "corazon", "reir", "Reir", "casa", "Napoléon", "napoleon", "house", "solo", "" };
    EXPECT_EQ(RemoveShadows(primary, secondary, {}), (std::vector<std::string> { "casa", "house", "solo" }));
    EXPECT_EQ(RemoveShadows(primary, secondary, { .dropKnown = true }), (std::vector<std::string> { "house" }));
    EXPECT_EQ(RemoveShadows({ "corazón", "duran" }, { "Corazon", "Durán" }, { .unaccentedOnly = true }),
        (std::vector<std::string> { "Durán" }));
}

} // namespace quirel::wordlist

#include "AccentCorpus.h"
#include "AccentTraining.h"
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
#include <unistd.h>
#include <zlib.h>

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

namespace quirel::wordlist {

TEST(WordListToolTest, KeepsNamesTheTextsWriteWithoutAccent)
{
    const std::unordered_set<std::string> used = CapitalisedWords("Viajó a Asia con el Angel de Tamara y dijo asia.");
    EXPECT_EQ(used, (std::unordered_set<std::string> { "Viajó", "Asia", "Angel", "Tamara" }));
    // Angel stays out: old texts leave the accent off capitals, so Angel does not tell against Ángel.
    EXPECT_EQ(RemoveShadows({ "asía", "ángel", "támara" }, { "Asia", "Angel", "Simon" },
                  { .unaccentedOnly = true, .used = &used }),
        (std::vector<std::string> { "Asia", "Simon" }));
}

TEST(WordListToolTest, VerbListHoldsTheFormsThatAreOnlyVerbForms)
{
    TempFolder folder;
    Write(folder.Path() / "d.aff", kAffixes);
    // canto is a noun too, casa only a noun; cantábamos and soy are verb forms only.
    Write(folder.Path() / "d.dic", "4\ncantar/R\ncanto/S\ncasa/S\nsoy\n");
    ASSERT_EQ(Shell(std::string(QUIREL_WORDLIST_TOOL) + " expand --split=" + Quote(folder.Path()) + " "
                  + Quote(folder.Path() / "d.aff") + " " + Quote(folder.Path() / "d.dic") + " 2> /dev/null"),
        0);
    EXPECT_EQ(Read(folder.Path() / "verbs.txt"), "cantando\ncantar\ncantábamos\nsoy\n");
    EXPECT_NE(Read(folder.Path() / "common.txt").find("canto\n"), std::string::npos);
}

TEST(WordListToolTest, ReadsTheTranslationsOfAMessageCatalogue)
{
    // A catalogue of three entries: the header (empty original), a translation with markup, a
    // placeholder, a variable, an accelerator and a line break, and one with two plural forms.
    const std::vector<std::pair<std::string, std::string>> entries
        = { { "", "Content-Type: text/plain\n" }, { "Hello", "<b>Hola</b>, $unit.name. ¿Qué tal %s?\nVen a _casa." },
              { std::string("one\0two", 7), std::string("uno\0dos", 7) } };
    std::string originals, translations, strings;
    const std::size_t tables = 28;
    std::size_t at = tables + entries.size() * 16;
    auto put = [](std::string& out, std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            out += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    for (const auto& [original, translation] : entries) {
        put(originals, static_cast<std::uint32_t>(original.size()));
        put(originals, static_cast<std::uint32_t>(at + strings.size()));
        strings += original + '\0';
    }
    for (const auto& [original, translation] : entries) {
        put(translations, static_cast<std::uint32_t>(translation.size()));
        put(translations, static_cast<std::uint32_t>(at + strings.size()));
        strings += translation + '\0';
    }
    std::string bytes;
    for (const std::uint32_t value : { 0x950412DEu, 0u, static_cast<std::uint32_t>(entries.size()), 28u,
             static_cast<std::uint32_t>(28 + entries.size() * 8), 0u, 0u })
        put(bytes, value);
    bytes += originals + translations + strings;

    std::vector<std::string> paragraphs;
    ASSERT_TRUE(ReadMessageCatalogue(bytes, paragraphs));
    EXPECT_EQ(paragraphs, (std::vector<std::string> { "Hola, . ¿Qué tal ?", "Ven a casa.", "uno", "dos" }));
    EXPECT_FALSE(ReadMessageCatalogue("not a catalogue at all, just text", paragraphs));
    EXPECT_FALSE(ReadMessageCatalogue(bytes.substr(0, 40), paragraphs)); // cut inside its tables
}

} // namespace quirel::wordlist

namespace quirel::wordlist {

TEST(WordListToolTest, ReadsTheVersesOfACompressedBibleModule)
{
    TempFolder folder;
    // Each testament: one block (a book) of two verses and an empty entry, zlib-compressed.
    auto put = [](std::string& out, std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    const auto writeTestament = [&](const std::string& name, const std::string& first, const std::string& second) {
        const std::string text = first + second;
        uLongf packedSize = compressBound(text.size());
        std::string packed(packedSize, '\0');
        ASSERT_EQ(compress(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
                      reinterpret_cast<const Bytef*>(text.data()), text.size()),
            Z_OK);
        packed.resize(packedSize);
        std::string blocks, verses;
        put(blocks, 0, 4);
        put(blocks, static_cast<std::uint32_t>(packed.size()), 4);
        put(blocks, static_cast<std::uint32_t>(text.size()), 4);
        for (const auto& [offset, size] :
            { std::pair<std::size_t, std::size_t> { 0, 0 }, { 0, first.size() }, { first.size(), second.size() } }) {
            put(verses, 0, 4);
            put(verses, static_cast<std::uint32_t>(offset), 4);
            put(verses, static_cast<std::uint32_t>(size), 2);
        }
        Write(folder.Path() / (name + ".bzs"), blocks);
        Write(folder.Path() / (name + ".bzv"), verses);
        Write(folder.Path() / (name + ".bzz"), packed);
    };
    writeTestament("ot", "<title>G\xC3\xA9nesis</title>EN el principio <note>una nota</note>cri\xC3\xB3 Dios. ",
        "Y dijo <w lemma=\"x\">\xC3\xA1 Jacob</w> &amp; \xC3\xA9 Isaac:");
    writeTestament("nt", "Mas Jes\xC3\xBAs dijo: \xC3\x89l vino.", "<div/>");
    std::string error;
    const std::vector<SwordBook> books = ReadSwordModule(folder.Path(), error);
    EXPECT_EQ(error, "");
    ASSERT_EQ(books.size(), 2u);
    EXPECT_EQ(books[0].testament, "ot");
    // Notes and titles go with their text; the one-letter á é of the old spelling become a e.
    EXPECT_EQ(books[0].verses,
        (std::vector<std::string> { "EN el principio cri\xC3\xB3 Dios.", "Y dijo a Jacob & e Isaac:" }));
    EXPECT_EQ(books[1].verses, (std::vector<std::string> { "Mas Jes\xC3\xBAs dijo: \xC3\x89l vino." }));

    Write(folder.Path() / "nt.bzz", "damaged");
    ReadSwordModule(folder.Path(), error);
    EXPECT_NE(error, "");
}

} // namespace quirel::wordlist

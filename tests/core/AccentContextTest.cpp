#include "language/AccentContext.h"

#include "FakeCanvas.h"
#include "StandInPorts.h"
#include "TempFolder.h"
#include "TestText.h"
#include "WordListBytes.h"
#include "editor/Editor.h"
#include "language/AccentChoice.h"
#include "language/AccentMarks.h"
#include "language/AccentModel.h"
#include "language/WordListViews.h"
#include "language/WordLists.h"
#include "language/WordRecord.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <limits>
#include <memory>
#include <set>

using namespace quirel;

namespace {

using WordSet = std::shared_ptr<std::set<std::string, std::less<>>>;

WordSet Words(std::initializer_list<const char*> words)
{
    auto set = std::make_shared<std::set<std::string, std::less<>>>();
    for (const char* word : words)
        set->insert(W(word));
    return set;
}

KnownWordTest In(const WordSet& set)
{
    return [set](std::string_view word) { return set->count(word) > 0; };
}

// A small lexicon: common words, verb-only forms and names (UTF-8 here, Windows-1252 in the lexicon).
struct SmallLexicon {
    WordSet common = Words({ "el", "la", "las", "los", "una", "en", "casa", "esta", "es", "grande", "niña", "que",
        "qué", "mas", "más", "lo", "para", "de", "libro", "y", "canto", "canción", "si", "sí", "tu", "tú", "él", "ella",
        "londrés", "paúl", "támara", "asía", "vive", "viven", "ayer", "ti", "tí", "solo", "sólo" });
    WordSet verbs = Words({ "está", "quieres", "cantó", "sonrío", "sonrió", "sabes", "vino" });
    WordSet names = Words({ "asia", "simón" });
    AccentLexicon lexicon;

    SmallLexicon()
    {
        auto all = std::make_shared<std::set<std::string, std::less<>>>(*common);
        all->insert(verbs->begin(), verbs->end());
        all->insert(names->begin(), names->end());
        lexicon = { In(all), In(common), In(verbs), In(names) };
    }
};

// A model learnt from the given UTF-8 paragraphs, each repeated times, with every group of the lexicon.
AccentModel Learn(const SmallLexicon& small, std::initializer_list<std::pair<const char*, int>> paragraphs,
    std::initializer_list<const char*> englishNames = {})
{
    AccentCounter counter(small.lexicon);
    std::string text;
    for (const auto& [paragraph, times] : paragraphs) {
        for (int i = 0; i < times; ++i)
            text += W(paragraph) + "\n";
    }
    counter.CountText(text);
    for (const WordSet& set : { small.common, small.verbs, small.names }) {
        for (const std::string& word : *set)
            counter.AddGroupOf(word);
    }
    for (const char* name : englishNames)
        counter.AddEnglishName(W(name));
    return AccentModel::FromCounts(counter.Counts());
}

// The pass over a text and its tokens, as the editor gives them.
AccentResult AccentText(std::string_view text, const AccentLexicon& lexicon, const AccentModel* model, EventPump* pump)
{
    return AccentDocument(text, Tokenize(text, std::numeric_limits<std::size_t>::max()), lexicon, model, pump);
}

std::string Accent(const SmallLexicon& small, const AccentModel& model, const char* utf8)
{
    return Cp1252ToUtf8(AccentText(W(utf8), small.lexicon, &model, nullptr).text);
}

} // namespace

TEST(AccentContext, CandidatesAreTheListedFormsWithoutOldStyleAccents)
{
    const SmallLexicon small;
    EXPECT_EQ(AccentCandidates("esta", small.lexicon.isKnown), (std::vector<std::string> { "esta", W("está") }));
    EXPECT_EQ(
        AccentCandidates("sonrio", small.lexicon.isKnown), (std::vector<std::string> { W("sonrío"), W("sonrió") }));
    // sólo and tí stand in this lexicon, but they are never forms of their group.
    EXPECT_EQ(AccentCandidates("solo", small.lexicon.isKnown), (std::vector<std::string> { "solo" }));
    EXPECT_EQ(AccentCandidates("ti", small.lexicon.isKnown), (std::vector<std::string> { "ti" }));
}

TEST(AccentContext, TheNeighboursDecideBetweenTwoWords)
{
    const SmallLexicon small;
    const AccentModel model = Learn(
        small, { { "La niña está en casa.", 30 }, { "Esta casa es grande.", 30 }, { "La casa es grande.", 5 } });
    const AccentResult result
        = AccentText(W("La niña esta en casa. Esta casa es grande."), small.lexicon, &model, nullptr);
    EXPECT_EQ(result.text, W("La niña está en casa. Esta casa es grande."));
    EXPECT_EQ(result.count, 1u);
    EXPECT_EQ(result.report, W("está\r\n"));
    // Without the model only the list rule runs, and esta is a word.
    EXPECT_EQ(AccentText(W("La niña esta en casa."), small.lexicon, nullptr, nullptr).text, W("La niña esta en casa."));
}

TEST(AccentContext, EachLetterKeepsItsCase)
{
    const SmallLexicon small;
    const AccentModel model = Learn(small, { { "La niña está en casa.", 30 }, { "Esta casa es grande.", 30 } });
    EXPECT_EQ(Accent(small, model, "LA NIÑA ESTA EN CASA"), "LA NIÑA ESTÁ EN CASA");
    EXPECT_EQ(Accent(small, model, "La niña eStA en casa"), "La niña eStÁ en casa");
}

TEST(AccentContext, AWordOutsideTheFunctionWordsNeedsStrongEvidence)
{
    const SmallLexicon small;
    // canto/cantó is no function-word group: 3 to 2 in this context is too weak to change a word.
    const AccentModel weak = Learn(small, { { "Ella cantó una canción.", 3 }, { "Ella canto una canción.", 2 } });
    EXPECT_EQ(Accent(small, weak, "Ella canto una cancion."), "Ella canto una canción.");
    const AccentModel strong = Learn(small, { { "Ella cantó una canción.", 200 }, { "Su canto es grande.", 5 } });
    EXPECT_EQ(Accent(small, strong, "Ella canto una cancion."), "Ella cantó una canción.");
}

TEST(AccentContext, SureRulesComeBeforeTheCounts)
{
    const SmallLexicon small;
    // The counts say the forms without accent; the rules overrule them.
    const AccentModel model = Learn(small, { { "Que el libro es de tu casa y lo mas grande.", 50 } });
    const struct {
        const char* typed;
        const char* expected;
    } cases[] = {
        { "¿Que quieres?", "¿Qué quieres?" },
        { "¿Por que quieres?", "¿Por qué quieres?" },
        { "Es para el.", "Es para él." },
        { "Es para tu, y para ella", "Es para tú, y para ella" },
        { "Es de el y de ella", "Es de él y de ella" },
        { "Vino de El Escorial", "Vino de El Escorial" },
        { "Es lo mas grande", "Es lo más grande" },
        { "El sabes", "Él sabes" },
        { "Tu sabes que si", "Tú sabes que si" },
        { "Tu casa", "Tu casa" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(Accent(small, model, c.typed), c.expected) << c.typed;
}

TEST(AccentContext, AWordTheListsDoNotKnowTakesItsLikeliestForm)
{
    const SmallLexicon small;
    const AccentModel model = Learn(small, { { "Ella sonrió y vino.", 20 } });
    EXPECT_EQ(Accent(small, model, "Ella sonrio y vino."), "Ella sonrió y vino.");
    // The list rule alone takes the leftmost form.
    EXPECT_EQ(Cp1252ToUtf8(AccentText(W("Ella sonrio y vino."), small.lexicon, nullptr, nullptr).text),
        "Ella sonrío y vino.");
}

TEST(AccentContext, NamesStayNames)
{
    const SmallLexicon small;
    const AccentModel model = Learn(small, { { "Ayer vino Simón y la niña.", 5 } }, { "paul", "simon", "tamara" });
    const struct {
        const char* typed;
        const char* expected;
    } cases[] = {
        { "Paul vive en casa", "Paul vive en casa" }, // an English name
        { "Tamara vive en casa", "Tamara vive en casa" },
        { "Ella vive en Londres", "Ella vive en Londres" }, // a capital inside a sentence
        { "Londres es grande", "Londrés es grande" }, // at the start the list rule goes on
        { "Ayer vino Simon", "Ayer vino Simón" }, // the texts only write it accented
        { "Ella vive en Asia", "Ella vive en Asia" }, // a name the lists know, a group the texts never show
    };
    for (const auto& c : cases)
        EXPECT_EQ(Accent(small, model, c.typed), c.expected) << c.typed;
}

TEST(AccentModelFile, ReadsBackWhatItWroteAndRefusesDamagedFiles)
{
    std::unordered_map<std::uint64_t, std::uint32_t> counts;
    for (std::uint64_t k = 1; k <= 1000; ++k)
        counts[AccentKey(AccentFeature::Left1, k, k * 7)] = static_cast<std::uint32_t>(k);
    counts[AccentKey(AccentFeature::Unigram, 5)] = 5'000'000; // above what a slot keeps
    const AccentModel model = AccentModel::FromCounts(counts);
    const std::string bytes = model.Serialize();

    TempFolder folder;
    const auto write = [&folder](const std::string& name, const std::string& content) {
        std::ofstream(folder.Path() / name, std::ios::binary) << content;
        return folder.Path() / name;
    };
    AccentModel loaded;
    ASSERT_EQ(LoadAccentModel(write("good.dat", bytes), loaded), AccentModelStatus::Loaded);
    EXPECT_EQ(loaded.Entries(), 1001u);
    for (std::uint64_t k = 1; k <= 1000; ++k)
        ASSERT_EQ(loaded.Count(AccentKey(AccentFeature::Left1, k, k * 7)), k);
    EXPECT_EQ(loaded.Count(AccentKey(AccentFeature::Unigram, 5)), kMaxAccentCount);
    EXPECT_EQ(loaded.Count(AccentKey(AccentFeature::Left1, 1, 8)), 0u);

    std::string full = bytes.substr(0, 16);
    for (std::size_t i = 16; i < bytes.size(); i += 8)
        full += std::string("\x01\x02\x03\x04\x05\x06\x07\x88", 8); // no free slot left
    std::string badMagic = bytes;
    badMagic[0] = 'X';
    for (const auto& [name, content] :
        { std::pair<std::string, std::string> { "cut.dat", bytes.substr(0, bytes.size() - 3) },
            { "long.dat", bytes + "x" }, { "magic.dat", badMagic }, { "full.dat", full }, { "empty.dat", "" } }) {
        EXPECT_EQ(LoadAccentModel(write(name, content), loaded), AccentModelStatus::Damaged) << name;
        EXPECT_TRUE(loaded.Empty()) << name;
        EXPECT_EQ(loaded.Count(AccentKey(AccentFeature::Left1, 1, 7)), 0u) << name;
    }
    EXPECT_EQ(LoadAccentModel(folder.Path() / "none.dat", loaded), AccentModelStatus::Missing);
}

// The built lists and model of QUIREL_WORDLISTS_DIR (scripts/build-wordlists.sh and
// scripts/build-accent-model.sh) on sentences typed without their accents.
TEST(RealAccentModel, PutsTheAccentsSpanishNeeds)
{
    const char* dir = std::getenv("QUIREL_WORDLISTS_DIR");
    if (!dir || !*dir || !std::filesystem::exists(std::filesystem::path(dir) / kAccentModelFileName))
        GTEST_SKIP() << "QUIREL_WORDLISTS_DIR does not name a folder with the built word lists and accent model";
    WordLists lists;
    LoadAllWordLists(dir, lists, nullptr, nullptr);
    AccentModel model;
    ASSERT_EQ(LoadAccentModel(std::filesystem::path(dir) / kAccentModelFileName, model), AccentModelStatus::Loaded);
    const struct {
        const char* typed;
        const char* expected;
    } cases[] = {
        { "El esta en casa", "Él está en casa" },
        { "¿Que quieres?", "¿Qué quieres?" },
        { "Fuimos al rio", "Fuimos al río" },
        { "Mas vale tarde que nunca", "Más vale tarde que nunca" },
        { "El niño canto una cancion", "El niño cantó una canción" },
        { "El libro es para el.", "El libro es para él." },
        { "No se que decir", "No sé que decir" },
        { "Viajamos a Asia con Tamara", "Viajamos a Asia con Tamara" },
        { "Paul vive en Londres", "Paul vive en Londres" },
        { "Max y Carter compraron un Fiat", "Max y Carter compraron un Fiat" },
        { "Maria y Simon llegaron", "María y Simón llegaron" },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Cp1252ToUtf8(AccentText(W(c.typed), AccentLexiconOf(lists), &model, nullptr).text), c.expected)
            << c.typed;
    }
}

// The editor loads the model beside the word lists, after the lists, and its accent command uses it.
TEST(AccentContext, TheEditorsAccentCommandUsesTheModelOfItsFolder)
{
    TempFolder folder;
    const auto writeList = [&folder](const char* name, std::initializer_list<const char*> words) {
        folder.Write(name, WordListBytes(words));
    };
    writeList("diccionario.log", { "la", "niña", "en", "casa", "esta", "es", "grande", "canción" });
    writeList("verbos.log", { "está" });
    WordLists lists;
    LoadAllWordLists(folder.Path(), lists, nullptr, nullptr);
    AccentCounter counter(AccentLexiconOf(lists));
    for (int i = 0; i < 30; ++i)
        counter.CountText(W("La niña está en casa.\nEsta casa es grande.\n"));
    counter.AddGroupOf(W("está"));
    folder.Write(kAccentModelFileName, AccentModel::FromCounts(counter.Counts()).Serialize());

    Editor editor(folder.Path());
    FakeCanvas canvas;
    StandInPorts ports;
    RecordingPrompts& prompts = ports.prompts;
    editor.Connect(ports.For(canvas));
    editor.Run(command::LoadWordLists);
    for (const char c : W("La niña esta en casa con la cancion"))
        editor.Run({ command::TypeByte, static_cast<unsigned char>(c) });
    editor.Run(command::Accents);
    ASSERT_EQ(prompts.messages.size(), 1u);
    const std::string message = prompts.messages[0];
    EXPECT_EQ(editor.GetDocument().Text(), W("La niña está en casa con la canción"));
    EXPECT_EQ(
        message, W("Encontradas 2 palabras a las que se le ha puesto tílde ortográfica ...\r\nestá\r\ncanción\r\n"));
}

#include "language/TrainAccentModel.h"

#include "TempFolder.h"
#include "TestText.h"
#include "WordListBytes.h"
#include "language/WordLists.h"
#include "language/WordRecord.h"

#include <gtest/gtest.h>

using namespace quirel;

namespace {

// Word lists of a few words (UTF-8 here), loaded from their files the way the program loads them.
struct SmallLists {
    TempFolder folder;
    WordLists lists;

    SmallLists()
    {
        Write("diccionario.log", { "la", "niña", "en", "casa", "esta", "es", "grande", "el", "libro", "un", "paul" });
        Write("verbos.log", { "está" });
        Write("npropios.log", { "asia" });
        LoadAllWordLists(folder.Path(), lists, nullptr, nullptr);
    }
    void Write(const char* name, std::initializer_list<const char*> words) { folder.Write(name, WordListBytes(words)); }
};

std::uint32_t CountOf(const AccentModel& model, AccentFeature feature, const char* utf8)
{
    return model.Count(AccentKey(feature, AccentWordHash(W(utf8))));
}

} // namespace

TEST(TrainAccentModel, CountsEachCleanParagraphOnceAndReportsWhatItDid)
{
    const SmallLists small;
    AccentTrainingInput input;
    input.texts = {
        W("La niña está en casa.\r\n"
          "La casa.\n" // fewer than 4 words
          "Xyzzy plugh frob en casa.\n" // fewer than 85 % known words
          "Esta casa es grande.\n"
          "La niña está en casa."), // a repeat, without a line end
        W("Esta casa es grande.\n"), // a paragraph of the first text
    };
    input.englishWords = W("Paul\nCasa\nzebra\nNASA\nMax\n");
    input.heldOutTexts = { W("La niña está en casa.\nEl libro es grande.\nEl libro es grande.\nEl libro.\n") };

    const AccentTraining training = TrainAccentModel(small.lists, input);
    const AccentModel& model = training.model;
    EXPECT_EQ(CountOf(model, AccentFeature::Unigram, "está"), 1u);
    EXPECT_EQ(CountOf(model, AccentFeature::Unigram, "esta"), 1u);
    EXPECT_EQ(model.Count(AccentKey(AccentFeature::Left1, AccentWordHash(W("está")), AccentWordHash(W("niña")))), 1u);
    EXPECT_EQ(CountOf(model, AccentFeature::CapitalisedUse, "esta"), 1u);
    // Groups come from the lists, whatever the texts hold.
    EXPECT_EQ(CountOf(model, AccentFeature::Group, "esta"), 1u);
    EXPECT_EQ(CountOf(model, AccentFeature::Group, "casa"), 0u);
    // English names: capitalised words that are no Spanish common word or verb form in small letters
    // (paul stands in this diccionario).
    EXPECT_EQ(CountOf(model, AccentFeature::EnglishName, "max"), 1u);
    for (const char* word : { "paul", "casa", "zebra", "nasa" })
        EXPECT_EQ(CountOf(model, AccentFeature::EnglishName, word), 0u) << word;

    const AccentTrainingReport& report = training.report;
    EXPECT_EQ(report.paragraphs, 2u);
    EXPECT_EQ(report.bytes, W("La niña está en casa.\nEsta casa es grande.\n").size());
    EXPECT_EQ(report.countedWords, 2u);
    EXPECT_EQ(report.entries, model.Entries());
    EXPECT_EQ(report.modelBytes, model.Bytes());
    EXPECT_EQ(report.heldOut, std::vector<std::string> { W("El libro es grande.") });
}

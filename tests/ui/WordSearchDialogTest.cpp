#include "dialogs/WordSearchDialog.h"

#include "RecordingPrompts.h"
#include "document/Cp1252.h"
#include "io/Ports.h"
#include "language/SpanishOrder.h"
#include "language/WordLists.h"

#include <QCollator>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

using namespace quirel;

namespace {

using Words = std::vector<std::string>;

WordListSource SourceOf(const Words& words)
{
    return { words.size(), [&words](std::size_t i) { return std::string_view(words[i - 1]); } };
}

// Small lists in Windows-1252 as the word-list files give them (lower case).
class WordSearchDialogTest : public ::testing::Test {
protected:
    WordSearchDialogTest()
    {
        lists = { SourceOf(diccionario), SourceOf(verbos), SourceOf(npropios), SourceOf(apellidos),
            SourceOf(dictionary),
            [this](std::string_view word) { return std::find(verbos.begin(), verbos.end(), word) != verbos.end(); } };
    }

    std::unique_ptr<WordSearchDialog> Open(SearchChoice choice = SearchChoice::None)
    {
        auto dialog = std::make_unique<WordSearchDialog>(lists, DictionarySearchValues { choice, {} }, &prompts);
        dialog->show();
        return dialog;
    }
    static void Type(WordSearchDialog& dialog, const QString& text)
    {
        dialog.SearchBox()->setText(text);
        QTest::keyClick(dialog.SearchBox(), Qt::Key_Return);
    }

    Words diccionario { "casa", "castillo", "cantar", "perro", "canci\xF3n" };
    Words verbos { "cantar", "casar", "casar" };
    Words npropios { "casandra" };
    Words apellidos { "castro", "asunci\xF3n" };
    Words dictionary { "cast", "casa" };
    SearchLists lists;
    RecordingPrompts prompts;
};

} // namespace

TEST_F(WordSearchDialogTest, ControlsStandAtTheirDialogUnitPlaces)
{
    auto dialog = Open();
    EXPECT_EQ(dialog->windowTitle(), "Buscador de cadenas");
    EXPECT_EQ(dialog->pos(), QPoint(105, 114));
    EXPECT_EQ(dialog->size(), QSize(216, 479));
    const Qt::WindowFlags flags = dialog->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
    EXPECT_EQ(dialog->parentWidget(), nullptr);

    const std::pair<QWidget*, QRect> places[] = {
        { dialog->ChoiceBox(), { 8, 2, 203, 21 } },
        { dialog->SearchBox(), { 8, 33, 203, 21 } },
        { dialog->ResultList(), { 8, 57, 203, 382 } },
        { dialog->SearchButton(), { 8, 447, 203, 24 } },
    };
    for (const auto& [widget, place] : places) {
        EXPECT_EQ(widget->geometry(), place) << widget->objectName().toStdString();
        EXPECT_EQ(widget->font().family(), "MS Sans Serif");
        EXPECT_EQ(widget->font().pointSize(), 8);
    }
    EXPECT_EQ(dialog->SearchButton()->text(), "Buscar");
    QStringList choices;
    for (int i = 0; i < dialog->ChoiceBox()->count(); ++i)
        choices << dialog->ChoiceBox()->itemText(i);
    EXPECT_EQ(choices,
        QStringList({ "01 - Todas las palabras", "02 - Verbos solo", "03 - Diccionario solo",
            "04 - Nombres Propios solo", "05 - Apellidos solo", "06 - Dictionary only" }));
}

TEST_F(WordSearchDialogTest, TheChoiceSearchesAtOnceAndIsRemembered)
{
    auto dialog = Open();
    EXPECT_EQ(dialog->ChoiceBox()->currentIndex(), -1);
    Type(*dialog, QStringLiteral("cas"));
    ASSERT_EQ(prompts.messages.size(), 1u); // no list chosen yet: nothing found
    EXPECT_EQ(Cp1252ToUtf8(prompts.messages[0]), "Termine de buscar ...\r\nEncontrados 0 palabras con cas-");
    EXPECT_EQ(prompts.urgencies[0], Prompts::Urgency::Topmost);

    dialog->ChoiceBox()->setCurrentIndex(2); // "03 - Diccionario solo"
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(Cp1252ToUtf8(prompts.messages[1]), "Termine de buscar ...\r\nEncontrados 2 palabras con cas-");
    EXPECT_EQ(dialog->Results(), QStringList({ "casa", "castillo" }));
    EXPECT_EQ(dialog->Values().choice, SearchChoice::Diccionario);
    EXPECT_EQ(dialog->Values().searchText, "cas");

    auto again = Open(dialog->Values().choice);
    EXPECT_EQ(again->ChoiceBox()->currentIndex(), 2);
    EXPECT_EQ(again->SearchBox()->text(), "");
    EXPECT_EQ(prompts.messages.size(), 2u); // opening searches nothing
}

TEST_F(WordSearchDialogTest, ResultsOfAllListsAreShownInAlphabeticalOrder)
{
    auto dialog = Open(SearchChoice::All);
    Type(*dialog, QStringLiteral("cas"));
    // Case counts only between equal words; the proper names come capitalised; casar once.
    EXPECT_EQ(dialog->Results(), QStringList({ "casa", "Casa", "Casandra", "casar", "Cast", "castillo", "Castro" }));
    EXPECT_EQ(Cp1252ToUtf8(prompts.messages.back()), "Termine de buscar ...\r\nEncontrados 7 palabras con cas-");

    Type(*dialog, QStringLiteral("-ción"));
    EXPECT_EQ(dialog->Results(), QStringList({ "Asunción", "canción" }));
    EXPECT_EQ(Cp1252ToUtf8(prompts.messages.back()), "Termine de buscar ...\r\nEncontrados 2 palabras con -ción");
}

TEST_F(WordSearchDialogTest, TextsOutsideTheLettersAreIgnoredWithoutAMessage)
{
    auto dialog = Open(SearchChoice::Verbos);
    Type(*dialog, QStringLiteral("ca"));
    ASSERT_EQ(prompts.messages.size(), 1u);
    const QStringList shown = dialog->Results();
    EXPECT_EQ(shown, QStringList({ "cantar", "casar" }));
    for (const QString& text :
        { QStringLiteral("ca1"), QStringLiteral("ca-sa"), QStringLiteral("- "), QStringLiteral("ca→"), QString() }) {
        Type(*dialog, text);
        QTest::mouseClick(dialog->SearchButton(), Qt::LeftButton);
    }
    EXPECT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(dialog->Results(), shown);
}

TEST_F(WordSearchDialogTest, AChosenResultGoesIntoTheSearchBoxAndEnterSearchesForIt)
{
    auto dialog = Open(SearchChoice::Diccionario);
    Type(*dialog, QStringLiteral("ca"));
    // "cantar" is a verb: the diccionario search leaves it to the verbos list.
    ASSERT_EQ(dialog->Results(), QStringList({ "canción", "casa", "castillo" }));
    const QModelIndex casa = dialog->ResultList()->model()->index(1, 0);
    dialog->ResultList()->setCurrentIndex(casa);
    EXPECT_EQ(dialog->SearchBox()->text(), "casa");
    EXPECT_EQ(prompts.messages.size(), 1u); // choosing does not search

    dialog->SearchBox()->clear();
    emit dialog->ResultList()->doubleClicked(casa);
    EXPECT_EQ(dialog->SearchBox()->text(), "casa");

    QTest::mouseClick(dialog->SearchButton(), Qt::LeftButton);
    EXPECT_EQ(dialog->Results(), QStringList({ "casa" }));
    EXPECT_EQ(Cp1252ToUtf8(prompts.messages.back()), "Termine de buscar ...\r\nEncontrados 1 palabras con casa-");
}

namespace {

// The order of the locale's own collator for Spanish, case counting last.
std::vector<std::string> CollatorOrder(const std::vector<std::string>& words)
{
    QCollator collator(QLocale(QLocale::Spanish, QLocale::Spain));
    collator.setCaseSensitivity(Qt::CaseSensitive);
    std::vector<std::string> sorted = words;
    std::stable_sort(sorted.begin(), sorted.end(), [&collator](const std::string& a, const std::string& b) {
        return collator.compare(QString::fromStdString(Cp1252ToUtf8(a)), QString::fromStdString(Cp1252ToUtf8(b))) < 0;
    });
    return sorted;
}

std::vector<std::string> OurOrder(const std::vector<std::string>& words)
{
    std::vector<std::string> sorted;
    for (const std::size_t index : SpanishOrder(words))
        sorted.push_back(words[index]);
    return sorted;
}

} // namespace

// The results are sorted without the collator (far faster on large results); the order must be the
// one the collator gives for Spanish words, names and English words.
TEST(WordSearchOrderTest, AgreesWithTheLocaleCollator)
{
    std::vector<std::string> words;
    for (const char* word : { "oso", "ñandú", "nube", "Ñu", "nuez", "cómo", "Como", "comer", "como", "comó", "árbol",
             "arbol", "Árbol", "arboleda", "canción", "cancion", "Canción", "pingüino", "pinguino", "pingüe", "caza",
             "çava", "a2", "a-b", "ab", "a b", "a1", "De La Cruz", "Dela", "De Leon", "O'Brien", "Obrien", "x", "X",
             "éxito", "exito", "Zúñiga", "zumo", "Zurita", "sí", "si", "Si", "SÍ" })
        words.push_back(Utf8ToCp1252(word));
    EXPECT_EQ(OurOrder(words), CollatorOrder(words));

    // With the built word lists at hand, a sample of every list too.
    const char* dir = std::getenv("QUIREL_WORDLISTS_DIR");
    if (!dir || !*dir) return;
    WordLists lists;
    LoadAllWordLists(dir, lists, nullptr, nullptr);
    std::vector<std::string> sample;
    for (int id = 0; id < kWordListCount; ++id) {
        const WordList& list = lists.List(static_cast<WordListId>(id));
        for (std::size_t i = 1; i <= list.Size(); i += 97)
            sample.push_back(id >= 3 || id == 0 ? CapitalizeWords(list.Entry(i)) : std::string(list.Entry(i)));
    }
    const auto ours = OurOrder(sample);
    const auto theirs = CollatorOrder(sample);
    std::size_t differ = 0;
    for (std::size_t i = 0; i < ours.size(); ++i) {
        if (ours[i] != theirs[i] && differ++ < 10)
            ADD_FAILURE() << "at " << i << ": " << Cp1252ToUtf8(ours[i]) << " / " << Cp1252ToUtf8(theirs[i]);
    }
    EXPECT_EQ(differ, 0u) << "of " << sample.size();
}
